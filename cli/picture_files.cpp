#include "picture_files.h"

#include <algorithm>
#include <string>
#include <vector>

#include "bmp_writer.h"
#include "cli_error.h"
#include "file_io.h"
#include "picture_reader.h"
#include "png_writer.h"
#include "utf8_path.h"
#include "whole_files.h"

namespace fs = std::filesystem;

namespace {

Picture read_picture_or_fail(const fs::path& path, bool lossless) {
    std::vector<uint8_t> bytes;
    Picture picture;
    std::string fault;
    if (read_picture_file_bytes(path, &bytes, &fault) != PictureLoad::loaded)
        fail_with_file(path_to_utf8(path), fault);
    if (lossless && has_jpeg_signature(bytes.data(), bytes.size()))
        fail_with_file(path_to_utf8(path), "a JPEG picture is lossy: give a PNG or BMP file");
    if (picture_from_bytes(bytes, &picture, &fault) != PictureLoad::loaded)
        fail_with_file(path_to_utf8(path), fault);
    return picture;
}

}  // namespace

Picture load_picture(const fs::path& path) {
    return read_picture_or_fail(path, false);
}

Picture load_lossless_picture(const fs::path& path) {
    return read_picture_or_fail(path, true);
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

void save_picture(const fs::path& path, const Picture& picture) {
    const std::string name = path_to_utf8(path);
    if (picture_format_for(path) == PictureFormat::png) {
        const std::vector<uint8_t> png = encode_png(picture);
        if (png.empty())
            fail_with_file(name, "cannot encode PNG");
        write_file_atomically(path, png);
    } else {
        write_file_atomically(path, encode_bmp24(picture));
    }
}
