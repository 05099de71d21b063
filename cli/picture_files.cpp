#include "picture_files.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "bmp_reader.h"
#include "bmp_writer.h"
#include "cli_error.h"
#include "file_io.h"
#include "utf8_path.h"

namespace fs = std::filesystem;

namespace {

bool starts_with(const std::vector<uint8_t>& bytes, std::initializer_list<uint8_t> magic) {
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

BmpImage decode_with_stb(const std::vector<uint8_t>& bytes, const std::string& name) {
    if (bytes.size() > static_cast<size_t>(INT32_MAX))
        fail_with_file(name, "file too large");
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width,
                                            &height, &channels, 3);
    if (pixels == nullptr)
        fail_with_file(name, std::string("cannot decode: ") + stbi_failure_reason());
    BmpImage picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.assign(pixels, pixels + static_cast<size_t>(width) * height * 3);
    stbi_image_free(pixels);
    return picture;
}

void append_to_vector(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

bool is_grey(const BmpImage& picture) {
    for (size_t i = 0; i < picture.rgb.size(); i += 3) {
        if (picture.rgb[i] != picture.rgb[i + 1] || picture.rgb[i] != picture.rgb[i + 2]) {
            return false;
        }
    }
    return true;
}

// Grey pictures (every QR code) are written with one channel: a third of the
// data to compress, and the same pixels.
std::vector<uint8_t> encode_png(const BmpImage& picture, const std::string& name) {
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
        fail_with_file(name, "cannot encode PNG");
    }
    return png;
}

}  // namespace

BmpImage load_picture(const fs::path& path) {
    const std::string name = path_to_utf8(path);
    const std::vector<uint8_t> bytes = read_whole_file(path);
    if (starts_with(bytes, {'B', 'M'})) {
        BmpImage picture;
        std::string error;
        if (read_bmp(bytes.data(), bytes.size(), &picture, &error) != 0)
            fail_with_file(name, error);
        return picture;
    }
    if (starts_with(bytes, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}) ||
        starts_with(bytes, {0xFF, 0xD8, 0xFF})) {
        return decode_with_stb(bytes, name);
    }
    fail_with_file(name, "not a BMP, PNG or JPEG file");
}

PictureFormat picture_format_for(const fs::path& path) {
    std::string extension = path_to_utf8(path.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".png")
        return PictureFormat::png;
    if (extension == ".bmp")
        return PictureFormat::bmp;
    fail_usage("output '" + path_to_utf8(path) + "' must end in .png or .bmp");
}

void save_picture(const fs::path& path, const BmpImage& picture) {
    const std::string name = path_to_utf8(path);
    if (picture_format_for(path) == PictureFormat::png) {
        write_file_atomically(path, encode_png(picture, name));
    } else {
        write_file_atomically(path, encode_bmp24(picture));
    }
}
