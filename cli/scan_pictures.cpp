#include "scan_pictures.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <new>
#include <optional>
#include <stop_token>
#include <thread>

#include "picture_reader.h"
#include "utf8_path.h"
#include "whole_files.h"

namespace {

// The memory the pictures held at once may take between them.
class MemoryBudget {
  public:
    explicit MemoryBudget(uint64_t bytes) : budget_(bytes) {}

    // Waits until `bytes` fit beside what is held, or nothing is held; false when stopped first.
    bool hold(uint64_t bytes, std::stop_token stop) {
        std::unique_lock lock(mutex_);
        const bool fits = freed_.wait(lock, stop, [&] {
            return held_pictures_ == 0 || (held_ <= budget_ && bytes <= budget_ - held_);
        });
        if (fits) {
            held_ += bytes;
            ++held_pictures_;
        }
        return fits;
    }
    void release(uint64_t bytes) {
        {
            std::lock_guard lock(mutex_);
            held_ -= bytes;
            --held_pictures_;
        }
        freed_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable_any freed_;
    uint64_t budget_;
    uint64_t held_ = 0;
    int held_pictures_ = 0;
};

// One picture's share of the budget, held for its lifetime once `held` is true.
class HeldPicture {
  public:
    HeldPicture(MemoryBudget& budget, uint64_t bytes, std::stop_token stop)
        : budget_(budget), bytes_(bytes), held_(budget.hold(bytes, stop)) {}
    ~HeldPicture() {
        if (held_)
            budget_.release(bytes_);
    }
    HeldPicture(const HeldPicture&) = delete;
    HeldPicture& operator=(const HeldPicture&) = delete;
    bool held() const { return held_; }

  private:
    MemoryBudget& budget_;
    uint64_t bytes_;
    bool held_;
};

PictureScan refused(std::string reason) {
    PictureScan scan;
    scan.refusal = std::move(reason);
    return scan;
}

// The bytes the picture in a file will hold, told by its header; 0 when the
// header can't tell (the reader then refuses the file unread).
uint64_t bytes_to_hold(const std::vector<uint8_t>& file) {
    int64_t width = 0;
    int64_t height = 0;
    if (!picture_header_sides(file.data(), file.size(), &width, &height) || width <= 0 ||
        height <= 0)
        return 0;
    return static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * kScanBytesPerPixel;
}

PictureScan read_and_scan(const PictureToScan& picture, MemoryBudget& budget,
                          std::stop_token stop) {
    if (!picture.refusal.empty())
        return refused(picture.refusal);
    try {
        std::vector<uint8_t> bytes;
        std::string reason;
        if (read_picture_file_bytes(path_from_utf8(picture.path), &bytes, &reason) !=
            PictureLoad::loaded)
            return refused(reason);
        const HeldPicture held(budget, bytes_to_hold(bytes), stop);
        if (!held.held())
            return refused("cancelled");
        Picture pixels;
        if (picture_from_bytes(bytes, &pixels, &reason) != PictureLoad::loaded)
            return refused(reason);
        std::vector<uint8_t>().swap(bytes);
        PictureScan scan;
        // Several pictures at once, each on one thread: the scanner decodes on
        // buffers of its own, so scans run side by side.
        scan.result = scan_designs(pixels, [&stop] { return !stop.stop_requested(); });
        return scan;
    } catch (const std::bad_alloc&) {
        return refused("not enough memory to read this picture");
    } catch (const std::exception& e) {
        return refused(e.what());
    }
}

// Each picture's scan, filled in by the workers and taken in order.
class ScanSlots {
  public:
    explicit ScanSlots(size_t count) : slots_(count) {}

    void fill(size_t index, PictureScan scan) {
        {
            std::lock_guard lock(mutex_);
            slots_[index] = std::move(scan);
        }
        filled_.notify_all();
    }
    PictureScan take(size_t index) {
        std::unique_lock lock(mutex_);
        filled_.wait(lock, [&] { return slots_[index].has_value(); });
        PictureScan scan = std::move(*slots_[index]);
        slots_[index].reset();
        return scan;
    }

  private:
    std::mutex mutex_;
    std::condition_variable filled_;
    std::vector<std::optional<PictureScan>> slots_;
};

}  // namespace

void scan_pictures(const std::vector<PictureToScan>& pictures, int threads, uint64_t memory_bytes,
                   const std::function<void(size_t, const PictureScan&)>& take) {
    MemoryBudget budget(memory_bytes);
    ScanSlots slots(pictures.size());
    std::mutex next_mutex;
    size_t next = 0;
    auto work = [&](std::stop_token stop) {
        while (!stop.stop_requested()) {
            size_t index = 0;
            {
                std::lock_guard lock(next_mutex);
                if (next == pictures.size())
                    return;
                index = next++;
            }
            slots.fill(index, read_and_scan(pictures[index], budget, stop));
        }
    };
    // Declared last, so that leaving this function, normally or by an
    // exception from `take`, stops and joins the workers before the rest goes.
    std::vector<std::jthread> workers;
    for (int k = 0; k < std::max(threads, 1) && static_cast<size_t>(k) < pictures.size(); ++k)
        workers.emplace_back(work);
    for (size_t index = 0; index < pictures.size(); ++index)
        take(index, slots.take(index));
}
