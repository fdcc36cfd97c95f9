// JPEG through libjpeg. Its errors jump back here (setjmp/longjmp) instead
// of ending the process; a file cut short counts as an error too, and ends
// the decoding at once, as does a progressive file with a broken or endless
// sequence of scans.
#include "platform/picture.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jerror.h>
#include <jpeglib.h>

namespace platform {

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jumpOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

// The picture data stopped before the picture did: the file ends, or a scan
// runs into the next scan or the end of the image. A restart marker met too
// early is not that: libjpeg resynchronises there and decodes on.
bool dataEndedEarly(j_common_ptr info)
{
    const int code = info->err->msg_code;
    if (code == JWRN_JPEG_EOF)
        return true;
    if (code != JWRN_HIT_MARKER || !info->is_decompressor)
        return false;
    constexpr int FirstRestartMarker = 0xD0, LastRestartMarker = 0xD7;
    const int marker = reinterpret_cast<j_decompress_ptr>(info)->unread_marker;
    return marker < FirstRestartMarker || marker > LastRestartMarker;
}

// A progressive picture is decoded scan by scan, every scan over the whole
// picture. Real encoders write about ten; a few hundred bytes of repeated
// scans would otherwise keep a large picture decoding for minutes.
constexpr int kMostScans = 100;

// Warnings stay silent. A premature end of the data voids the result, and
// stops at once: otherwise a few hundred bytes that claim 16000 x 16000
// pixels would be filled out with grey for seconds and hundreds of MB. So
// does a scan that refines what no earlier scan began, or refines it again:
// no encoder writes that, only a broken or a crafted file.
void noteWarning(j_common_ptr info, int level)
{
    if (level < 0 && (dataEndedEarly(info) || info->err->msg_code == JWRN_BOGUS_PROGRESSION))
        jumpOnError(info);
}

// libjpeg calls this between pieces of input, so a scan past the last one
// allowed is refused before it is decoded.
void limitScans(j_common_ptr info)
{
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMostScans)
        jumpOnError(info);
}

void installErrorManager(JpegError& error)
{
    jpeg_std_error(&error.manager);
    error.manager.error_exit = jumpOnError;
    error.manager.emit_message = noteWarning;
}

// Frees the decompressor whatever way the decoding ends.
struct Decompressor {
    jpeg_decompress_struct info{};
    JpegError error;
    jpeg_progress_mgr progress{};
    bool created = false;
    ~Decompressor()
    {
        if (created)
            jpeg_destroy_decompress(&info);
    }
};

struct Compressor {
    jpeg_compress_struct info{};
    JpegError error;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    bool created = false;
    ~Compressor()
    {
        if (created)
            jpeg_destroy_compress(&info);
        std::free(buffer);
    }
};

// Adobe CMYK files store the inks inverted.
void cmykRowToRgb(const uchar* cmyk, uchar* rgb, int width)
{
    for (int x = 0; x < width; ++x) {
        const int k = cmyk[4 * x + 3];
        for (int c = 0; c < 3; ++c)
            rgb[3 * x + c] = uchar(cmyk[4 * x + c] * k / 255);
    }
}

// Runs after the caller's setjmp, so a libjpeg error lands in the caller.
void readHeader(Decompressor& d, const QByteArray& data)
{
    jpeg_create_decompress(&d.info);
    d.created = true;
    d.progress.progress_monitor = limitScans;
    d.info.progress = &d.progress;
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&d.info, TRUE);
}

// The largest of 1/8, 1/4 and 1/2 that still leaves the picture at least
// as large as it will be shown; libjpeg then skips the finer detail.
void scaleToFit(jpeg_decompress_struct& info, const QSize& fitIn)
{
    if (!fitIn.isValid() || fitIn.isEmpty())
        return;
    const double shown = qMin(1.0, qMin(double(fitIn.width()) / info.image_width,
                                         double(fitIn.height()) / info.image_height));
    unsigned denominator = 1;
    while (denominator < 8 && shown * denominator * 2 <= 1.0)
        denominator *= 2;
    info.scale_num = 1;
    info.scale_denom = denominator;
}

} // namespace

QSize jpegSize(const QByteArray& data)
{
    Decompressor d;
    d.info.err = &d.error.manager;
    installErrorManager(d.error);
    if (setjmp(d.error.jump))
        return QSize();
    readHeader(d, data);
    return QSize(int(d.info.image_width), int(d.info.image_height));
}

QImage decodeJpeg(const QByteArray& data, const QSize& fitIn)
{
    if (data.isEmpty())
        return QImage();
    Decompressor d;
    d.info.err = &d.error.manager;
    installErrorManager(d.error);
    if (setjmp(d.error.jump))
        return QImage();
    readHeader(d, data);
    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (!withinPictureLimit(QSize(int(d.info.image_width), int(d.info.image_height))))
        return QImage();
    scaleToFit(d.info, fitIn);
    jpeg_start_decompress(&d.info);
    const int width = int(d.info.output_width);
    const int height = int(d.info.output_height);

    // Objects made after the first jump point: move the jump point past them
    // so that an error still returns through their destructors.
    QImage image(width, height, QImage::Format_RGB888);
    QByteArray cmykRow(cmyk ? width * 4 : 0, '\0');
    if (image.isNull())
        return QImage();
    if (setjmp(d.error.jump))
        return QImage();
    while (d.info.output_scanline < d.info.output_height) {
        uchar* target = image.scanLine(int(d.info.output_scanline));
        JSAMPROW row = cmyk ? reinterpret_cast<JSAMPROW>(cmykRow.data()) : target;
        if (jpeg_read_scanlines(&d.info, &row, 1) != 1)
            return QImage();
        if (cmyk)
            cmykRowToRgb(reinterpret_cast<const uchar*>(cmykRow.constData()), target, width);
    }
    jpeg_finish_decompress(&d.info);
    return image;
}

QByteArray encodeJpeg(const QImage& source, int quality)
{
    const QImage image = flattenToRgb888(source);
    if (image.isNull())
        return QByteArray();
    Compressor c;
    c.info.err = &c.error.manager;
    installErrorManager(c.error);
    if (setjmp(c.error.jump))
        return QByteArray();
    jpeg_create_compress(&c.info);
    c.created = true;
    jpeg_mem_dest(&c.info, &c.buffer, &c.size);
    c.info.image_width = JDIMENSION(image.width());
    c.info.image_height = JDIMENSION(image.height());
    c.info.input_components = 3;
    c.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c.info);
    jpeg_set_quality(&c.info, qBound(0, quality, 100), TRUE);
    jpeg_start_compress(&c.info, TRUE);
    while (c.info.next_scanline < c.info.image_height) {
        JSAMPROW row = const_cast<uchar*>(image.constScanLine(int(c.info.next_scanline)));
        jpeg_write_scanlines(&c.info, &row, 1);
    }
    jpeg_finish_compress(&c.info);
    return QByteArray(reinterpret_cast<const char*>(c.buffer), qsizetype(c.size));
}

} // namespace platform
