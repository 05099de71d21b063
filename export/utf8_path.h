// File names travel through both programs as UTF-8 strings, whatever the platform.
#pragma once

#include <filesystem>
#include <string>

std::filesystem::path path_from_utf8(const std::string& text);
std::string path_to_utf8(const std::filesystem::path& path);
