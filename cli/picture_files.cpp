#include "picture_files.h"

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
#include "png_writer.h"
#include "utf8_path.h"
#include "whole_files.h"

namespace fs = std::filesystem;

bool read_picture_bytes(const fs::path& path, std::vector<uint8_t>* bytes, std::string* reason) {
    switch (
        read_whole_file(path, static_cast<std::uintmax_t>(kMaxPictureFileBytes), bytes, reason)) {
        case WholeFileRead::read:
            return true;
        case WholeFileRead::too_large:
            *reason = "file too large for a picture";
            return false;
        case WholeFileRead::unreadable:
            return false;
    }
    return false;
}

bool decode_picture(const std::vector<uint8_t>& bytes, Picture* picture, std::string* reason) {
    PictureRefusal refusal;
    if (read_picture(bytes.data(), bytes.size(), picture, &refusal) != 0) {
        *reason = refusal.fault;
        return false;
    }
    return true;
}

namespace {

Picture read_picture_file(const fs::path& path, bool lossless) {
    std::vector<uint8_t> bytes;
    Picture picture;
    std::string reason;
    if (!read_picture_bytes(path, &bytes, &reason))
        fail_with_file(path_to_utf8(path), reason);
    if (lossless && has_jpeg_signature(bytes.data(), bytes.size()))
        fail_with_file(path_to_utf8(path), "a JPEG picture is lossy: give a PNG or BMP file");
    if (!decode_picture(bytes, &picture, &reason))
        fail_with_file(path_to_utf8(path), reason);
    return picture;
}

}  // namespace

Picture load_picture(const fs::path& path) {
    return read_picture_file(path, false);
}

Picture load_lossless_picture(const fs::path& path) {
    return read_picture_file(path, true);
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
