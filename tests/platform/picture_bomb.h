#pragma once
// A picture bomb (a small file that claims a huge picture), the log lines of
// the program's category, and the process's peak memory over a step.

#include "store/log.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <png.h>
#include <cstdio>
#include <vector>

// A 1-bit grey PNG of width x height, all black: a few hundred kB on disk
// however large it claims to be, written row by row so that the test itself
// never holds the picture.
inline bool writePngBomb(const QString& path, png_uint_32 width, png_uint_32 height)
{
    FILE* out = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!out)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    if (info && !setjmp(png_jmpbuf(png))) {
        png_init_io(png, out);
        png_set_compression_level(png, 1);
        png_set_IHDR(png, info, width, height, 1, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<png_byte> row((width + 7) / 8, 0);
        for (png_uint_32 y = 0; y < height; ++y)
            png_write_row(png, row.data());
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(out) == 0 && ok;
}

// Collects the messages of the program's log category while it lives.
class LogLines {
public:
    LogLines()
    {
        lines().clear();
        previous_ = qInstallMessageHandler(&LogLines::collect);
    }
    ~LogLines() { qInstallMessageHandler(previous_); }
    static QStringList& lines()
    {
        static QStringList all;
        return all;
    }
    // How many collected lines mention text.
    static int mentioning(const QString& text)
    {
        int n = 0;
        for (const QString& line : lines())
            n += line.contains(text);
        return n;
    }

private:
    static void collect(QtMsgType, const QMessageLogContext& context, const QString& message)
    {
        if (context.category && QByteArray(context.category) == lcPagora().categoryName())
            lines().append(message);
    }
    QtMessageHandler previous_ = nullptr;
};

// The process's peak resident memory since construction (Linux: the
// high-water mark is reset through clear_refs, then read from status).
class PeakMemory {
public:
    PeakMemory()
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        resetWorked_ = clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
    }
    bool resetWorked() const { return resetWorked_; }
    static qint64 bytes()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
        return -1;
    }

private:
    bool resetWorked_ = false;
};
