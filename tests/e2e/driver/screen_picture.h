// A picture that the driver puts on the screen itself, for the program's
// screen capture to grab, and reading the screen back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <thread>

#include "bmp_files.h"
#include "screen_pixels.h"

// Colour of picture pixel (x, y), y from the top, as 0x00RRGGBB.
uint32_t colour_at(const DibPicture& picture, int x, int y);

// A width x height picture, every pixel `colour` (0x00RRGGBB).
DibPicture uniform_picture(int width, int height, uint32_t colour);

// The width x height part of `picture` whose top left is (x, y).
DibPicture part_of(const DibPicture& picture, int x, int y, int width, int height);

// The picture's pixels as the screen would show them.
ClientPixels pixels_of(const DibPicture& picture);

// Screen pixels as a picture, to be written as a BMP file for people to look at.
DibPicture picture_of(const ClientPixels& pixels);

// The screen's pixels in the rectangle, read as the program's grab reads them.
ClientPixels read_screen(int left, int top, int width, int height);

// A borderless popup window of the driver showing `picture` with its top left
// at screen position (x, y). A thread of its own keeps it painted while the
// driver waits; it never takes the activation from the program.
class ScreenPicture {
  public:
    ScreenPicture(const DibPicture& picture, int x, int y);
    ~ScreenPicture();
    ScreenPicture(const ScreenPicture&) = delete;
    ScreenPicture& operator=(const ScreenPicture&) = delete;

    // Waits until the screen shows the picture; false if it never does.
    bool shown() const;

    int x() const { return x_; }
    int y() const { return y_; }
    const DibPicture& picture() const { return picture_; }

  private:
    void run(HANDLE ready);

    DibPicture picture_;
    int x_;
    int y_;
    HWND window_ = nullptr;
    std::thread thread_;
};
