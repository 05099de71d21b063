#include "scan_picture.h"

#include <algorithm>
#include <cmath>

namespace {

// Rec. 601 luma weights in 1/256.
constexpr int kRedWeight = 77;
constexpr int kGreenWeight = 150;
constexpr int kBlueWeight = 29;
static_assert(kRedWeight + kGreenWeight + kBlueWeight == 256);

// The threshold is the mean over (2k + 1)^2 blocks, k from the picture's
// smaller side, so that the window spans a finder pattern's dark core at any
// module size a picture of that size can hold.
constexpr int kMinBlockRadius = 2;
constexpr int kMaxBlockRadius = 24;
constexpr int kSideBlocksPerRadius = 12;
// Pixels this close under the mean still count as light: flat areas and
// compression noise stay light.
constexpr int kThresholdMargin = 3;
// The darkest and lightest grey are looked for this many blocks around.
constexpr int kRangeBlocks = 2;
// The typical threshold's mean is over this many blocks around.
constexpr int kNearBlocks = 3;

// A buffer grows this many bytes at a time, the ticker counting each as a pixel.
constexpr size_t kGrowthStep = size_t{1} << 18;

template <typename T>
void grow(std::vector<T>& v, size_t size, ScanTicker& ticker) {
    // What the buffer held is not kept: one allocation, nothing copied.
    if (v.capacity() < size) {
        v = std::vector<T>();
        v.reserve(size);
    }
    while (v.size() < size) {
        const size_t step = std::min(size - v.size(), kGrowthStep / sizeof(T));
        v.resize(v.size() + step);
        ticker.step(step * sizeof(T));
    }
    v.resize(size);
}

}  // namespace

void ScanPicture::set_size(int width, int height, ScanTicker& ticker) {
    width_ = width;
    height_ = height;
    blocks_x_ = (width_ + kBlockSide - 1) / kBlockSide;
    blocks_y_ = (height_ + kBlockSide - 1) / kBlockSide;
    const size_t pixels = static_cast<size_t>(width_) * height_;
    grow(grey_, pixels, ticker);
    grow(dark_, pixels, ticker);
}

void ScanPicture::assign(const Picture& picture, ScanTicker& ticker) {
    set_size(picture.width, picture.height, ticker);
    make_thresholds(&picture, ticker);
    make_dark_from(LocalThreshold::typical, ticker);
}

void ScanPicture::assign_halved(const ScanPicture& full, ScanTicker& ticker) {
    set_size(std::max(1, full.width_ / 2), std::max(1, full.height_ / 2), ticker);
    for (int y = 0; y < height_; ++y) {
        const int y0 = std::min(2 * y, full.height_ - 1),
                  y1 = std::min(2 * y + 1, full.height_ - 1);
        for (int x = 0; x < width_; ++x) {
            const int x0 = std::min(2 * x, full.width_ - 1),
                      x1 = std::min(2 * x + 1, full.width_ - 1);
            grey_[static_cast<size_t>(y) * width_ + x] =
                static_cast<uint8_t>((full.grey(x0, y0) + full.grey(x1, y0) + full.grey(x0, y1) +
                                      full.grey(x1, y1) + 2) /
                                     4);
        }
        if (!ticker.step(4 * static_cast<uint64_t>(width_)))
            return;
    }
    make_thresholds(nullptr, ticker);
    make_dark_from(LocalThreshold::typical, ticker);
}

void ScanPicture::make_grey_rows(const Picture& picture, int first_row, int end_row) {
    for (int y = first_row; y < end_row; ++y) {
        const uint8_t* in = picture.rgb.data() + static_cast<size_t>(y) * width_ * 3;
        uint8_t* out = grey_.data() + static_cast<size_t>(y) * width_;
        for (int x = 0; x < width_; ++x, in += 3)
            out[x] = static_cast<uint8_t>(
                (kRedWeight * in[0] + kGreenWeight * in[1] + kBlueWeight * in[2]) >> 8);
    }
}

