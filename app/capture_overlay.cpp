#include "capture_overlay.h"

#include "app_objects.h"
#include "app_state.h"
#include "capture_command.h"
#include "commands.h"
#include "convert_current_design.h"
#include "message_texts.h"
#include "overlay_state.h"
#include "screen_capture.h"
#include "tile.h"

namespace {

constexpr COLORREF kXorPenColour = RGB(255, 255, 255);  // XOR with white inverts
constexpr int kXorPenWidth = 1;

// Flags and points of the overlay, process-wide like the rest of the state.
OverlayState overlay;

CapturePoint point_of(LPARAM lparam) {
    return CapturePoint{static_cast<int16_t>(LOWORD(lparam)), static_cast<int16_t>(HIWORD(lparam))};
}

// Lines include their start and exclude their end point.
void draw_line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void draw_crosshair(HDC dc, CapturePoint at) {
    draw_line(dc, at.x, 0, at.x, GetSystemMetrics(SM_CYSCREEN));
    draw_line(dc, 0, at.y, GetSystemMetrics(SM_CXSCREEN), at.y);
}

// The rectangle from a to b with the borders between its columns and rows.
void draw_band(HDC dc, CapturePoint a, CapturePoint b) {
    const DesignGrid grid = overlay_band_grid(overlay, app.shell.grid);
    for (int i = 0; i <= grid.columns; ++i) {
        const int x = band_line(a.x, b.x, grid.columns, i);
        draw_line(dc, x, a.y, x, b.y);
    }
    for (int j = 0; j <= grid.rows; ++j) {
        const int y = band_line(a.y, b.y, grid.rows, j);
        draw_line(dc, a.x, y, b.x, y);
    }
}

// Each stroke inverts the pixels under it: drawn a second time, it is gone.
void draw_strokes(HDC dc, const OverlayStrokes& strokes) {
    if (strokes.count == 0) {
        return;
    }
    HPEN pen = CreatePen(PS_SOLID, kXorPenWidth, kXorPenColour);
    HGDIOBJ original_pen = SelectObject(dc, pen);
    const int original_mode = SetROP2(dc, R2_XORPEN);
    for (int i = 0; i < strokes.count; ++i) {
        const XorStroke& stroke = strokes.stroke[i];
        if (stroke.kind == StrokeKind::crosshair) {
            draw_crosshair(dc, stroke.at);
        } else {
            draw_band(dc, stroke.anchor, stroke.at);
        }
    }
    SetROP2(dc, original_mode);
    SelectObject(dc, original_pen);
    DeleteObject(pen);
}

// Straight onto the screen, without a repaint of the frozen picture.
void draw_on_overlay(HWND window, const OverlayStrokes& strokes) {
    if (strokes.count == 0) {
        return;
    }
    HDC dc = GetDC(window);
    draw_strokes(dc, strokes);
    ReleaseDC(window, dc);
}

// The frozen screen, then the crosshair or band on show, so that the XOR
// strokes that follow still erase what they should. A scan freezes the screen
// in a grab of its own; a capture in the capture bitmap.
void paint_overlay(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (overlay.purpose == OverlayPurpose::scan) {
        if (app.scan_grab.dc != nullptr) {
            BitBlt(dc, 0, 0, app.scan_grab.width, app.scan_grab.height, app.scan_grab.dc, 0, 0,
                   SRCCOPY);
        }
    } else if (capture_present()) {
        BitBlt(dc, 0, 0, app.capture_width, app.capture_height, app.capture_dc, 0, 0, SRCCOPY);
    }
    draw_strokes(dc, overlay_shown_strokes(overlay));
    EndPaint(window, &paint);
    note_overlay_painted(&overlay);
}

// The region scaled to columns*32 x rows*32 into a new capture bitmap, each
// target pixel taken from one source pixel; a negative extent mirrors. It is
// copied from the frozen screen that the overlay shows, which holds the right
// pixels even before the overlay's first paint. False, with no capture left,
// when the bitmap can't be made.
bool copy_selection(HWND window, CaptureRegion region) {
    const int width = app.shell.grid.columns * kTileSide;
    const int height = app.shell.grid.rows * kTileSide;
    HDC surface = GetDC(window);
    HDC memory = CreateCompatibleDC(surface);
    HBITMAP bitmap = memory != nullptr ? CreateCompatibleBitmap(surface, width, height) : nullptr;
    if (bitmap != nullptr) {
        HDC source = capture_present() ? app.capture_dc : surface;
        HGDIOBJ original = SelectObject(memory, bitmap);
        SetStretchBltMode(memory, COLORONCOLOR);
        StretchBlt(memory, 0, 0, width, height, source, region.x, region.y, region.width,
                   region.height, SRCCOPY);
        replace_capture(memory, original, bitmap, width, height);
    } else {
        if (memory != nullptr) {
            DeleteDC(memory);
        }
        release_capture();
    }
    ReleaseDC(window, surface);
    return bitmap != nullptr;
}

void on_left_button_up(HWND window, CapturePoint at) {
    const OverlayRelease release = overlay_left_released(&overlay, at);
    draw_on_overlay(window, release.strokes);
    if (overlay.purpose == OverlayPurpose::scan) {
        ShowWindow(window, SW_HIDE);
        finish_screen_scan(app.main_window, release.has_region, release.region);
        return;
    }
    // Without a drag the whole screen's grab stays the capture.
    const bool copied = !release.has_region || copy_selection(window, release.region);
    ShowWindow(window, SW_HIDE);
    if (!copied) {
        report_capture_failure(app.main_window);
        return;
    }
    ShowWindow(app.main_window, SW_RESTORE);
    prepare_capture_conversion(app.shell);
    convert_current_design(app.main_window);
}

LRESULT CALLBACK overlay_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const DesignGrid grid = app.shell.grid;
    switch (message) {
        case WM_PAINT:
            paint_overlay(window);
            return 0;
        case WM_MOUSEMOVE:
            draw_on_overlay(
                window, overlay_pointer_moved(&overlay, point_of(lparam), grid.columns, grid.rows));
            return 0;
        case WM_LBUTTONDOWN:
            draw_on_overlay(window, overlay_left_pressed(&overlay, point_of(lparam)));
            return 0;
        case WM_LBUTTONUP:
            on_left_button_up(window, point_of(lparam));
            return 0;
        case WM_KEYDOWN:
            if (wparam == VK_ESCAPE && overlay_escape_pressed(&overlay)) {
                ShowWindow(window, SW_HIDE);
                cancel_screen_scan(app.main_window);
                return 0;
            }
            [[fallthrough]];
        case WM_KEYUP:
            if (wparam == VK_SHIFT) {
                note_shift_key(&overlay, message == WM_KEYDOWN);
                return 0;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

HWND create_capture_overlay(HINSTANCE instance) {
    WNDCLASSEXW overlay_class{};
    overlay_class.cbSize = sizeof overlay_class;
    overlay_class.lpfnWndProc = overlay_procedure;
    overlay_class.hInstance = instance;
    overlay_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    overlay_class.lpszClassName = kCaptureOverlayClassName;
    RegisterClassExW(&overlay_class);
    return CreateWindowExW(0, kCaptureOverlayClassName, L"", WS_POPUP, 0, 0,
                           GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                           nullptr, instance, nullptr);
}

void show_capture_overlay(HWND window) {
    start_overlay_capture(&overlay);
    ShowWindow(window, SW_SHOWNORMAL);
}

void show_scan_overlay(HWND window) {
    start_overlay_scan(&overlay);
    ShowWindow(window, SW_SHOWNORMAL);
}
