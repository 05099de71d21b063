// Reading whole files, and writing them whole or not at all.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "design_record.h"

// The file's bytes; throws CliError (bad input) naming the file on failure.
std::vector<uint8_t> read_whole_file(const std::filesystem::path& path);

// A design record file: exactly kDesignRecordSize bytes.
RecordBytes read_record_file(const std::filesystem::path& path);

// write_file_atomically of atomic_file.h; throws CliError naming the file on failure.
void write_file_atomically(const std::filesystem::path& path, std::span<const uint8_t> bytes);
