#include "imaging/gif_writer.h"

#include <gif_lib.h>
#include <libimagequant.h>

#include <memory>
#include <vector>

namespace lumetra {

namespace {

constexpr int kGifMaxSide = 65535;

struct LiqDeleter {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
    void operator()(liq_image* p) const { liq_image_destroy(p); }
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};
template <typename T>
using LiqPtr = std::unique_ptr<T, LiqDeleter>;

int WriteToDevice(GifFileType* gif, const GifByteType* bytes, int length)
{
    auto* device = static_cast<QIODevice*>(gif->UserData);
    return static_cast<int>(device->write(reinterpret_cast<const char*>(bytes), length));
}

// The picture's pixels in the R, G, B, A byte order libimagequant reads.
std::vector<unsigned char> RgbaBytes(const QImage& rgb32)
{
    const int w = rgb32.width();
    std::vector<unsigned char> rgba(static_cast<size_t>(w) * rgb32.height() * 4);
    unsigned char* out = rgba.data();
    for (int y = 0; y < rgb32.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            *out++ = static_cast<unsigned char>(qRed(row[x]));
            *out++ = static_cast<unsigned char>(qGreen(row[x]));
            *out++ = static_cast<unsigned char>(qBlue(row[x]));
            *out++ = 255;
        }
    }
    return rgba;
}

struct Quantised {
    std::vector<unsigned char> indexes;  // one byte per pixel, rows top-down
    std::vector<GifColorType> palette;
    QString error;
};

Quantised Quantise(const QImage& rgb32)
{
    Quantised q;
    const int w = rgb32.width();
    const int h = rgb32.height();
    const std::vector<unsigned char> rgba = RgbaBytes(rgb32);
    LiqPtr<liq_attr> attr(liq_attr_create());
    if (!attr) {
        q.error = QStringLiteral("the colour quantiser could not start");
        return q;
    }
    liq_set_max_colors(attr.get(), 256);
    LiqPtr<liq_image> image(liq_image_create_rgba(attr.get(), rgba.data(), w, h, 0));
    liq_result* raw = nullptr;
    if (!image || liq_image_quantize(image.get(), attr.get(), &raw) != LIQ_OK) {
        q.error = QStringLiteral("the colours could not be reduced to a 256-colour palette");
        return q;
    }
    LiqPtr<liq_result> result(raw);
    liq_set_dithering_level(result.get(), 1.0f);
    q.indexes.resize(static_cast<size_t>(w) * h);
    if (liq_write_remapped_image(result.get(), image.get(), q.indexes.data(), q.indexes.size()) != LIQ_OK) {
        q.error = QStringLiteral("the picture could not be mapped onto its palette");
        return q;
    }
    const liq_palette* palette = liq_get_palette(result.get());
    for (unsigned i = 0; i < palette->count; ++i)
        q.palette.push_back({palette->entries[i].r, palette->entries[i].g, palette->entries[i].b});
    return q;
}

// giflib wants a colour table whose size is a power of two.
int PaletteTableSize(size_t count)
{
    int size = 2;
    while (static_cast<size_t>(size) < count) size *= 2;
    return size;
}

QString GifError(int code)
{
    const char* text = GifErrorString(code);
    return QStringLiteral("GIF encoder: %1").arg(QString::fromLatin1(text ? text : "unknown error"));
}

}  // namespace

QString EncodeGif(const QImage& rgb32, QIODevice& device)
{
    if (rgb32.width() > kGifMaxSide || rgb32.height() > kGifMaxSide)
        return QStringLiteral("a GIF picture can be at most %1 pixels wide and high").arg(kGifMaxSide);
    const Quantised q = Quantise(rgb32);
    if (!q.error.isEmpty()) return q.error;

    std::vector<GifColorType> colors = q.palette;
    colors.resize(static_cast<size_t>(PaletteTableSize(colors.size())), GifColorType{0, 0, 0});
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colors.size()), colors.data());
    if (!map) return QStringLiteral("not enough memory for the GIF palette");

    int error = 0;
    GifFileType* gif = EGifOpen(&device, WriteToDevice, &error);
    if (!gif) {
        GifFreeMapObject(map);
        return GifError(error);
    }
    const int w = rgb32.width();
    const int h = rgb32.height();
    bool ok = EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < h; ++y) {
        auto* row = const_cast<GifPixelType*>(q.indexes.data() + static_cast<size_t>(y) * w);
        ok = EGifPutLine(gif, row, w) == GIF_OK;
    }
    const int lastError = gif->Error;
    GifFreeMapObject(map);
    int closeError = 0;
    const bool closed = EGifCloseFile(gif, &closeError) == GIF_OK;
    if (!ok) return GifError(lastError);
    if (!closed) return GifError(closeError);
    return {};
}

}  // namespace lumetra
