// The scan: grey and threshold, finder candidates, triples, then for each
// triple a few ways to map and sample the symbol, each handed whole to the decoder.
#include "design_scanner.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <set>
#include <thread>

#include "decoder.h"
#include "finder_triples.h"
#include "qr_profile.h"
#include "scan_picture.h"
#include "scan_ticker.h"
#include "symbol_grid.h"
#include "symbol_sampler.h"
#include "unread_symbols.h"

namespace {

// A picture where nothing was found is looked at again at half the size,
// unless it is this small: a symbol it holds has modules of a pixel or two.
constexpr int kMinHalvedSide = 200;
// Below this mean grey a picture is searched for light-on-dark codes whatever
// the options say.
constexpr int kDarkPictureGrey = 100;
// A clear finder is met by rows across most of its core; chance ones in noise
// and print are met by few.
constexpr double kClearRowsPerModule = 1.5;

bool clear_finder(const FinderCandidate& c) {
    return c.hits >= kClearRowsPerModule * c.module_size;
}

// Nor is it when the first pass saw no clear finder of at least this many
// pixels a module: halving only helps codes of large modules, and noise and
// print make small chance ones.
constexpr double kMinHalvedModule = 3.0;

bool worth_halving(const std::vector<FinderCandidate>& candidates) {
    return std::any_of(candidates.begin(), candidates.end(), [](const auto& c) {
        return c.module_size >= kMinHalvedModule && clear_finder(c);
    });
}

// The first pass splits dark from light by the typical greys close by. Where
// it read nothing and saw only one to three clear finders, the picture is
// split again by the darkest grey close by, as a monitor's pixel grid across a
// finder's light ring needs: some of a code's finders seen, the code not read.
// Not where chance finders lie everywhere, as in noise.
constexpr double kMinSplitAgainModule = 2.0;
constexpr long kMaxFindersSeen = 3;
constexpr double kMaxChanceFindersPerRegion = 1.0;

bool worth_splitting_by_darkest(const std::vector<FinderCandidate>& candidates, int width,
                                int height) {
    const double regions = (width / double(kQrSide) + 1) * (height / double(kQrSide) + 1);
    if (candidates.size() > kMaxChanceFindersPerRegion * regions)
        return false;
    const long clear = std::count_if(candidates.begin(), candidates.end(), [](const auto& c) {
        return c.module_size >= kMinSplitAgainModule && clear_finder(c);
    });
    return clear >= 1 && clear <= kMaxFindersSeen;
}

// The symbol's outer corners under a grid.
std::array<PicturePoint, 4> corners_of(const SymbolGrid& grid) {
    const double side = kQrSide;
    return {grid({0, 0}), grid({side, 0}), grid({side, side}), grid({0, side})};
}

double module_size_of(const std::array<PicturePoint, 4>& c) {
    double sum = 0;
    for (int k = 0; k < 4; ++k) {
        const double dx = c[(k + 1) % 4].x - c[k].x, dy = c[(k + 1) % 4].y - c[k].y;
        sum += std::sqrt(dx * dx + dy * dy);
    }
    return sum / 4 / kQrSide;
}

// The sampled symbol: its greys, its modules in dark and light, and the
// decoder's buffers, all the scan's own.
struct ScanBuffers {
    SampledGreys greys;
    SampledCells cells;
    DecoderBuffers decoder;
};

// Thresholds sampled greys and, when they could be our symbol, decodes them;
// a light-on-dark symbol's modules are read with the colours swapped.
// A mirror image, as a front camera takes it, reads as the transposed grid;
// it is read only when neither format copy of the grid as sampled reads as
// level M, and both copies of the transposed grid read as the same word: a
// chance grid is not taken for a mirrored symbol.
DecodeError try_decode(ScanBuffers& buffers, ModuleThreshold threshold, bool light,
                       RecordBytes& record) {
    threshold_cells(buffers.greys, threshold, buffers.cells);
    if (light)
        for (uint8_t& cell : buffers.cells)
            cell ^= kCellDark;
    if (!could_be_version_19(buffers.cells))
        return DecodeError::kNoFormatInformation;
    uint8_t* grid = buffers.decoder.working_matrix;
    std::memcpy(grid, buffers.cells.data(), kQrCells);
    const DecodeError error = decode_qr_with_reason(record.data(), buffers.decoder);
    if (error != DecodeError::kNoFormatInformation)
        return error;
    SampledCells& transposed = buffers.cells;
    for (int row = 0; row < kQrSide; ++row)
        for (int col = row + 1; col < kQrSide; ++col)
            std::swap(transposed[row * kQrSide + col], transposed[col * kQrSide + row]);
    if (!format_copies_agree(transposed))
        return error;
    std::memcpy(grid, transposed.data(), kQrCells);
    return decode_qr_with_reason(record.data(), buffers.decoder);
}

// Every block corrected, so every module was read right: the symbol holds
// something else than a design, and reading it again will not change that.
bool read_but_not_a_design(DecodeError error) {
    return error == DecodeError::kWrongMode || error == DecodeError::kWrongLength;
}

// What the passes over one picture have found so far, in the original's pixels.
struct ScanFindings {
    std::vector<ScannedDesign> designs;
    std::vector<SymbolQuad> read;  // every symbol read whole, design or not
    std::vector<UnreadSymbol> unread;
};

// Counted as pixels visited: a quick look at a triple's timing patterns, a
// fit through the alignment patterns, sampling every module.
constexpr uint64_t kGateLooks = 2 * (kQrSide - 16);
constexpr uint64_t kFitLooks = 8192;
constexpr uint64_t kSampleLooks = kQrCells;

// A way to place one triple's modules, and whether to read them with the
// symbol's own threshold as well as the picture's.
struct Placement {
    SymbolGrid grid;
    bool both_thresholds;
};

// The ways to place one triple's modules, the most exact first. Without a fit
// through the alignment patterns only the finders' own map is tried, once.
std::vector<Placement> placements_for(const ScanPicture& picture, const FinderTriple& triple,
                                      LocalThreshold kind) {
    std::vector<Placement> placements;
    const auto affine = finder_map(triple);
    const auto fit = fit_symbol(picture, triple, kind);
    if (fit) {
        placements.push_back({fit->cells, true});
        placements.push_back({SymbolGrid(fit->whole), true});
    }
    if (affine)
        placements.push_back({SymbolGrid(*affine), fit.has_value()});
    return placements;
}

// Top to bottom, rows grouped when centres lie within half a symbol, then left to right.
void sort_into_reading_order(std::vector<ScannedDesign>& designs) {
    std::stable_sort(designs.begin(), designs.end(), [](const auto& a, const auto& b) {
        return symbol_centre(a).y < symbol_centre(b).y;
    });
    size_t row_start = 0;
    for (size_t k = 1; k <= designs.size(); ++k) {
        const bool new_row =
            k == designs.size() ||
            symbol_centre(designs[k]).y - symbol_centre(designs[row_start]).y >
                kQrSide * std::max(designs[k].module_size, designs[row_start].module_size) / 2;
        if (!new_row)
            continue;
        std::stable_sort(
            designs.begin() + row_start, designs.begin() + k,
            [](const auto& a, const auto& b) { return symbol_centre(a).x < symbol_centre(b).x; });
        row_start = k;
    }
}

// Candidates and triples are capped per region the size of one code at one
// pixel a module: room for the finders of every code touching it, and for the
// likeliest triples of those codes, however many codes the picture holds.
constexpr int kRegionSide = kQrSide;
constexpr size_t kCandidatesPerRegion = 24;
constexpr int kTriplesPerRegion = 12;

// Finders this small are chance patterns everywhere in noise and print; a
// triple of them must show its timing patterns under the finders' own map
// before the slower fit through the alignment patterns is looked for. Codes
// this small lie flat: on screens and pages, not photographed.
constexpr double kSmallModule = 2.0;

bool timing_shown(const ScanPicture& picture, const FinderTriple& triple) {
    const auto affine = finder_map(triple);
    return affine && timing_patterns_shown(picture, *affine, triple.light);
}

int region_of(double x, double y, int regions_across) {
    return static_cast<int>(y) / kRegionSide * regions_across + static_cast<int>(x) / kRegionSide;
}

// A triple of clear finders not read under the threshold from the darkest grey
// close by is tried again under the typical one where the two lie this far
// apart at its finders, its far corner or its middle: a grey code beside
// darker text, or across a shadow's edge.
constexpr int kThresholdsApart = 8;

bool thresholds_differ(const ScanPicture& picture, const FinderTriple& t) {
    const PicturePoint far{t.top_right.x + t.bottom_left.x - t.top_left.x,
                           t.top_right.y + t.bottom_left.y - t.top_left.y};
    const PicturePoint middle{(t.top_right.x + t.bottom_left.x) / 2,
                              (t.top_right.y + t.bottom_left.y) / 2};
    for (PicturePoint p : {t.top_left, t.top_right, t.bottom_left, far, middle}) {
        const int apart = picture.threshold_at(p.x, p.y, LocalThreshold::darkest) -
                          picture.threshold_at(p.x, p.y, LocalThreshold::typical);
        if (std::abs(apart) >= kThresholdsApart)
            return true;
    }
    return false;
}

// How one triple went, its modules and alignment patterns told dark or light by
// the picture's threshold of `kind`: read (a design or not), seen as a
// design-sized symbol beyond repair under every placement and threshold, or neither.
enum class TripleOutcome { read, unread, nothing };

TripleOutcome try_triple(const ScanPicture& picture, const FinderTriple& triple,
                         LocalThreshold kind, double scale, ScanBuffers& buffers,
                         ScanTicker& ticker, ScanFindings& found, bool count_unread) {
    bool beyond_repair_everywhere = true;
    bool decoded_any = false;
    std::array<PicturePoint, 4> first_corners{};
    if (!ticker.step(kFitLooks))
        return TripleOutcome::nothing;
    for (const Placement& placement : placements_for(picture, triple, kind)) {
        std::array<PicturePoint, 4> corners = corners_of(placement.grid);
        for (PicturePoint& c : corners)
            c.x *= scale, c.y *= scale;
        if (!decoded_any)
            first_corners = corners;
        if (!placement.both_thresholds &&
            !timing_patterns_agree(picture, placement.grid, triple.light, kind)) {
            beyond_repair_everywhere = false;
            continue;
        }
        sample_greys(picture, placement.grid, kind, buffers.greys);
        if (!ticker.step(kSampleLooks))
            return TripleOutcome::nothing;
        RecordBytes record;
        DecodeError error = DecodeError::kNoFormatInformation;
        for (ModuleThreshold threshold : {ModuleThreshold::picture, ModuleThreshold::symbol}) {
            if (threshold == ModuleThreshold::symbol && !placement.both_thresholds)
                break;
            error = try_decode(buffers, threshold, triple.light, record);
            decoded_any = true;
            if (!ticker.decoded())
                return TripleOutcome::nothing;
            if (error == DecodeError::kNone || read_but_not_a_design(error))
                break;
            beyond_repair_everywhere = beyond_repair_everywhere &&
                                       error == DecodeError::kBlockBeyondCorrection &&
                                       version_19_shown(buffers.cells);
        }
        if (error != DecodeError::kNone && !read_but_not_a_design(error))
            continue;
        found.read.push_back(corners);
        const bool known = std::any_of(found.designs.begin(), found.designs.end(),
                                       [&](const auto& d) { return d.record == record; });
        if (error == DecodeError::kNone && !known)
            found.designs.push_back({record, corners, module_size_of(corners)});
        return TripleOutcome::read;
    }
    if (!decoded_any || !beyond_repair_everywhere)
        return TripleOutcome::nothing;
    if (!count_unread)
        return TripleOutcome::unread;
    const PicturePoint centre{(first_corners[0].x + first_corners[2].x) / 2,
                              (first_corners[0].y + first_corners[2].y) / 2};
    found.unread.push_back({{PicturePoint{triple.top_left.x * scale, triple.top_left.y * scale},
                             {triple.top_right.x * scale, triple.top_right.y * scale},
                             {triple.bottom_left.x * scale, triple.bottom_left.y * scale}},
                            centre,
                            module_size_of(first_corners)});
    return TripleOutcome::unread;
}

}  // namespace