void ScanPicture::make_thresholds(const Picture* source, ScanTicker& ticker) {
    // Sums and pixel counts of each block, then their running sums over blocks.
    const size_t stride = static_cast<size_t>(blocks_x_) + 1;
    const size_t blocks = static_cast<size_t>(blocks_x_) * blocks_y_;
    grow(sums_, stride * (blocks_y_ + 1), ticker);
    grow(counts_, stride * (blocks_y_ + 1), ticker);
    grow(block_min_, blocks, ticker);
    grow(block_max_, blocks, ticker);
    grow(block_threshold_, blocks, ticker);
    grow(typical_threshold_, blocks, ticker);
    std::fill_n(sums_.begin(), stride, 0);
    std::fill_n(counts_.begin(), stride, 0);
    std::fill(block_min_.begin(), block_min_.end(), 255);
    std::fill(block_max_.begin(), block_max_.end(), 0);
    std::vector<uint64_t>& sums = sums_;
    std::vector<uint32_t>& counts = counts_;
    std::vector<uint8_t>& block_min = block_min_;
    std::vector<uint8_t>& block_max = block_max_;
    std::vector<uint64_t> row_sums(blocks_x_);
    std::vector<uint32_t> row_counts(blocks_x_);
    for (int by = 0; by < blocks_y_; ++by) {
        std::fill(row_sums.begin(), row_sums.end(), 0);
        std::fill(row_counts.begin(), row_counts.end(), 0);
        sums[(by + 1) * stride] = 0;
        counts[(by + 1) * stride] = 0;
        uint8_t* mins = block_min.data() + static_cast<size_t>(by) * blocks_x_;
        uint8_t* maxs = block_max.data() + static_cast<size_t>(by) * blocks_x_;
        const int y_end = std::min(height_, (by + 1) * kBlockSide);
        // Grey levels and block sums in one pass: the block's rows are summed
        // while they are still in the cache.
        if (source)
            make_grey_rows(*source, by * kBlockSide, y_end);
        for (int y = by * kBlockSide; y < y_end; ++y) {
            const uint8_t* row = grey_.data() + static_cast<size_t>(y) * width_;
            for (int bx = 0; bx < blocks_x_; ++bx) {
                const uint8_t* block = row + bx * kBlockSide;
                const int n = std::min(kBlockSide, width_ - bx * kBlockSide);
                unsigned sum = 0;
                uint8_t low = mins[bx], high = maxs[bx];
                for (int i = 0; i < n; ++i) {
                    sum += block[i];
                    low = std::min(low, block[i]);
                    high = std::max(high, block[i]);
                }
                row_sums[bx] += sum;
                row_counts[bx] += static_cast<uint32_t>(n);
                mins[bx] = low;
                maxs[bx] = high;
            }
        }
        if (!ticker.step(static_cast<uint64_t>(width_) * kBlockSide * (source ? 2 : 1)))
            return;
        for (int bx = 0; bx < blocks_x_; ++bx) {
            const size_t at = (by + 1) * stride + bx + 1;
            sums[at] = row_sums[bx] + sums[at - 1] + sums[at - stride] - sums[at - stride - 1];
            counts[at] =
                row_counts[bx] + counts[at - 1] + counts[at - stride] - counts[at - stride - 1];
        }
    }
    const size_t last = static_cast<size_t>(blocks_y_) * stride + blocks_x_;
    mean_grey_ = static_cast<int>(sums[last] / std::max<uint64_t>(counts[last], 1));
    make_block_thresholds(ticker);
}

