// The one translation unit that compiles stb's image resampler.
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb_image_resize.h>
