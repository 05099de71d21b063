// A page picture holding design QR codes among lines of dark marks, for the
// scans of command 130, written by the driver with our own renderer.
#pragma once

#include <string>
#include <vector>

#include "expected_symbols.h"
#include "picture.h"

// Up to three records' codes: two beside each other at the top (the first on
// the left), one below them, which is their reading order.
Picture page_with_codes(const std::vector<Record>& records);

// The page as a PNG file at `path`; false if it could not be written.
bool write_page_with_codes(const std::wstring& path, const std::vector<Record>& records);

// Three designs of picture_64x96.bmp, the records a page scenario expects back.
std::vector<Record> three_designs_of_picture_64x96();
