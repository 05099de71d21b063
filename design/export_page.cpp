#include "export_page.h"

#include <cstdio>

std::string design_file_stem(int number) {
    char stem[32];
    std::snprintf(stem, sizeof stem, "design-%03d", number);
    return stem;
}

namespace {

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

std::string make_export_page(const std::string& title, int columns, int rows) {
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
        for (int column = 0; column < columns; ++column) {
            const std::string stem = design_file_stem(row * columns + column + 1);
            page += "<td><a href=\"" + stem + ".dat\">" + stem + "</a>" + "<img src=\"" + stem +
                    "-preview.png\" width=\"128\" height=\"128\" alt=\"" + stem + " preview\">" +
                    "<img src=\"" + stem + ".png\" alt=\"" + stem + " QR code\"></td>\n";
        }
        page += "</tr>\n";
    }
    page += "</table>\n</body>\n</html>\n";
    return page;
}
