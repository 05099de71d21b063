#include "scan_test_pictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "design_renderings.h"
#include "test_canvas.h"
#include "test_picture_files.h"
#include "test_symbols.h"

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

RecordBytes random_design(Random& rng) {
    RecordBytes r;
    for (auto& b : r)
        b = static_cast<uint8_t>(rng() >> 24);
    return r;
}

// Half the design codes come from another encoder with its own mask.
SymbolModules design_symbol(const RecordBytes& record, Random& rng) {
    return rng() % 2 ? our_design_symbol(record) : other_design_symbol(record);
}

std::string link_text(Random& rng) {
    static const char* kSites[] = {"https://example.com/forum/thread/", "https://example.org/p/",
                                   "http://example.net/designs?id="};
    return kSites[rng() % 3] + std::to_string(rng() % 1000000);
}

Rgb random_colour(Random& rng, int low, int high) {
    return {static_cast<uint8_t>(uniform_int(rng, low, high)),
            static_cast<uint8_t>(uniform_int(rng, low, high)),
            static_cast<uint8_t>(uniform_int(rng, low, high))};
}

struct Placed {
    double x0, y0, x1, y1;
};

// A free place for a square of `side` pixels, or false after many tries.
bool free_place(const std::vector<Placed>& taken, int width, int height, double side, Random& rng,
                double& x, double& y) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        x = uniform(rng, 0, std::max(0.0, width - side));
        y = uniform(rng, 0, std::max(0.0, height - side));
        const bool clear = std::none_of(taken.begin(), taken.end(), [&](const Placed& p) {
            return x < p.x1 && p.x0 < x + side && y < p.y1 && p.y0 < y + side;
        });
        if (clear)
            return true;
    }
    return false;
}

// ---- clean ------------------------------------------------------------------

// A white page of codes side by side, `gap` light modules apart and four around.
Picture sheet_of_codes(int columns, int rows, int module, int gap, Random& rng, TestPicture& t) {
    constexpr int kMargin = 4;
    const int pitch = (kQrSide + gap) * module;
    const SymbolStyle style{double(module), 0, kBlack, kWhite, false};
    Picture picture = blank_picture(columns * pitch + (2 * kMargin - gap) * module,
                                    rows * pitch + (2 * kMargin - gap) * module, kWhite);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const RecordBytes record = random_design(rng);
            draw_symbol(picture, design_symbol(record, rng), kMargin * module + c * pitch,
                        kMargin * module + r * pitch, style);
            t.records.push_back(record);
        }
    }
    t.name = "sheet";
    return picture;
}

struct SheetLayout {
    PictureCondition condition;
    int columns, rows, module, min_gap, max_gap;
};
constexpr SheetLayout kSheets[] = {
    {PictureCondition::sheet_5x8_2px, 5, 8, 2, 1, 8},
    {PictureCondition::sheet_5x8_3px, 5, 8, 3, 1, 8},
    {PictureCondition::sheet_10x10_1px, 10, 10, 1, 1, 8},
    {PictureCondition::sheet_8x5_2apart, 8, 5, 2, 2, 2},
};

