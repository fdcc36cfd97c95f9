// The text of a navigation as the link handler reads it, the URL of a path
// or address, and the choice between real views and stand-ins.
#include "platform/browser.h"

#include "platform/web_view.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QWidget>
#include <QStringDecoder>

namespace platform {

namespace {

BrowserFactory& browserFactory()
{
    static BrowserFactory factory;
    return factory;
}

int hexValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// The byte of an escape "%XY" at i, or -1 when there is none.
int escapedByte(const QString& s, int i)
{
    if (i + 2 >= s.size() || s.at(i) != QLatin1Char('%'))
        return -1;
    const int hi = hexValue(s.at(i + 1));
    const int lo = hexValue(s.at(i + 2));
    return hi < 0 || lo < 0 ? -1 : hi * 16 + lo;
}

// Characters the engine keeps escaped although the page wrote them plainly.
bool decodedAscii(int byte)
{
    return byte == 0x22 || byte == 0x3C || byte == 0x3E || byte == 0x60
        || byte == 0x7B || byte == 0x7D;
}

// Length in bytes of the UTF-8 sequence that starts with lead, 0 if invalid.
int utf8Length(int lead)
{
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Decodes the UTF-8 character escaped at i; appends it and returns the
// escapes used, or 0 when the bytes there are no valid UTF-8 character.
int decodeUtf8Escape(const QString& s, int i, QString& out)
{
    const int count = utf8Length(escapedByte(s, i));
    if (count == 0)
        return 0;
    QByteArray bytes;
    for (int k = 0; k < count; ++k) {
        const int b = escapedByte(s, i + 3 * k);
        if (b < 0 || (k > 0 && (b & 0xC0) != 0x80))
            return 0;
        bytes.append(char(b));
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    if (decoder.hasError() || decoded.contains(QChar::ReplacementCharacter))
        return 0;
    out += decoded;
    return count;
}

} // namespace

QString navigationText(const QUrl& url)
{
    const QString s = url.toString(QUrl::FullyEncoded);
    QString out;
    out.reserve(s.size());
    int i = 0;
    while (i < s.size()) {
        const int byte = escapedByte(s, i);
        if (byte < 0) {
            out += s.at(i++);
        } else if (decodedAscii(byte)) {
            out += QChar(byte);
            i += 3;
        } else if (byte >= 0x80) {
            const int used = decodeUtf8Escape(s, i, out);
            if (used > 0) {
                i += 3 * used;
            } else {
                out += s.mid(i, 3);
                i += 3;
            }
        } else {
            out += s.mid(i, 3);
            i += 3;
        }
    }
    return out;
}

QUrl toNavigableUrl(const QString& urlOrPath)
{
    // A scheme of two letters or more ("http:", "file:", "about:"); a single
    // letter before ":" would be a drive letter, which names no file here.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(urlOrPath).hasMatch())
        return QUrl(urlOrPath);
    return QUrl::fromLocalFile(urlOrPath);
}

QString scriptString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    QString literal = QString::fromUtf8(array.mid(1, array.size() - 2));
    // Line and paragraph separators end a line in older script grammars.
    literal.replace(QChar(0x2028), QLatin1String("\\u2028"));
    literal.replace(QChar(0x2029), QLatin1String("\\u2029"));
    return literal;
}

Browser* createBrowser(QWidget* parent)
{
    if (browserFactory())
        return browserFactory()(parent);
    return new WebView(parent);
}

void setBrowserFactory(BrowserFactory factory)
{
    browserFactory() = std::move(factory);
}

} // namespace platform
