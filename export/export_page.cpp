#include "export_page.h"

#include <cstdio>

#include "design_renderings.h"
#include "qr_profile.h"
#include "record_edits.h"
#include "tile.h"

std::string design_file_stem(int number) {
    char stem[32];
    std::snprintf(stem, sizeof stem, "design-%0*d", kDesignNumberDigits, number);
    return stem;
}

namespace {

// On the page the QR code is shown at the window's 2 pixels a module (its file
// has 4, for printing), and the design at 4 pixels a design pixel.
constexpr int kShownQrSide = (kQrSide + 2 * kDefaultQrBorder) * kDefaultQrScale / 2;
constexpr int kShownPreviewSide = kTileSide * 4;

std::string escape_html(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

std::string make_export_page(const std::string& title, int columns, int rows, int count) {
    const std::string heading = escape_html(title);
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + heading +
        "</title>\n<style>\n"
        "body { font-family: sans-serif; margin: 1em; }\n"
        "table { border-collapse: collapse; }\n"
        "td { border: 1px solid #ccc; padding: 8px; text-align: center; vertical-align: top; }\n"
        "img { display: block; margin: 4px auto; image-rendering: pixelated; }\n"
        "</style>\n</head>\n<body>\n<h1>" +
        heading + "</h1>\n<p>" + std::to_string(columns) + " &times; " + std::to_string(rows) +
        " designs</p>\n<table>\n";
    for (int row = 0; row < rows; ++row) {
        page += "<tr>\n";
        for (int column = 0; column < columns && row * columns + column < count; ++column) {
            const std::string stem = design_file_stem(row * columns + column + 1);
            const std::string preview_side = std::to_string(kShownPreviewSide);
            const std::string qr_side = std::to_string(kShownQrSide);
            page += "<td><a href=\"" + stem + ".dat\">" + stem + "</a>" + "<img src=\"" + stem +
                    "-preview.png\" width=\"" + preview_side + "\" height=\"" + preview_side +
                    "\" alt=\"" + stem + " preview\">" + "<a href=\"" + stem +
                    ".png\"><img src=\"" + stem + ".png\" width=\"" + qr_side + "\" height=\"" +
                    qr_side + "\" alt=\"" + stem + " QR code\"></a></td>\n";
        }
        page += "</tr>\n";
    }
    page += "</table>\n</body>\n</html>\n";
    return page;
}