struct ScanWorkspace::State {
    ScanWork work;
    ScanPicture full;
    ScanPicture half;
    std::vector<FinderHit> hits;
    std::vector<std::vector<FinderHit>> band_hits;  // one list for each band but the first
    std::vector<FinderCandidate> candidates;
    std::vector<ScoredTriple> triples;
    ScanBuffers buffers;
};

ScanWorkspace::ScanWorkspace() : state_(std::make_unique<State>()) {}
ScanWorkspace::~ScanWorkspace() = default;
ScanWorkspace::ScanWorkspace(ScanWorkspace&&) noexcept = default;
ScanWorkspace& ScanWorkspace::operator=(ScanWorkspace&&) noexcept = default;
const ScanWork& ScanWorkspace::work() const {
    return state_->work;
}

namespace {

// While workers search, the calling thread looks at their work this often.
constexpr std::chrono::milliseconds kWorkerLook{2};

// The finder candidates of the picture. With several threads each searches a
// band of rows into its own list of hits, the calling thread the first band;
// the lists joined in row order are the hits one thread finds, so the
// candidates are the same for any number of threads. Only the calling thread
// calls back, counting the work of all.
void search_bands(const ScanPicture& picture, const ScanOptions& options, ScanTicker& ticker,
                  ScanWorkspace::State& state) {
    const int threads = options.threads;
    state.hits.clear();
    state.candidates.clear();
    const int bands = std::clamp(threads, 1, std::max(1, picture.height() / kRegionSide));
    if (bands == 1) {
        find_finder_candidates(picture, options.light_on_dark, ticker, state.hits,
                               state.candidates);
        return;
    }
    state.band_hits.resize(bands - 1);
    std::atomic<uint64_t> workers_pixels{0};
    std::atomic<bool> stop{false};
    std::atomic<int> running{bands - 1};
    uint64_t counted = 0;
    auto count_workers = [&] {
        const uint64_t pixels = workers_pixels.load();
        const bool going = ticker.step(pixels - counted);
        counted = pixels;
        if (!going)
            stop = true;
        return going;
    };
    auto band_rows = [&](int band) {
        return std::pair{
            static_cast<int>(static_cast<int64_t>(picture.height()) * band / bands),
            static_cast<int>(static_cast<int64_t>(picture.height()) * (band + 1) / bands)};
    };
    std::vector<std::thread> workers;
    for (int band = 1; band < bands; ++band) {
        std::vector<FinderHit>& hits = state.band_hits[band - 1];
        hits.clear();
        workers.emplace_back([&, band] {
            const auto [first, end] = band_rows(band);
            find_finder_hits(
                picture, first, end, options.light_on_dark,
                [&](uint64_t pixels) {
                    workers_pixels += pixels;
                    return !stop.load();
                },
                hits);
            --running;
        });
    }
    const auto [first, end] = band_rows(0);
    find_finder_hits(
        picture, first, end, options.light_on_dark,
        [&](uint64_t pixels) { return ticker.step(pixels) && count_workers(); }, state.hits);
    if (ticker.cancelled())
        stop = true;
    while (running.load() > 0) {
        std::this_thread::sleep_for(kWorkerLook);
        count_workers();
    }
    for (std::thread& worker : workers)
        worker.join();
    if (ticker.cancelled())
        return;
    for (const auto& hits : state.band_hits)
        state.hits.insert(state.hits.end(), hits.begin(), hits.end());
    gather_finder_candidates(picture, state.hits, ticker, state.candidates);
}

// One pass over a picture at 1 / scale of the original size. Rounds of
// triples are tried until one reads nothing new: the finders inside each
// symbol read, or passed over as read but not a design, are set aside, and the
// candidates below the cap move up. False when cancelled.
bool scan_pass(const ScanPicture& picture, double scale, const ScanOptions& options,
               ScanTicker& ticker, ScanWorkspace::State& state, ScanFindings& found) {
    search_bands(picture, options, ticker, state);
    const std::vector<FinderCandidate>& candidates = state.candidates;
    if (ticker.cancelled())
        return false;
    const int regions_across = picture.width() / kRegionSide + 1;
    const int regions = regions_across * (picture.height() / kRegionSide + 1);
    std::vector<uint8_t> set_aside(candidates.size(), 0);
    std::vector<uint8_t> chosen_before(candidates.size(), 0);
    std::vector<uint8_t> tried_again(candidates.size(), 0);
    auto set_aside_inside = [&](const SymbolQuad& quad) {
        for (size_t k = 0; k < candidates.size(); ++k)
            if (quad_holds(quad, {candidates[k].x * scale, candidates[k].y * scale}))
                set_aside[k] = 1;
    };
    std::set<std::array<uint32_t, 3>> tried;
    std::vector<FinderCandidate> chosen;
    std::vector<uint32_t> chosen_index;
    std::vector<size_t> admitted(regions);
    std::vector<int> budget(regions);
    std::vector<ScoredTriple>& triples = state.triples;
    for (bool read_something = true; read_something;) {
        read_something = false;
        // The strongest candidates of each region still in play.
        chosen.clear(), chosen_index.clear();
        std::fill(admitted.begin(), admitted.end(), 0);
        for (uint32_t k = 0; k < candidates.size(); ++k) {
            const FinderCandidate& c = candidates[k];
            size_t& count = admitted[region_of(c.x, c.y, regions_across)];
            if (set_aside[k] || count == kCandidatesPerRegion)
                continue;
            ++count;
            chosen.push_back(c), chosen_index.push_back(k);
        }
        if (!ticker.keep_going())
            return false;
        finder_triples(chosen, kTriplesPerRegion, kRegionSide, ticker, triples);
        if (ticker.cancelled())
            return false;
        // Triples of candidates all chosen before were formed before; each round
        // tries only those a candidate new to it takes part in.
        std::erase_if(triples, [&](const ScoredTriple& t) {
            return chosen_before[chosen_index[t.finders[0]]] &&
                   chosen_before[chosen_index[t.finders[1]]] &&
                   chosen_before[chosen_index[t.finders[2]]];
        });
        for (uint32_t k : chosen_index)
            chosen_before[k] = 1;
        std::fill(budget.begin(), budget.end(), kTriplesPerRegion);
        for (const ScoredTriple& scored : triples) {
            std::array<uint32_t, 3> finders;
            for (int k = 0; k < 3; ++k)
                finders[k] = chosen_index[scored.finders[k]];
            if (set_aside[finders[0]] || set_aside[finders[1]] || set_aside[finders[2]])
                continue;
            const FinderTriple& triple = scored.triple;
            int& left = budget[region_of(triple.top_left.x, triple.top_left.y, regions_across)];
            if (left == 0 || !tried.insert(finders).second)
                continue;
            --left;
            if (!ticker.step(kGateLooks))
                return false;
            if (triple.module_size < kSmallModule && !timing_shown(picture, triple))
                continue;
            TripleOutcome outcome = try_triple(picture, triple, LocalThreshold::darkest, scale,
                                               state.buffers, ticker, found, true);
            // Each finder takes part in one such second try at most: the
            // likeliest triple of a symbol's finders comes first.
            const bool again = std::all_of(finders.begin(), finders.end(), [&](uint32_t k) {
                return !tried_again[k] && clear_finder(candidates[k]);
            });
            if (outcome != TripleOutcome::read && !ticker.cancelled() && again &&
                thresholds_differ(picture, triple)) {
                for (uint32_t k : finders)
                    tried_again[k] = 1;
                if (try_triple(picture, triple, LocalThreshold::typical, scale, state.buffers,
                               ticker, found, false) == TripleOutcome::read)
                    outcome = TripleOutcome::read;
            }
            if (ticker.cancelled())
                return false;
            if (outcome == TripleOutcome::read) {
                set_aside_inside(found.read.back());
                read_something = true;
            }
        }
    }
    return true;
}

}  // namespace