void ScanPicture::make_block_thresholds(ScanTicker& ticker) {
    const size_t stride = static_cast<size_t>(blocks_x_) + 1;
    const size_t blocks = static_cast<size_t>(blocks_x_) * blocks_y_;
    const int radius = std::clamp(std::min(blocks_x_, blocks_y_) / kSideBlocksPerRadius,
                                  kMinBlockRadius, kMaxBlockRadius);
    auto window_mean = [&](int bx, int by, int reach) {
        const int x0 = std::max(0, bx - reach), x1 = std::min(blocks_x_, bx + reach + 1);
        const int y0 = std::max(0, by - reach), y1 = std::min(blocks_y_, by + reach + 1);
        const uint64_t sum = sums_[y1 * stride + x1] - sums_[y0 * stride + x1] -
                             sums_[y1 * stride + x0] + sums_[y0 * stride + x0];
        const uint32_t count = counts_[y1 * stride + x1] - counts_[y0 * stride + x1] -
                               counts_[y1 * stride + x0] + counts_[y0 * stride + x0];
        // In doubles, whose division is quicker than the integers' and here as exact.
        return static_cast<int>(static_cast<double>(sum) / std::max<uint32_t>(count, 1));
    };
    // The darkest and lightest greys of the blocks in range, and their sums,
    // along each row of blocks first, then down the rows.
    grow(row_low_, blocks, ticker);
    grow(row_high_, blocks, ticker);
    grow(row_lows_, blocks, ticker);
    grow(row_highs_, blocks, ticker);
    for (int by = 0; by < blocks_y_; ++by) {
        const size_t row = static_cast<size_t>(by) * blocks_x_;
        for (int bx = 0; bx < blocks_x_; ++bx) {
            uint8_t low = 255, high = 0;
            uint16_t lows = 0, highs = 0;
            for (int nx = std::max(0, bx - kRangeBlocks);
                 nx <= std::min(blocks_x_ - 1, bx + kRangeBlocks); ++nx) {
                low = std::min(low, block_min_[row + nx]);
                high = std::max(high, block_max_[row + nx]);
                lows = static_cast<uint16_t>(lows + block_min_[row + nx]);
                highs = static_cast<uint16_t>(highs + block_max_[row + nx]);
            }
            row_low_[row + bx] = low, row_high_[row + bx] = high;
            row_lows_[row + bx] = lows, row_highs_[row + bx] = highs;
        }
    }
    // Each block looks at the blocks of its range around it.
    constexpr uint64_t kRangeLooks = 2 * (2 * kRangeBlocks + 1) * (2 * kRangeBlocks + 1);
    for (int by = 0; by < blocks_y_; ++by) {
        if (!ticker.step(kRangeLooks * blocks_x_))
            return;
        const int y0 = std::max(0, by - kRangeBlocks);
        const int y1 = std::min(blocks_y_ - 1, by + kRangeBlocks);
        for (int bx = 0; bx < blocks_x_; ++bx) {
            // Where both dark and light lie close by, never above their middle:
            // thin light lines between dark modules, greyed by blur, stay light
            // on a page that is mostly white.
            int low = 255, high = 0, lows = 0, highs = 0;
            for (int ny = y0; ny <= y1; ++ny) {
                const size_t at = static_cast<size_t>(ny) * blocks_x_ + bx;
                low = std::min<int>(low, row_low_[at]);
                high = std::max<int>(high, row_high_[at]);
                lows += row_lows_[at], highs += row_highs_[at];
            }
            const int in_range = (y1 - y0 + 1) * (std::min(blocks_x_ - 1, bx + kRangeBlocks) -
                                                  std::max(0, bx - kRangeBlocks) + 1);
            const int threshold = std::min(window_mean(bx, by, radius), (low + high + 1) / 2);
            const size_t at = static_cast<size_t>(by) * blocks_x_ + bx;
            block_threshold_[at] = static_cast<uint8_t>(std::max(0, threshold - kThresholdMargin));
            // Halfway between the mean of the few blocks nearest and the middle
            // of the typical dark and light close by: a code's own greys more
            // than what lies beyond them.
            const int middle =
                static_cast<int>(static_cast<double>(lows + highs + in_range) / (2 * in_range));
            const int typical = (window_mean(bx, by, kNearBlocks) + middle + 1) / 2;
            typical_threshold_[at] = static_cast<uint8_t>(std::max(0, typical - kThresholdMargin));
        }
    }
}

const std::vector<uint8_t>& ScanPicture::thresholds_of(LocalThreshold kind) const {
    return kind == LocalThreshold::typical ? typical_threshold_ : block_threshold_;
}

void ScanPicture::make_dark_from(LocalThreshold kind, ScanTicker& ticker) {
    for (int y = 0; y < height_; ++y) {
        const uint8_t* thresholds =
            thresholds_of(kind).data() + static_cast<size_t>(y / kBlockSide) * blocks_x_;
        const uint8_t* in = grey_.data() + static_cast<size_t>(y) * width_;
        uint8_t* out = dark_.data() + static_cast<size_t>(y) * width_;
        for (int bx = 0; bx < blocks_x_; ++bx) {
            const uint8_t threshold = thresholds[bx];
            const int end = std::min(width_, (bx + 1) * kBlockSide);
            for (int x = bx * kBlockSide; x < end; ++x)
                out[x] = in[x] < threshold ? 1 : 0;
        }
        if (!ticker.step(static_cast<uint64_t>(width_)))
            return;
    }
}

double ScanPicture::grey_at(double x, double y) const {
    const double fx = std::clamp(x - 0.5, 0.0, static_cast<double>(width_ - 1));
    const double fy = std::clamp(y - 0.5, 0.0, static_cast<double>(height_ - 1));
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const int x1 = std::min(x0 + 1, width_ - 1);
    const int y1 = std::min(y0 + 1, height_ - 1);
    const double ax = fx - x0;
    const double ay = fy - y0;
    const double top = grey(x0, y0) * (1 - ax) + grey(x1, y0) * ax;
    const double bottom = grey(x0, y1) * (1 - ax) + grey(x1, y1) * ax;
    return top * (1 - ay) + bottom * ay;
}

int ScanPicture::threshold_at(double x, double y, LocalThreshold kind) const {
    const int bx = std::clamp(static_cast<int>(std::floor(x)) / kBlockSide, 0, blocks_x_ - 1);
    const int by = std::clamp(static_cast<int>(std::floor(y)) / kBlockSide, 0, blocks_y_ - 1);
    return thresholds_of(kind)[static_cast<size_t>(by) * blocks_x_ + bx];
}
