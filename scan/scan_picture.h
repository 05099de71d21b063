// The picture as the scanner reads it: grey levels and a local threshold.
#pragma once

#include <cstdint>
#include <vector>

#include "picture.h"
#include "scan_ticker.h"

// Two local thresholds, each worked out per 8 x 8 block from the blocks around it.
enum class LocalThreshold {
    // The mean around, never above the middle of the darkest and lightest
    // grey close by: blurred light lines between dark modules, and a monitor's
    // pixel grid across light ones, stay light.
    darkest,
    // Halfway between the mean of the nearest blocks and the middle of the
    // typical dark and light close by: a grey code beside darker text or a
    // header bar, or across a shadow's edge, split by its own greys.
    typical,
};

// Grey levels (0 black, 255 white) and the two thresholds, so that uneven
// light and tinted pictures still split into dark and light. A pixel is dark
// when its grey lies below its block's threshold, the typical one until
// make_dark_from says otherwise.
class ScanPicture {
  public:
    static constexpr int kBlockSide = 8;

    // Builds the scanner's view of a picture in place, reusing the buffers of
    // the last; the ticker counts every pixel visited.
    void assign(const Picture& picture, ScanTicker& ticker);
    // The picture at half the size, each pixel the mean of four: a screen's
    // pixel grid, noise and print dots fade, large modules stay.
    void assign_halved(const ScanPicture& full, ScanTicker& ticker);

    int width() const { return width_; }
    int height() const { return height_; }
    uint8_t grey(int x, int y) const { return grey_[static_cast<size_t>(y) * width_ + x]; }
    bool dark(int x, int y) const { return dark_[static_cast<size_t>(y) * width_ + x] != 0; }
    const uint8_t* dark_row(int y) const { return dark_.data() + static_cast<size_t>(y) * width_; }

    // Grey at a point in picture pixels, interpolated between pixel centres
    // (pixel i's centre lies at i + 0.5); points outside take the nearest edge pixel.
    double grey_at(double x, double y) const;
    // The local threshold of that kind at a point in picture pixels.
    int threshold_at(double x, double y, LocalThreshold kind) const;
    // Dark and light again, from the threshold of that kind.
    void make_dark_from(LocalThreshold kind, ScanTicker& ticker);
    // The mean grey of the whole picture.
    int mean_grey() const { return mean_grey_; }

  private:
    void set_size(int width, int height, ScanTicker& ticker);
    void make_grey_rows(const Picture& picture, int first_row, int end_row);
    // From the source's colours when given, else from the grey levels already made.
    void make_thresholds(const Picture* source, ScanTicker& ticker);
    void make_block_thresholds(ScanTicker& ticker);
    const std::vector<uint8_t>& thresholds_of(LocalThreshold kind) const;

    int width_ = 0;
    int height_ = 0;
    int blocks_x_ = 0;
    int blocks_y_ = 0;
    int mean_grey_ = 0;
    std::vector<uint8_t> grey_;
    std::vector<uint8_t> block_threshold_;
    std::vector<uint8_t> typical_threshold_;
    std::vector<uint8_t> dark_;
    // Block sums, pixel counts and ranges while the thresholds are worked out.
    std::vector<uint64_t> sums_;
    std::vector<uint32_t> counts_;
    std::vector<uint8_t> block_min_;
    std::vector<uint8_t> block_max_;
    // Along each row of blocks, over the range: darkest, lightest and their sums.
    std::vector<uint8_t> row_low_;
    std::vector<uint8_t> row_high_;
    std::vector<uint16_t> row_lows_;
    std::vector<uint16_t> row_highs_;
};