PicturePoint symbol_centre(const ScannedDesign& design) {
    double x = 0, y = 0;
    for (const PicturePoint& c : design.corners)
        x += c.x, y += c.y;
    return {x / 4, y / 4};
}

ScanResult scan_designs(const Picture& picture, ScanWorkspace& workspace,
                        const ScanOptions& options, const ScanProgress& progress) {
    ScanWorkspace::State& state = workspace.state();
    ScanTicker ticker(progress, state.work);
    ScanResult result;
    auto cancelled = [&] {
        result.outcome = ScanOutcome::cancelled;
        return result;
    };
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() < static_cast<size_t>(picture.width) * picture.height * 3)
        return result;
    ScanFindings found;
    state.full.assign(picture, ticker);
    // A picture mostly dark, as a dark-mode page, is searched for light codes too.
    ScanOptions search = options;
    search.light_on_dark = options.light_on_dark || state.full.mean_grey() < kDarkPictureGrey;
    if (ticker.cancelled() || !scan_pass(state.full, 1, search, ticker, state, found))
        return cancelled();
    if (found.read.empty() && found.unread.empty() &&
        worth_splitting_by_darkest(state.candidates, picture.width, picture.height)) {
        state.full.make_dark_from(LocalThreshold::darkest, ticker);
        if (ticker.cancelled() || !scan_pass(state.full, 1, search, ticker, state, found))
            return cancelled();
    }
    if (found.designs.empty() && std::min(picture.width, picture.height) >= kMinHalvedSide &&
        worth_halving(state.candidates)) {
        state.half.assign_halved(state.full, ticker);
        if (ticker.cancelled() || !scan_pass(state.half, 2, search, ticker, state, found))
            return cancelled();
    }
    result.unread_symbols = count_unread(found.unread, found.read);
    result.designs = std::move(found.designs);
    sort_into_reading_order(result.designs);
    return result;
}

ScanResult scan_designs(const Picture& picture, const ScanProgress& progress) {
    ScanWorkspace workspace;
    return scan_designs(picture, workspace, ScanOptions{}, progress);
}
