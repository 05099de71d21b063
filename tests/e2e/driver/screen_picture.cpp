#include "screen_picture.h"

#include "program_windows.h"

namespace {

constexpr wchar_t kPictureWindowClass[] = L"BrevaneDriverPicture";
constexpr int kShownTimeoutMs = 5000;
constexpr int kBytesPerPixel = 3;

// Paints the picture's bottom-up rows 1:1.
LRESULT CALLBACK picture_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_PAINT) {
        const auto* picture =
            reinterpret_cast<const DibPicture*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = picture->width;
        info.bmiHeader.biHeight = picture->height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, 0, 0, picture->width, picture->height, 0, 0, 0, picture->height,
                          picture->rows.data(), &info, DIB_RGB_COLORS);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

void register_picture_class() {
    WNDCLASSW picture_class{};
    picture_class.lpfnWndProc = picture_procedure;
    picture_class.hInstance = GetModuleHandleW(nullptr);
    picture_class.lpszClassName = kPictureWindowClass;
    RegisterClassW(&picture_class);  // fails harmlessly once it is registered
}

}  // namespace

uint32_t colour_at(const DibPicture& picture, int x, int y) {
    const uint8_t* pixel =
        &picture.rows[static_cast<size_t>(picture.stride()) * (picture.height - 1 - y) +
                      static_cast<size_t>(kBytesPerPixel) * x];
    return static_cast<uint32_t>(pixel[2]) << 16 | static_cast<uint32_t>(pixel[1]) << 8 | pixel[0];
}

namespace {

void put_colour(DibPicture& picture, int x, int y, uint32_t colour) {
    uint8_t* pixel =
        &picture.rows[static_cast<size_t>(picture.stride()) * (picture.height - 1 - y) +
                      static_cast<size_t>(kBytesPerPixel) * x];
    pixel[0] = static_cast<uint8_t>(colour);
    pixel[1] = static_cast<uint8_t>(colour >> 8);
    pixel[2] = static_cast<uint8_t>(colour >> 16);
}

DibPicture blank_picture(int width, int height) {
    DibPicture picture;
    picture.width = width;
    picture.height = height;
    picture.rows.assign(static_cast<size_t>(picture.stride()) * height, 0);
    return picture;
}

}  // namespace

DibPicture uniform_picture(int width, int height, uint32_t colour) {
    DibPicture picture = blank_picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            put_colour(picture, x, y, colour);
        }
    }
    return picture;
}

DibPicture part_of(const DibPicture& picture, int x, int y, int width, int height) {
    DibPicture part = blank_picture(width, height);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            put_colour(part, column, row, colour_at(picture, x + column, y + row));
        }
    }
    return part;
}

ClientPixels pixels_of(const DibPicture& picture) {
    ClientPixels pixels;
    pixels.width = picture.width;
    pixels.height = picture.height;
    pixels.rgb.resize(static_cast<size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            pixels.rgb[static_cast<size_t>(y) * picture.width + x] = colour_at(picture, x, y);
        }
    }
    return pixels;
}

DibPicture picture_of(const ClientPixels& pixels) {
    DibPicture picture = blank_picture(pixels.width, pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            put_colour(picture, x, y, pixels.at(x, y));
        }
    }
    return picture;
}

ClientPixels read_screen(int left, int top, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ original = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    GdiFlush();
    ClientPixels pixels;
    pixels.width = width;
    pixels.height = height;
    const auto* first = static_cast<const uint32_t*>(bits);
    pixels.rgb.assign(first, first + static_cast<size_t>(width) * height);
    for (uint32_t& pixel : pixels.rgb) {
        pixel &= 0xFFFFFF;
    }
    SelectObject(memory, original);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

ScreenPicture::ScreenPicture(const DibPicture& picture, int x, int y)
    : picture_(picture), x_(x), y_(y) {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread(&ScreenPicture::run, this, ready);
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

ScreenPicture::~ScreenPicture() {
    if (window_ != nullptr) {
        PostMessageW(window_, WM_CLOSE, 0, 0);
    }
    thread_.join();
}

void ScreenPicture::run(HANDLE ready) {
    register_picture_class();
    HWND window = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kPictureWindowClass, L"",
                                  WS_POPUP, x_, y_, picture_.width, picture_.height, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window != nullptr) {
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&picture_));
        ShowWindow(window, SW_SHOWNOACTIVATE);
        UpdateWindow(window);
    }
    window_ = window;
    SetEvent(ready);
    if (window == nullptr) {
        return;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool ScreenPicture::shown() const {
    const ClientPixels wanted = pixels_of(picture_);
    return window_ != nullptr &&
           wait_until(
               [&] { return read_screen(x_, y_, picture_.width, picture_.height) == wanted; },
               kShownTimeoutMs);
}