TestPicture clean_picture(int index, PictureCondition condition, Random& rng) {
    TestPicture t{"", PictureCategory::clean, {}, {}};
    PictureFileKind kind = PictureFileKind::png;
    Picture picture;
    for (const SheetLayout& sheet : kSheets) {
        if (sheet.condition == condition) {
            picture = sheet_of_codes(sheet.columns, sheet.rows, sheet.module,
                                     uniform_int(rng, sheet.min_gap, sheet.max_gap), rng, t);
            t.file = picture_file(picture, kind);
            return t;
        }
    }
    auto one_code = [&](SymbolStyle style, int margin) {
        const RecordBytes record = random_design(rng);
        const SymbolModules s = design_symbol(record, rng);
        const int side = static_cast<int>(std::ceil(drawn_side(s, style))) + 2 * margin;
        picture = blank_picture(side, side, style.light);
        draw_symbol(picture, s, margin + style.quiet * style.module,
                    margin + style.quiet * style.module, style);
        t.records.push_back(record);
    };
    switch (index % 8) {
        case 0: {  // one pixel a module, no quiet zone, touching the picture's edges
            const RecordBytes record = random_design(rng);
            const SymbolModules s = design_symbol(record, rng);
            const int extra = uniform_int(rng, 0, 60);
            picture = blank_picture(kQrSide + extra, kQrSide + extra / 2, kWhite);
            const int corner = uniform_int(rng, 0, 3);
            draw_symbol(picture, s, corner % 2 ? extra : 0, corner / 2 ? extra / 2 : 0,
                        {1, 0, kBlack, kWhite, false});
            t.records.push_back(record);
            t.name = "edge-1px";
            break;
        }
        case 1:
            one_code({double(uniform_int(rng, 1, 8)), 4, kBlack, kWhite, false}, 0);
            t.name = "plain";
            break;
        case 2: {  // tinted, low contrast
            const Rgb light = random_colour(rng, 170, 230);
            const Rgb dark{static_cast<uint8_t>(light.r - uniform_int(rng, 60, 100)),
                           static_cast<uint8_t>(light.g - uniform_int(rng, 60, 100)),
                           static_cast<uint8_t>(light.b - uniform_int(rng, 60, 100))};
            one_code({double(uniform_int(rng, 2, 6)), 4, dark, light, false}, 10);
            t.name = "tinted";
            break;
        }
        case 3:
            one_code({double(uniform_int(rng, 1, 4)), 4, kBlack, kWhite, false}, 0);
            kind = PictureFileKind::png_one_bit;
            t.name = "png-1bit";
            break;
        case 4:
            one_code(
                {double(uniform_int(rng, 1, 5)), uniform_int(rng, 1, 4), kBlack, kWhite, false},
                uniform_int(rng, 0, 20));
            kind = PictureFileKind::png_grey;
            t.name = "png-grey";
            break;
        case 5:
            one_code({double(uniform_int(rng, 1, 4)), 4, kBlack, kWhite, false}, 0);
            kind = PictureFileKind::bmp_palette;
            t.name = "bmp-8bit";
            break;
        case 6: {  // a grab of our own window: the symbol at (40, 80) and the preview beside it
            const RecordBytes record = random_design(rng);
            picture = blank_picture(480, 320, {240, 240, 240});
            fill_rect(picture, 0, 0, 480, 20, {0, 84, 166});
            draw_symbol(picture, our_design_symbol(record), 40, 80, {2, 0, kBlack, kWhite, false});
            const Picture preview = render_preview(record, 6);
            for (int y = 0; y < preview.height && 80 + y < picture.height; ++y)
                std::copy_n(
                    preview.rgb.begin() + static_cast<size_t>(y) * preview.width * 3,
                    std::min(preview.width, picture.width - 234) * 3,
                    picture.rgb.begin() + (static_cast<size_t>(80 + y) * picture.width + 234) * 3);
            t.records.push_back(record);
            t.name = "window-grab";
            break;
        }
        default: {  // a sheet of several codes
            const int columns = uniform_int(rng, 2, 3), rows = uniform_int(rng, 1, 3);
            picture = sheet_of_codes(columns, rows, uniform_int(rng, 2, 3), 8, rng, t);
            break;
        }
    }
    t.file = picture_file(picture, kind);
    return t;
}

// ---- web pages ----------------------------------------------------------------

TestPicture web_page_picture(int index, PictureCondition condition, Random& rng) {
    TestPicture t{"page", PictureCategory::web_page, {}, {}};
    const bool inverted = condition == PictureCondition::inverted;
    const bool tinted = condition == PictureCondition::tinted_page;
    const bool dark_page = index % 2 == 1 || inverted;
    Rgb background = dark_page ? random_colour(rng, 20, 60) : random_colour(rng, 225, 255);
    const Rgb ink = dark_page ? random_colour(rng, 190, 230) : random_colour(rng, 10, 60);
    if (tinted) {
        const uint8_t grey = static_cast<uint8_t>(uniform_int(rng, 150, 170));
        background = {grey, grey, grey};
    }
    // Design codes light on dark, or grey 100 on the tinted page, with text up to the code.
    const Rgb code_dark = inverted ? random_colour(rng, 200, 240)
                          : tinted ? Rgb{100, 100, 100}
                                   : kBlack;
    const Rgb code_light = inverted || tinted ? background : kWhite;
    const int width = uniform_int(rng, 900, 1400), height = uniform_int(rng, 700, 1200);
    Picture page = blank_picture(width, height, background);
    draw_text_lines(page, 20, 20, width - 20, height - 20, ink, rng);
    std::vector<Placed> taken;
    double x, y;
    // A photograph, ordinary QR codes and the design codes, each on its own spot.
    const int photo_side = uniform_int(rng, 150, 300);
    if (free_place(taken, width, height, photo_side, rng, x, y)) {
        draw_photo_blobs(page, int(x), int(y), int(x) + photo_side, int(y) + photo_side, rng);
        taken.push_back({x, y, x + photo_side, y + photo_side});
    }
    for (int k = uniform_int(rng, 0, 2); k > 0; --k) {
        const SymbolModules link = text_symbol(link_text(rng));
        const SymbolStyle style{uniform(rng, 2, 4), 4, kBlack, kWhite, true};
        const double side = drawn_side(link, style);
        if (free_place(taken, width, height, side, rng, x, y)) {
            draw_symbol(page, link, x + 4 * style.module, y + 4 * style.module, style);
            taken.push_back({x, y, x + side, y + side});
        }
    }
    for (int k = uniform_int(rng, 1, 3); k > 0; --k) {
        const RecordBytes record = random_design(rng);
        const SymbolModules s = design_symbol(record, rng);
        const double module = rng() % 3 == 0 ? uniform(rng, 1.5, 2) : uniform(rng, 2, 4);
        const int quiet = rng() % 3 == 0 ? 0 : uniform_int(rng, 1, 4);
        const SymbolStyle style{module, tinted ? uniform_int(rng, 1, 2) : quiet, code_dark,
                                code_light, true};
        const double side = drawn_side(s, style) + 2;
        if (!free_place(taken, width, height, side, rng, x, y))
            continue;
        if (tinted)  // the page's header bar a module or two above the code
            fill_rect(page, 0, int(y) - 10, width, int(y) + 1, {60, 60, 70});
        draw_symbol(page, s, x + 1 + style.quiet * module, y + 1 + style.quiet * module, style);
        taken.push_back({x, y, x + side, y + side});
        t.records.push_back(record);
    }
    const bool jpeg = rng() % 4 != 0;
    t.file = picture_file(page, jpeg ? PictureFileKind::jpeg : PictureFileKind::png,
                          uniform_int(rng, 35, 90));
    return t;
}

