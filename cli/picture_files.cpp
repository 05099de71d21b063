#include "picture_files.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "bmp_writer.h"
#include "cli_error.h"
#include "file_io.h"
#include "picture_limits.h"
#include "picture_reader.h"
#include "utf8_path.h"

namespace fs = std::filesystem;

namespace {

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
    std::error_code error_code;
    const uintmax_t file_bytes = fs::file_size(path, error_code);
    if (!error_code && file_bytes > static_cast<uintmax_t>(kMaxPictureFileBytes))
        fail_with_file(path_to_utf8(path), "file too large for a picture");
    const std::vector<uint8_t> bytes = read_whole_file(path);
    BmpImage picture;
    std::string error;
    if (read_picture(bytes.data(), bytes.size(), &picture, &error) != 0)
        fail_with_file(path_to_utf8(path), error);
    return picture;
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
