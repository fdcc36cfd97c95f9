#pragma once
// Progressive JPEG files made with libjpeg itself: one with a scan script
// of our choosing, and one whose last scan is repeated, as a crafted file
// would repeat it to keep a decoder busy.

#include <QByteArray>
#include <QImage>
#include <cstdlib>
#include <vector>
#include <jpeglib.h>

// A grey w x h picture in the given scans (1 component).
inline QByteArray progressiveJpeg(int w, int h, const std::vector<jpeg_scan_info>& scans)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = JDIMENSION(w);
    c.image_height = JDIMENSION(h);
    c.input_components = 1;
    c.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&c);
    c.scan_info = scans.data();
    c.num_scans = int(scans.size());
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(w));
    while (c.next_scanline < c.image_height) {
        for (int x = 0; x < w; ++x)
            row[size_t(x)] = JSAMPLE((x * 7 + int(c.next_scanline) * 3) & 0xFF);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

inline jpeg_scan_info greyScan(int ss, int se, int ah, int al)
{
    jpeg_scan_info s{};
    s.comps_in_scan = 1;
    s.component_index[0] = 0;
    s.Ss = ss;
    s.Se = se;
    s.Ah = ah;
    s.Al = al;
    return s;
}

// DC, then every AC coefficient in a scan of its own at half precision, then
// each refined: 2 + 2 * 63 valid scans.
inline std::vector<jpeg_scan_info> oneScanPerCoefficient()
{
    std::vector<jpeg_scan_info> scans{greyScan(0, 0, 0, 1)};
    for (int k = 1; k < 64; ++k)
        scans.push_back(greyScan(k, k, 0, 1));
    scans.push_back(greyScan(0, 0, 1, 0));
    for (int k = 1; k < 64; ++k)
        scans.push_back(greyScan(k, k, 1, 0));
    return scans;
}

// The usual short progression: DC, AC in two bands at half precision, then
// refined.
inline std::vector<jpeg_scan_info> usualScans()
{
    return {greyScan(0, 0, 0, 1), greyScan(1, 5, 0, 2), greyScan(6, 63, 0, 2),
            greyScan(1, 63, 2, 1), greyScan(0, 0, 1, 0), greyScan(1, 63, 1, 0)};
}

// The file with its last scan (from its SOS marker to the end of the image)
// written `times` more times before the end.
inline QByteArray withLastScanRepeated(const QByteArray& jpeg, int times)
{
    const qsizetype sos = jpeg.lastIndexOf(QByteArray("\xFF\xDA", 2));
    const qsizetype eoi = jpeg.lastIndexOf(QByteArray("\xFF\xD9", 2));
    if (sos < 0 || eoi < sos)
        return QByteArray();
    const QByteArray scan = jpeg.mid(sos, eoi - sos);
    return jpeg.left(eoi) + scan.repeated(times) + jpeg.mid(eoi);
}