// ---- handheld screenshots ------------------------------------------------------

constexpr int kScreenWidth = 400;
constexpr int kScreenHeight = 240;

TestPicture screenshot_picture(int index, Random& rng) {
    TestPicture t{"screen", PictureCategory::screenshot, {}, {}};
    const bool stacked = index % 3 == 2;
    const int height = stacked ? 2 * kScreenHeight : kScreenHeight;
    Picture screen = blank_picture(kScreenWidth, height, random_colour(rng, 40, 200));
    for (int k = 0; k < 6; ++k) {  // the game's panels and buttons
        const int x = uniform_int(rng, 0, kScreenWidth), y = uniform_int(rng, 0, height);
        fill_rect(screen, x, y, x + uniform_int(rng, 20, 160), y + uniform_int(rng, 10, 80),
                  random_colour(rng, 0, 255));
    }
    const RecordBytes record = random_design(rng);
    const SymbolModules s = our_design_symbol(record);
    const int module = index % 2 == 0 ? 2 : 1;
    const int panel = uniform_int(rng, 1, 2);
    const SymbolStyle style{
        double(module), panel, {16, 16, 24}, random_colour(rng, 225, 250), false};
    const int side = static_cast<int>(drawn_side(s, style));
    const int screen_top = stacked && rng() % 2 ? kScreenHeight : 0;
    const int x = uniform_int(rng, 0, kScreenWidth - side);
    const int y = screen_top + uniform_int(rng, 0, kScreenHeight - side);
    draw_symbol(screen, s, x + panel * module, y + panel * module, style);
    t.records.push_back(record);
    const double factor = (index / 3) % 3 == 0 ? 1.0 : uniform(rng, 1.5, 3);
    if (factor != 1.0)
        screen = scaled(screen, factor, rng() % 2 ? Resampling::nearest : Resampling::smooth);
    const bool jpeg = rng() % 3 == 0;
    t.file = picture_file(screen, jpeg ? PictureFileKind::jpeg : PictureFileKind::png,
                          uniform_int(rng, 70, 92));
    return t;
}

// ---- camera-like photos -----------------------------------------------------------

constexpr double kMinPhotoModule = 2.5;
constexpr double kMaxPhotoModule = 6;
constexpr double kFrameMargin = 1.6;  // the code's diagonal, and the side stretched by tilt

