// Encodings of the texts the program reads and writes, and their line ends.
#include "store/files.h"
#include "store/files_internal.h"

#include <QStringDecoder>
#include <cstring>
#include <QStringEncoder>

namespace files {

bool isValidUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        // Eight ASCII bytes at a time: most of a page is markup.
        if (i + 8 <= n) {
            quint64 eight;
            std::memcpy(&eight, p + i, 8);
            if ((eight & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more;
        unsigned lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0)
                lo = 0xA0; // no overlong forms
            if (c == 0xED)
                hi = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0)
                lo = 0x90;
            if (c == 0xF4)
                hi = 0x8F; // nothing above U+10FFFF
        } else {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            if (i + k >= n)
                return false;
            const unsigned char b = p[i + k];
            const unsigned l = k == 1 ? lo : 0x80, h = k == 1 ? hi : 0xBF;
            if (b < l || b > h)
                return false;
        }
        i += more + 1;
    }
    return true;
}

QString decodeShiftJis(const QByteArray& bytes)
{
    QStringDecoder decoder("Shift_JIS");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes); // no converter: keep every byte visible
    return decoder.decode(bytes);
}

QByteArray encodeShiftJis(const QString& s)
{
    QStringEncoder encoder("Shift_JIS");
    if (!encoder.isValid())
        return s.toLatin1();
    return encoder.encode(s);
}

QString decodeUtf8(const QByteArray& bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    return QString::fromUtf8(bytes);
}

QString decodeDefault(const QByteArray& bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return decodeUtf8(bytes);
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder d(QStringDecoder::Utf16LE);
        return d.decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder d(QStringDecoder::Utf16BE);
        return d.decode(bytes.mid(2));
    }
    return decodeShiftJis(bytes);
}

QString decodeUtf8OrShiftJis(const QByteArray& bytes)
{
    if (isValidUtf8(bytes))
        return decodeUtf8(bytes);
    return decodeShiftJis(bytes);
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c == '\r' || c == '\n') {
            lines.append(text.mid(start, i - start));
            if (c == '\r' && i + 1 < n && text.at(i + 1) == '\n')
                ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString joinCrLf(const QStringList& lines)
{
    QString r;
    for (const QString& line : lines) {
        r += line;
        r += QLatin1String("\r\n");
    }
    return r;
}

} // namespace files
