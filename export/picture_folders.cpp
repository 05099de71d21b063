#include "picture_folders.h"

#include <algorithm>
#include <system_error>

#include "utf8_path.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kPictureExtensions[] = {".bmp", ".png", ".jpg", ".jpeg"};

std::string ascii_lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return text;
}

bool has_picture_extension(const fs::path& name) {
    const std::string extension = ascii_lower(path_to_utf8(name.extension()));
    return std::find(std::begin(kPictureExtensions), std::end(kPictureExtensions), extension) !=
           std::end(kPictureExtensions);
}

}  // namespace

bool is_folder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool list_picture_files(const fs::path& folder, std::vector<std::string>* names,
                        std::string* reason) {
    names->clear();
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code kind_error;
        if (it->is_regular_file(kind_error) && has_picture_extension(it->path().filename()))
            names->push_back(path_to_utf8(it->path().filename()));
    }
    if (error) {
        *reason = "cannot read the folder: " + error.message();
        return false;
    }
    std::sort(names->begin(), names->end(), [](const std::string& a, const std::string& b) {
        const std::string lower_a = ascii_lower(a);
        const std::string lower_b = ascii_lower(b);
        return lower_a != lower_b ? lower_a < lower_b : a < b;
    });
    return true;
}

bool create_folder(const fs::path& folder, std::string* reason) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        *reason = "cannot create the folder: " + error.message();
        return false;
    }
    return true;
}
