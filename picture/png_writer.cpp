#include "png_writer.h"

#include <stb_image_write.h>

namespace {

void append_to_vector(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

bool is_grey(const Picture& picture) {
    for (size_t i = 0; i < picture.rgb.size(); i += 3) {
        if (picture.rgb[i] != picture.rgb[i + 1] || picture.rgb[i] != picture.rgb[i + 2]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<uint8_t> encode_png(const Picture& picture) {
    std::vector<uint8_t> grey;
    const uint8_t* pixels = picture.rgb.data();
    int channels = 3;
    if (is_grey(picture)) {
        grey.reserve(picture.rgb.size() / 3);
        for (size_t i = 0; i < picture.rgb.size(); i += 3)
            grey.push_back(picture.rgb[i]);
        pixels = grey.data();
        channels = 1;
    }
    std::vector<uint8_t> png;
    if (!stbi_write_png_to_func(append_to_vector, &png, picture.width, picture.height, channels,
                                pixels, picture.width * channels)) {
        png.clear();
    }
    return png;
}
