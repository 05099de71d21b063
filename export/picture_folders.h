// Folders for a scan of several pictures: a folder that stands for the pictures
// in it, and the folder the designs go to.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

bool is_folder(const std::filesystem::path& path);

// The names of the BMP, PNG and JPEG files directly in `folder`, told by their
// extension in any case (.bmp, .png, .jpg, .jpeg), in name order: compared
// without regard to ASCII case, then byte for byte. False, with one line in
// *reason, when the folder can't be read.
bool list_picture_files(const std::filesystem::path& folder, std::vector<std::string>* names,
                        std::string* reason);

// Creates the folder and any missing above it; false, with one line in *reason, on failure.
bool create_folder(const std::filesystem::path& folder, std::string* reason);
