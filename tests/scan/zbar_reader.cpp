#include <zbar.h>

#include "other_readers.h"

using namespace zbar;

std::vector<RecordBytes> zbar_records(const Picture& picture) {
    std::vector<RecordBytes> out;
    if (picture.width <= 0 || picture.height <= 0)
        return out;
    std::vector<uint8_t> grey = grey_levels(picture);
    zbar_image_scanner_t* scanner = zbar_image_scanner_create();
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    zbar_image_scanner_set_config(scanner, ZBAR_QRCODE, ZBAR_CFG_ENABLE, 1);
    zbar_image_scanner_set_config(scanner, ZBAR_QRCODE, ZBAR_CFG_BINARY, 1);
    zbar_image_t* image = zbar_image_create();
    zbar_image_set_format(image, zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(image, static_cast<unsigned>(picture.width),
                        static_cast<unsigned>(picture.height));
    zbar_image_set_data(image, grey.data(), grey.size(), nullptr);
    if (zbar_scan_image(scanner, image) > 0) {
        for (const zbar_symbol_t* s = zbar_image_first_symbol(image); s != nullptr;
             s = zbar_symbol_next(s))
            keep_if_record(reinterpret_cast<const uint8_t*>(zbar_symbol_get_data(s)),
                           zbar_symbol_get_data_length(s), out);
    }
    zbar_image_destroy(image);
    zbar_image_scanner_destroy(scanner);
    return out;
}