TestPicture photo_picture(int index, PictureCondition condition, Random& rng) {
    TestPicture t{"photo", PictureCategory::photo, {}, {}};
    const bool busy = condition == PictureCondition::busy_surroundings;
    const bool monitor = index % 2 == 1 && !busy;
    const RecordBytes record = random_design(rng);
    const SymbolModules s = design_symbol(record, rng);
    const bool uneven = condition == PictureCondition::uneven_modules;
    // A monitor zooming by a fractional factor draws modules of unequal widths.
    const double scene_module = uneven ? uniform(rng, 2.3, 3.7) : 6;
    const SymbolStyle style{scene_module, 4, monitor ? Rgb{20, 20, 30} : Rgb{25, 25, 25},
                            monitor ? Rgb{235, 240, 250} : Rgb{245, 240, 230}, false};
    const int code = static_cast<int>(drawn_side(s, style));
    const int scene_side = code * 2;
    Picture scene = blank_picture(scene_side, scene_side, monitor ? Rgb{30, 30, 35} : style.light);
    if (monitor)
        fill_rect(scene, code / 4, code / 4, scene_side - code / 4, scene_side - code / 4,
                  style.light);
    else if (!busy)
        draw_text_lines(scene, 10, 10, scene_side - 10, scene_side - 10, {60, 60, 70}, rng);
    // A desk: soft colours and black and white things up to the printout's edge,
    // one to three light modules outside the symbol's quiet zone.
    const int paper = busy ? uniform_int(rng, 1, 3) : 4;
    if (busy)
        draw_photo_blobs(scene, 0, 0, scene_side, scene_side, rng);
    for (int k = busy ? 80 : 0; k > 0; --k) {
        const int x = uniform_int(rng, 0, scene_side), y = uniform_int(rng, 0, scene_side);
        const int w = uniform_int(rng, code / 30, code / 3),
                  h = uniform_int(rng, code / 30, code / 3);
        fill_rect(scene, x, y, x + w, y + h,
                  rng() % 2 ? random_colour(rng, 0, 40) : random_colour(rng, 215, 255));
    }
    const int trim = static_cast<int>((4 - paper) * scene_module);
    fill_rect(scene, code / 2 + trim, code / 2 + trim, code / 2 + code - trim,
              code / 2 + code - trim, style.light);
    draw_symbol(scene, s, code / 2 + 4 * scene_module, code / 2 + 4 * scene_module, style);
    if (condition == PictureCondition::mirrored)
        for (int y = 0; y < scene.height; ++y)
            for (int x = 0; x < scene.width / 2; ++x)
                for (int k = 0; k < 3; ++k)
                    std::swap(
                        scene.rgb[(static_cast<size_t>(y) * scene.width + x) * 3 + k],
                        scene.rgb[(static_cast<size_t>(y) * scene.width + scene.width - 1 - x) * 3 +
                                  k]);
    if (monitor || uneven)
        monitor_grid(scene, 3);
    t.records.push_back(record);

    CameraPose pose;
    pose.width = uniform_int(rng, 800, 1280);
    pose.height = pose.width * 3 / 4;
    pose.rotation = uniform(rng, 0, 2 * std::numbers::pi);
    // Strong perspective: the near side's modules up to twice the far side's,
    // the near side up to half as large again as the code's middle.
    const bool strong = condition == PictureCondition::strong_perspective;
    const double tilt = (strong ? uniform(rng, 0.8, 1.33) : uniform(rng, 0, 0.5)) / scene_side;
    const double direction = uniform(rng, 0, 2 * std::numbers::pi);
    pose.tilt_x = tilt * std::cos(direction);
    pose.tilt_y = tilt * std::sin(direction);
    // The whole code stays in the frame whatever the rotation and tilt.
    const double fitting_module = std::min(pose.width, pose.height) /
                                  (kFrameMargin * (strong ? 1.5 : 1) * code / scene_module);
    const double photo_module =
        uniform(rng, kMinPhotoModule, std::min(kMaxPhotoModule, fitting_module));
    pose.scene_scale = photo_module / scene_module;
    pose.barrel = uniform(rng, -0.05, 0.12);
    pose.outside = random_colour(rng, 40, 160);
    Picture photo = photographed(scene, pose);
    if (busy)  // a soft shadow's edge across the code, near its middle
        shadow_edge(photo, pose.width / 2.0 + uniform(rng, -0.2, 0.2) * code * pose.scene_scale,
                    pose.height / 2.0 + uniform(rng, -0.2, 0.2) * code * pose.scene_scale,
                    uniform(rng, 0, 2 * std::numbers::pi), uniform(rng, 0.3, 0.6),
                    uniform(rng, 1, 8) * photo_module);
    box_blur(photo, uniform_int(rng, 0, photo_module > 4 ? 2 : 1));
    uneven_light(photo, uniform(rng, 0, 0.5), rng);
    if (rng() % 3 == 0)
        add_glare(photo, rng);
    add_noise(photo, uniform(rng, 1, 8), rng);
    t.file = picture_file(photo, PictureFileKind::jpeg, uniform_int(rng, 55, 92));
    return t;
}

// ---- negatives --------------------------------------------------------------------

