// Level-M characteristics of QR versions 1 to 19, the range the version search reads.
#pragma once

inline constexpr int kMaxVersion = 19;

// Indexed by version (entry 0 unused).
extern const int kEcCodewordsPerBlockM[kMaxVersion + 1];
extern const int kBlockCountM[kMaxVersion + 1];
extern const int kAlignmentCount[kMaxVersion + 1];

// Data codewords of `version` (1..19) at level M, from its raw data modules.
int data_codeword_count(int version);

// Bits of the byte-mode character count at `version`.
int byte_count_bits(int version);

// Whole payload bytes one byte-mode segment holds at `version`, level M.
int byte_capacity(int version);

// The smallest version (1..19) whose level-M byte capacity holds `length` bytes, or -1.
int smallest_version_for(int length);
