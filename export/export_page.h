// The index page of an export: every design's preview and QR code in grid order.
#pragma once

#include <string>

// The page's file name within the export folder.
inline constexpr wchar_t kExportPageName[] = L"index.html";

// File names of design `number` (from 1) within the export folder.
std::string design_file_stem(int number);  // "design-001"

// A self-contained HTML page (no scripts, no outside resources) for `count`
// designs in rows of `columns` (columns x rows when the grid is full), referring
// to the files beside it. Each QR code is
// shown at half its file's size, as the window shows it, and links to the file.
std::string make_export_page(const std::string& title, int columns, int rows, int count);
