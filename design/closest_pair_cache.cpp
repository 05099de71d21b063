#include "closest_pair_cache.h"

#include <algorithm>

namespace {

int32_t pair_key(int32_t distance, int partner) {
    return distance * kPairIndexRange + partner;
}

int partner_of(int32_t key) {
    return key & kPairIndexMask;
}

// The key under which entry k competes for the pass: its cached distance with k
// itself in place of the partner, so that the first k wins among equal distances.
int32_t selection_key(int32_t cached, int k) {
    return (cached & ~kPairIndexMask) | k;
}

ColourPair pair_of_selection(const ClosestPairCache& cache, int32_t selection) {
    const int i = partner_of(selection);
    return ColourPair{i, partner_of(cache.nearest_above[i])};
}

// The smallest (distance, m) over all entries m above k.
int32_t scan_above(const ColourTable& table, int k) {
    const int size = table.size;
    int32_t best = kNoPartner;
    for (int m = k + 1; m < size; ++m) {
        best = std::min(best, pair_key(entry_distance(table, k, m), m));
    }
    return best;
}

}  // namespace

ColourPair build_closest_pair_cache(const ColourTable& table, ClosestPairCache* cache) {
    int32_t selection = kNoPartner;
    for (int k = 0; k < table.size; ++k) {
        cache->nearest_above[k] = scan_above(table, k);
        selection = std::min(selection, selection_key(cache->nearest_above[k], k));
    }
    return pair_of_selection(*cache, selection);
}

