#include "app_objects.h"

#include "app_state.h"

namespace {

unsigned generation = 0;

}  // namespace

unsigned picture_generation() {
    return generation;
}

void release_file_image() {
    ++generation;
    if (app.file_image != nullptr) {
        DeleteObject(app.file_image);
        app.file_image = nullptr;
    }
    app.file_image_description = BITMAP{};
}

void replace_file_image(HBITMAP image, const BITMAP& description) {
    release_file_image();
    app.file_image = image;
    app.file_image_description = description;
}

void release_capture() {
    ++generation;
    if (app.capture_dc != nullptr) {
        // The bitmap can only be deleted once the DC no longer holds it.
        SelectObject(app.capture_dc, app.capture_dc_original_bitmap);
        DeleteDC(app.capture_dc);
        app.capture_dc = nullptr;
        app.capture_dc_original_bitmap = nullptr;
    }
    if (app.capture_bitmap != nullptr) {
        DeleteObject(app.capture_bitmap);
        app.capture_bitmap = nullptr;
    }
    app.capture_width = 0;
    app.capture_height = 0;
}

void replace_capture(HDC dc, HGDIOBJ original_bitmap, HBITMAP bitmap, int width, int height) {
    release_capture();
    app.capture_dc = dc;
    app.capture_dc_original_bitmap = original_bitmap;
    app.capture_bitmap = bitmap;
    app.capture_width = static_cast<short>(width);
    app.capture_height = static_cast<short>(height);
}

bool capture_present() {
    return app.capture_bitmap != nullptr && app.capture_dc != nullptr;
}

PictureSize file_image_size() {
    if (app.file_image == nullptr) {
        return PictureSize{0, 0};
    }
    return PictureSize{app.file_image_description.bmWidth, app.file_image_description.bmHeight};
}
