// The one translation unit that compiles stb's image reader, with only the
// formats that read_picture hands it.
#include <cstdlib>

#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
// The stb snapshot we build with reads parts of its JPEG decoder's state that a
// damaged file never sets; from zeroed memory those reads are at least the same
// every time.
#define STBI_MALLOC(bytes) std::calloc(1, bytes)
#define STBI_REALLOC(block, bytes) std::realloc(block, bytes)
#define STBI_FREE(block) std::free(block)
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
