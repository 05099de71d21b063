// Reading a picture file of any format either program takes: BMP by our own
// reader (bmp_reader.h), PNG and JPEG by stb_image after checks of our own, so
// that a damaged or truncated file is refused rather than decoded into partial
// pixels.
//
// PNG: the signature, then chunks that each lie inside the file with a correct
// CRC, IHDR first and IEND last; the zlib stream of the IDAT chunks must inflate
// to its end with a correct Adler-32. JPEG: the marker segments must lie inside
// the file and the entropy-coded scans must be followed by the EOI marker (stb
// pads a cut-off scan with zeros and would decode it); every Huffman table holds
// at most 256 codes, and every scan decodes only with tables defined before it
// (stb's decoder overruns or reads uninitialised memory otherwise). Sides are
// checked against picture_size_allowed from the header, before stb allocates
// anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "picture.h"
#include "picture_error.h"

// The format is told by the first bytes. Returns 0 with *out filled, or -1
// with *refusal set when given (and *out left empty). A picture refused as
// kTooLarge is refused for the sides its header states (found before any pixel
// memory is allocated) or for its bytes.
int read_picture(const uint8_t* data, size_t size, Picture* out, PictureRefusal* refusal);

// The sides a picture file's header states, read without checking the rest of
// the file, to weigh a picture before it is read; false when they can't be told
// (read_picture then refuses the file).
bool picture_header_sides(const uint8_t* data, size_t size, int64_t* width, int64_t* height);

// Enough of a file's start to tell every format read_picture reads.
inline constexpr size_t kPictureSignatureBytes = 8;

// Whether the first bytes carry the JPEG signature, FF D8 FF: a lossy picture.
bool has_jpeg_signature(const uint8_t* head, size_t count);

// Whether the first bytes carry the signature of a format read_picture reads:
// "BM", the PNG signature, or FF D8 FF. It says nothing of the rest of the file.
bool has_picture_signature(const uint8_t* head, size_t count);
