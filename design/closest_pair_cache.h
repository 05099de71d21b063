// The closest pair of a colour table, found the way an exhaustive scan finds it
// but kept up to date across merges instead of searched anew in every pass.
//
// The exhaustive scan visits pairs (i, j), i < j, with i ascending and j ascending
// within each i, and keeps a pair only when strictly closer: it yields the pair
// with the smallest (distance, i, j). For every entry k the cache holds the
// smallest (distance, m) over the entries m > k, packed into one integer as
// distance * kPairIndexRange + m; the pair is then the first k with the smallest
// cached distance, and its partner.
#pragma once

#include <cstdint>

#include "merge_colour_table.h"

inline constexpr int kPairIndexBits = 10;
inline constexpr int32_t kPairIndexRange = 1 << kPairIndexBits;  // 1024 = kTilePixels
inline constexpr int32_t kPairIndexMask = kPairIndexRange - 1;
// The key of the last entry, which has no entry above it.
inline constexpr int32_t kNoPartner = INT32_MAX;
static_assert(kPairIndexRange >= kTilePixels);
static_assert(int64_t{3 * 255 * 255 + 1} * kPairIndexRange <= kNoPartner);

struct ClosestPairCache {
    int32_t nearest_above[kTilePixels];
};

struct ColourPair {
    int i;
    int j;  // i < j
};

// Fills the cache for a table of at least two entries and returns its closest pair.
ColourPair build_closest_pair_cache(const ColourTable& table, ClosestPairCache* cache);

// Brings the cache up to date after merge_table_entries(table, merged.i, merged.j),
// table being the merged table, and returns its closest pair (meaningful while
// the table holds at least two entries).
ColourPair update_cache_after_merge(const ColourTable& table, ColourPair merged,
                                    ClosestPairCache* cache);
