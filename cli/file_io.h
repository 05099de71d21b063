// Reading whole files, and writing them whole or not at all.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "design_record.h"
#include "qr_profile.h"

inline constexpr size_t kRecordFileSize = kDesignRecordSize;
static_assert(kDesignRecordSize == kQrPayloadLength, "a design record is one QR payload");
using RecordBytes = std::array<uint8_t, kRecordFileSize>;

// The file's bytes; throws CliError (bad input) naming the file on failure.
std::vector<uint8_t> read_whole_file(const std::filesystem::path& path);

// A design record file: exactly kRecordFileSize bytes.
RecordBytes read_record_file(const std::filesystem::path& path);

// Writes a temporary file beside path, then renames it over path, so path holds
// either its old contents or all of the new ones. Throws CliError on failure.
void write_file_atomically(const std::filesystem::path& path, std::string_view bytes);
void write_file_atomically(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