// What a merge of (i, j) changes. Entry i holds the mean, entry j holds the
// former last entry (unless j was itself last), and the former last index is
// gone. An entry k keeps a valid cache unless its partner changed or vanished in
// a way that no single comparison settles:
//   - k == i or k == j: everything above changed; their caches are rebuilt.
//   - partner j: the old colour of j is gone; rescan.
//   - partner i, k < i, and the mean is farther: something else may be nearest; rescan.
//   - partner the former last, k > j: it left k's range; rescan. (For k < j the
//     same colour now sits at j, same distance, lower index, and the comparison
//     with j takes it.)
//   - otherwise only new candidates appeared: for k < i the mean at i, for k < j
//     the entry moved into j; the smaller key wins.
//
// One sweep over the table computes, for every k, its distances to i and to j.
// Below i they update k's cache; above i and j they are the candidates of the
// rebuilt caches of i and j. The same sweep collects the next pass's selection.
// Stale entries are marked (key kNoPartner) and rescanned after the sweep.
// Everything in the sweep is branch-free, so that it vectorises.
namespace {

// Or-ed into a non-negative key, turns it into the stale mark kNoPartner.
int32_t stale_mask(bool stale) {
    return stale ? kNoPartner : 0;
}

struct Sweep {
    int i;
    int j;
    int former_last;
    int32_t moved_bias;  // kNoPartner when nothing moved into j (it was last), else 0
    int32_t selection = kNoPartner;
    int32_t above_i = kNoPartner;
    int32_t above_j = kNoPartner;
};

void sweep_below_i(const ColourTable& table, int32_t* keys, Sweep* sweep) {
    const int i = sweep->i;
    const int j = sweep->j;
    const int32_t moved_bias = sweep->moved_bias;
    int32_t selection = sweep->selection;
    for (int k = 0; k < i; ++k) {
        const int32_t cached = keys[k];
        const int partner = partner_of(cached);
        const int32_t to_mean = pair_key(entry_distance(table, k, i), i);
        const int32_t to_moved = pair_key(entry_distance(table, k, j), j) | moved_bias;
        const bool stale = (partner == j) | ((partner == i) & (to_mean > cached));
        const int32_t key = std::min(cached, std::min(to_mean, to_moved)) | stale_mask(stale);
        keys[k] = key;
        selection = std::min(selection, selection_key(key, k));
    }
    sweep->selection = selection;
}

void sweep_between_i_and_j(const ColourTable& table, int32_t* keys, Sweep* sweep) {
    const int i = sweep->i;
    const int j = sweep->j;
    const int32_t moved_bias = sweep->moved_bias;
    int32_t selection = sweep->selection;
    int32_t above_i = sweep->above_i;
    for (int k = i + 1; k < j; ++k) {
        const int32_t cached = keys[k];
        above_i = std::min(above_i, pair_key(entry_distance(table, i, k), k));
        const int32_t to_moved = pair_key(entry_distance(table, k, j), j) | moved_bias;
        const bool stale = partner_of(cached) == j;
        const int32_t key = std::min(cached, to_moved) | stale_mask(stale);
        keys[k] = key;
        selection = std::min(selection, selection_key(key, k));
    }
    sweep->selection = selection;
    sweep->above_i = above_i;
}

void sweep_above_j(const ColourTable& table, int32_t* keys, Sweep* sweep) {
    const int i = sweep->i;
    const int j = sweep->j;
    const int size = table.size;
    const int former_last = sweep->former_last;
    int32_t selection = sweep->selection;
    int32_t above_i = sweep->above_i;
    int32_t above_j = sweep->above_j;
    for (int k = j + 1; k < size; ++k) {
        const int32_t cached = keys[k];
        above_i = std::min(above_i, pair_key(entry_distance(table, i, k), k));
        above_j = std::min(above_j, pair_key(entry_distance(table, j, k), k));
        const bool stale = partner_of(cached) == former_last;
        const int32_t key = cached | stale_mask(stale);
        keys[k] = key;
        selection = std::min(selection, selection_key(key, k));
    }
    sweep->selection = selection;
    sweep->above_i = above_i;
    sweep->above_j = above_j;
}

// Real keys stay below 2^28 (see kNoPartner); the stale mark has bit 30 set.
constexpr int32_t kMarkBit = 1 << 30;
static_assert((kNoPartner & kMarkBit) != 0);
static_assert(int64_t{3 * 255 * 255 + 1} * kPairIndexRange <= kMarkBit);
constexpr int kMarkSearchBlock = 16;

// Rescans every marked entry. Marks are few, so blocks of keys are tested whole
// first. The last entry has no entry above it: its kNoPartner is no mark.
void rescan_stale_entries(const ColourTable& table, int32_t* keys, int32_t* selection) {
    const int last = table.size - 1;
    for (int start = 0; start < last; start += kMarkSearchBlock) {
        const int end = std::min(start + kMarkSearchBlock, last);
        int32_t any = 0;
        for (int k = start; k < end; ++k) {
            any |= keys[k];
        }
        if ((any & kMarkBit) == 0) {
            continue;
        }
        for (int k = start; k < end; ++k) {
            if (keys[k] == kNoPartner) {
                keys[k] = scan_above(table, k);
                *selection = std::min(*selection, selection_key(keys[k], k));
            }
        }
    }
}

}  // namespace

ColourPair update_cache_after_merge(const ColourTable& table, ColourPair merged,
                                    ClosestPairCache* cache) {
    const int size = table.size;
    const bool entry_moved_into_j = merged.j < size;
    int32_t* keys = cache->nearest_above;
    Sweep sweep{merged.i, merged.j, size, entry_moved_into_j ? 0 : kNoPartner};

    sweep_below_i(table, keys, &sweep);
    sweep_between_i_and_j(table, keys, &sweep);
    if (entry_moved_into_j) {
        sweep_above_j(table, keys, &sweep);
        sweep.above_i =
            std::min(sweep.above_i, pair_key(entry_distance(table, merged.i, merged.j), merged.j));
        keys[merged.j] = sweep.above_j;
        sweep.selection = std::min(sweep.selection, selection_key(sweep.above_j, merged.j));
    }
    keys[merged.i] = sweep.above_i;
    sweep.selection = std::min(sweep.selection, selection_key(sweep.above_i, merged.i));

    rescan_stale_entries(table, keys, &sweep.selection);
    return pair_of_selection(*cache, sweep.selection);
}
