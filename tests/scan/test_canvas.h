// Drawing test pictures: symbols on pages and screens, text-like clutter, and
// what scaling, a camera and compression do to them.
#pragma once

#include <array>
#include <cstdint>
#include <random>

#include "picture.h"
#include "rgb.h"
#include "test_symbols.h"

using Random = std::mt19937;
double uniform(Random& rng, double low, double high);
int uniform_int(Random& rng, int low, int high);  // low..high inclusive

Picture blank_picture(int width, int height, Rgb colour);
void fill_rect(Picture& p, int x0, int y0, int x1, int y1, Rgb colour);

struct SymbolStyle {
    double module = 2;  // pixels per module
    int quiet = 4;      // light modules around the symbol
    Rgb dark{0, 0, 0};
    Rgb light{255, 255, 255};
    bool smooth = false;  // pixels partly covered get mixed colours, as a browser scales
};
// Draws the symbol with its top-left module corner at (x, y).
void draw_symbol(Picture& p, const SymbolModules& s, double x, double y, const SymbolStyle& style);
// The symbol's side in pixels with its quiet zone.
double drawn_side(const SymbolModules& s, const SymbolStyle& style);

// Rows of word-like dark blocks, as text on a page.
void draw_text_lines(Picture& p, int x0, int y0, int x1, int y1, Rgb ink, Random& rng);
// Soft coloured blobs, as a photograph on a page.
void draw_photo_blobs(Picture& p, int x0, int y0, int x1, int y1, Random& rng);

enum class Resampling { nearest, smooth };
Picture scaled(const Picture& p, double factor, Resampling how);

// A camera's view of a flat scene: rotation, perspective (tilt of the scene
// plane), lens barrel bending and the size of the photo.
struct CameraPose {
    int width = 1024;
    int height = 768;
    double rotation = 0;  // radians
    double tilt_x = 0;    // perspective, in 1/pixel of the scene
    double tilt_y = 0;
    double scene_scale = 1;   // photo pixels per scene pixel
    double barrel = 0;        // radial bending at the photo's corner, as a fraction
    Rgb outside{90, 90, 90};  // what lies beyond the scene
};
Picture photographed(const Picture& scene, const CameraPose& pose);

void box_blur(Picture& p, int radius);
void add_noise(Picture& p, double sigma, Random& rng);
// Light falling off from a bright point, and a glare spot.
void uneven_light(Picture& p, double strength, Random& rng);
void add_glare(Picture& p, Random& rng);
// A shadow's soft edge along the line through (x, y) at `angle`: on one side
// the light falls to `remaining` over `softness` pixels.
void shadow_edge(Picture& p, double x, double y, double angle, double remaining, double softness);
// Darkened gaps between a monitor's pixels, every `pitch` scene pixels.
void monitor_grid(Picture& p, int pitch);
