// PNG through libpng (which deflates with zlib). Its errors jump back here
// through png_jmpbuf instead of ending the process.
#include "platform/picture.h"

#include <QSysInfo>
#include <QtEndian>
#include <png.h>
#include <vector>

namespace platform {

namespace {

constexpr png_uint_32 MaxSide = 1u << 16; // pixels per side we agree to decode

struct MemoryReader {
    const QByteArray* data;
    qsizetype offset = 0;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t count)
{
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (reader->offset + qsizetype(count) > reader->data->size())
        png_error(png, "truncated");
    memcpy(out, reader->data->constData() + reader->offset, count);
    reader->offset += qsizetype(count);
}

void writeToMemory(png_structp png, png_bytep bytes, png_size_t count)
{
    static_cast<QByteArray*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(bytes),
                                                          qsizetype(count));
}

void flushNothing(png_structp) {}

void quietWarning(png_structp, png_const_charp) {}

// Frees the reader whatever way the decoding ends.
struct PngReadState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngReadState() { png_destroy_read_struct(&png, &info, nullptr); }
};

struct PngWriteState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWriteState() { png_destroy_write_struct(&png, &info); }
};

// Every kind of PNG arrives as 8-bit RGBA, in the byte order of QImage's
// 32-bit formats (BGRA on little-endian machines), so rows land straight in
// the final image without a second full copy.
void requestRgba(png_structp png, png_infop info)
{
    const int colorType = png_get_color_type(png, info);
    if (png_get_bit_depth(png, info) == 16)
        png_set_strip_16(png);
    if (colorType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian)
        png_set_bgr(png);
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
}

bool hasAlpha(png_structp png, png_infop info)
{
    return (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0
        || png_get_valid(png, info, PNG_INFO_tRNS);
}

} // namespace

QSize pngSize(const QByteArray& data)
{
    if (data.size() < 24 || png_sig_cmp(reinterpret_cast<png_const_bytep>(data.constData()), 0, 8)
        || data.mid(12, 4) != "IHDR")
        return QSize();
    const auto* p = reinterpret_cast<const uchar*>(data.constData());
    const quint32 w = qFromBigEndian<quint32>(p + 16);
    const quint32 h = qFromBigEndian<quint32>(p + 20);
    if (w == 0 || h == 0 || w > 0x7fffffff || h > 0x7fffffff)
        return QSize();
    return QSize(int(w), int(h));
}

QImage decodePng(const QByteArray& data)
{
    if (data.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(data.constData()), 0, 8))
        return QImage();
    MemoryReader reader{&data};
    PngReadState s;
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, quietWarning);
    if (!s.png)
        return QImage();
    s.info = png_create_info_struct(s.png);
    if (!s.info)
        return QImage();
    if (setjmp(png_jmpbuf(s.png)))
        return QImage();
    png_set_read_fn(s.png, &reader, readFromMemory);
    png_set_user_limits(s.png, MaxSide, MaxSide);
    png_read_info(s.png, s.info);
    if (!withinPictureLimit(QSize(int(png_get_image_width(s.png, s.info)), int(png_get_image_height(s.png, s.info)))))
        return QImage();
    const volatile bool alpha = hasAlpha(s.png, s.info); // volatile: lives across setjmp
    requestRgba(s.png, s.info);
    png_read_update_info(s.png, s.info);
    const int width = int(png_get_image_width(s.png, s.info));
    const int height = int(png_get_image_height(s.png, s.info));

    // Objects made after the first jump point: move the jump point past them
    // so that an error still returns through their destructors.
    const QImage::Format wanted = alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    const bool direct = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    QImage image(width, height, direct ? wanted : QImage::Format_RGBA8888);
    std::vector<png_bytep> rows(image.isNull() ? 0 : size_t(height));
    if (image.isNull())
        return QImage();
    for (int y = 0; y < height; ++y)
        rows[size_t(y)] = image.scanLine(y);
    if (setjmp(png_jmpbuf(s.png)))
        return QImage();
    png_read_image(s.png, rows.data());
    png_read_end(s.png, nullptr);
    return direct ? image : image.convertToFormat(wanted);
}

QByteArray encodePng(const QImage& source)
{
    if (source.isNull())
        return QByteArray();
    const bool alpha = source.hasAlphaChannel();
    const QImage image = source.convertToFormat(alpha ? QImage::Format_RGBA8888
                                                      : QImage::Format_RGB888);
    std::vector<png_bytep> rows(size_t(image.height()));
    for (int y = 0; y < image.height(); ++y)
        rows[size_t(y)] = const_cast<png_bytep>(image.constScanLine(y));
    QByteArray out;
    PngWriteState s;
    s.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, quietWarning);
    if (!s.png)
        return QByteArray();
    s.info = png_create_info_struct(s.png);
    if (!s.info)
        return QByteArray();
    if (setjmp(png_jmpbuf(s.png)))
        return QByteArray();
    png_set_write_fn(s.png, &out, writeToMemory, flushNothing);
    png_set_IHDR(s.png, s.info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(s.png, s.info);
    png_write_image(s.png, rows.data());
    png_write_end(s.png, nullptr);
    return out;
}

} // namespace platform
