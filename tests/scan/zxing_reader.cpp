#include <ZXing/ReadBarcode.h>

#include "other_readers.h"

std::vector<RecordBytes> zxing_records(const Picture& picture) {
    std::vector<RecordBytes> out;
    if (picture.width <= 0 || picture.height <= 0)
        return out;
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    const auto results =
        ZXing::ReadBarcodes(ZXing::ImageView(picture.rgb.data(), picture.width, picture.height,
                                             ZXing::ImageFormat::RGB),
                            hints);
    for (const ZXing::Result& r : results)
        if (r.isValid())
            keep_if_record(r.bytes().data(), r.bytes().size(), out);
    return out;
}
