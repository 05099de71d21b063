// Pictures in and out: in through the picture reader, out as BMP by our own
// writer or PNG by stb.
#pragma once

#include <filesystem>

#include "picture.h"

// Reads a BMP, PNG or JPEG file, told by its first bytes, as RGB rows top row
// first (read_picture_file of whole_files.h). Throws CliError (bad input) naming
// the file and its fault.
Picture load_picture(const std::filesystem::path& path);

// load_picture for a BMP or PNG file only: a JPEG is refused as lossy.
Picture load_lossless_picture(const std::filesystem::path& path);

enum class PictureFormat { png, bmp };

// The output format named by the file's extension (.png or .bmp, any case);
// anything else is a usage error.
PictureFormat picture_format_for(const std::filesystem::path& path);

// Encodes the picture in the format its extension names and writes it atomically.
void save_picture(const std::filesystem::path& path, const Picture& picture);