TestPicture negative_picture(int index, Random& rng) {
    TestPicture t{"negative", PictureCategory::negative, {}, {}};
    const int kind = index % (kNotADesignKinds + 2);
    Picture picture = blank_picture(uniform_int(rng, 400, 900), uniform_int(rng, 400, 900), kWhite);
    draw_text_lines(picture, 10, 10, picture.width - 10, picture.height - 10, {30, 30, 30}, rng);
    if (kind == kNotADesignKinds) {
        t.name = "no-code";
    } else {
        const SymbolModules s = kind == kNotADesignKinds + 1
                                    ? text_symbol(link_text(rng))
                                    : not_a_design_symbol(static_cast<NotADesign>(kind), rng());
        t.name = kind == kNotADesignKinds + 1 ? "link" : "not-a-design-" + std::to_string(kind);
        t.unreadable = kind == static_cast<int>(NotADesign::random_data) ||
                       kind == static_cast<int>(NotADesign::beyond_repair);
        const SymbolStyle style{double(uniform_int(rng, 2, 3)), 4, kBlack, kWhite, false};
        const double side = drawn_side(s, style);
        if (picture.width < side || picture.height < side)
            picture = blank_picture(int(side) + 20, int(side) + 20, kWhite);
        const double x = uniform(rng, 0, picture.width - side);
        const double y = uniform(rng, 0, picture.height - side);
        draw_symbol(picture, s, std::floor(x) + 4 * style.module, std::floor(y) + 4 * style.module,
                    style);
    }
    t.file = picture_file(picture, rng() % 2 ? PictureFileKind::jpeg : PictureFileKind::png, 85);
    return t;
}

}  // namespace

const char* category_name(PictureCategory category) {
    switch (category) {
        case PictureCategory::clean:
            return "clean";
        case PictureCategory::web_page:
            return "web pages";
        case PictureCategory::screenshot:
            return "handheld screenshots";
        case PictureCategory::photo:
            return "camera-like photos";
        case PictureCategory::negative:
            return "negatives";
    }
    return "?";
}

namespace {

struct ConditionInfo {
    PictureCondition condition;
    PictureCategory category;
    const char* name;
};
constexpr ConditionInfo kConditionInfo[] = {
    {PictureCondition::none, PictureCategory::clean, ""},
    {PictureCondition::sheet_5x8_2px, PictureCategory::clean, "sheet 5 x 8, 2 px"},
    {PictureCondition::sheet_5x8_3px, PictureCategory::clean, "sheet 5 x 8, 3 px"},
    {PictureCondition::sheet_10x10_1px, PictureCategory::clean, "sheet 10 x 10, 1 px"},
    {PictureCondition::sheet_8x5_2apart, PictureCategory::clean, "sheet 8 x 5, 2 modules apart"},
    {PictureCondition::inverted, PictureCategory::web_page, "light on dark"},
    {PictureCondition::tinted_page, PictureCategory::web_page, "grey code on a tinted page"},
    {PictureCondition::strong_perspective, PictureCategory::photo, "strong perspective"},
    {PictureCondition::mirrored, PictureCategory::photo, "mirrored"},
    {PictureCondition::uneven_modules, PictureCategory::photo, "uneven module widths"},
    {PictureCondition::busy_surroundings, PictureCategory::photo,
     "busy surroundings and a shadow edge"},
};

const ConditionInfo& info_of(PictureCondition condition) {
    for (const ConditionInfo& info : kConditionInfo)
        if (info.condition == condition)
            return info;
    return kConditionInfo[0];
}

}  // namespace

const char* condition_name(PictureCondition condition) {
    return info_of(condition).name;
}

PictureCategory condition_category(PictureCondition condition) {
    return info_of(condition).category;
}

TestPicture test_picture(PictureCategory category, int index, PictureCondition condition) {
    Random rng(static_cast<uint32_t>(static_cast<int>(category) * 1000003 + index * 7919 + 17 +
                                     static_cast<int>(condition) * 104729));
    TestPicture t;
    switch (category) {
        case PictureCategory::clean:
            t = clean_picture(index, condition, rng);
            break;
        case PictureCategory::web_page:
            t = web_page_picture(index, condition, rng);
            break;
        case PictureCategory::screenshot:
            t = screenshot_picture(index, rng);
            break;
        case PictureCategory::photo:
            t = photo_picture(index, condition, rng);
            break;
        case PictureCategory::negative:
            t = negative_picture(index, rng);
            break;
    }
    t.name = std::string(category_name(category)) + " " + std::to_string(index) + " " +
             (condition == PictureCondition::none ? t.name : condition_name(condition));
    return t;
}
