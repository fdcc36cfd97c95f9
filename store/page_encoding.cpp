#include "store/page_encoding.h"

#include "store/files.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace store {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
}

// Whether bytes at i start with word (lower-case ASCII), in any letter case.
bool startsAt(const QByteArray& bytes, qsizetype i, QByteArrayView word)
{
    if (i < 0 || i + word.size() > bytes.size())
        return false;
    for (qsizetype k = 0; k < word.size(); ++k) {
        if (lowerAscii(bytes.at(i + k)) != word.at(k))
            return false;
    }
    return true;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
        || c == '_' || c == '.' || c == ':';
}

// The value after key "=" inside [from, to): the name's position and text.
CharsetDeclaration valueOf(const QByteArray& bytes, qsizetype from, qsizetype to, QByteArrayView key)
{
    for (qsizetype i = from; i + key.size() <= to; ++i) {
        if (lowerAscii(bytes.at(i)) != key.at(0) || !startsAt(bytes, i, key))
            continue;
        qsizetype k = i + key.size();
        while (k < to && isSpace(bytes.at(k)))
            ++k;
        if (k >= to || bytes.at(k) != '=')
            continue;
        ++k;
        while (k < to && (isSpace(bytes.at(k)) || bytes.at(k) == '"' || bytes.at(k) == '\''))
            ++k;
        qsizetype end = k;
        while (end < to && isNameChar(bytes.at(end)))
            ++end;
        if (end > k)
            return {bytes.mid(k, end - k), k};
    }
    return {};
}

// A tag's end: its ">" (or the page's end when it is cut off).
qsizetype tagEnd(const QByteArray& bytes, qsizetype from)
{
    const qsizetype end = bytes.indexOf('>', from);
    return end < 0 ? bytes.size() : end;
}

// Bytes without a UTF-8 character cut off at their end.
qsizetype withoutCutCharacter(const QByteArray& bytes)
{
    const qsizetype n = bytes.size();
    for (qsizetype back = 1; back <= 3 && back <= n; ++back) {
        const auto c = static_cast<unsigned char>(bytes.at(n - back));
        if (c < 0x80)
            return n;
        if (c >= 0xC0) {
            const qsizetype length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
            return length > back ? n - back : n;
        }
    }
    return n;
}

// Decodes in the named charset; nullopt when Qt does not know it or any
// byte fails. A whole page ends with a blank so that a lone lead byte at its
// end is an error too, instead of being held back silently.
std::optional<QString> decodeWithoutLoss(const char* charset, const QByteArray& bytes, bool head)
{
    QStringDecoder decoder(charset);
    if (!decoder.isValid())
        return std::nullopt;
    QString text = decoder.decode(head ? bytes : bytes + ' ');
    if (decoder.hasError() || (!head && !text.endsWith(u' ')))
        return std::nullopt;
    if (!head)
        text.chop(1);
    return text;
}

bool isIso2022(const QByteArray& name)
{
    return name.toLower().startsWith("iso-2022");
}

PageText decidedBody(PageText r, const QByteArray& body, bool head)
{
    const QByteArray whole = head ? body.left(withoutCutCharacter(body)) : body;
    if (files::isValidUtf8(whole)) {
        r.encoding = PageEncoding::Utf8;
        r.text = QString::fromUtf8(whole);
    }
    return r;
}

bool holdsHalfWidthKana(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F; });
}

// Undeclared EUC-JP (old pages from Unix) often passes as Shift_JIS, read
// as half-width katakana. The EUC-JP text of bytes that decode that way
// without loss, where Shift_JIS fails or gives half-width katakana that
// EUC-JP does not: shown, never rewritten.
std::optional<QString> eucJpInstead(const QByteArray& bytes, const std::optional<QString>& asShiftJis, bool head)
{
    std::optional<QString> euc = decodeWithoutLoss("EUC-JP", bytes, head);
    if (!euc || (asShiftJis && (!holdsHalfWidthKana(*asShiftJis) || holdsHalfWidthKana(*euc))))
        return std::nullopt;
    return euc;
}

// A UTF-16 mark decides as it does for the browser; such a page is shown,
// never rewritten.
std::optional<PageText> decidedUtf16(const QByteArray& bytes, bool head)
{
    const char* charset = bytes.startsWith("\xFF\xFE") ? "UTF-16LE"
        : bytes.startsWith("\xFE\xFF")                  ? "UTF-16BE"
                                                        : nullptr;
    if (!charset)
        return std::nullopt;
    PageText r;
    const QByteArray body = bytes.mid(2);
    if (auto text = decodeWithoutLoss(charset, head ? body.left(body.size() & ~qsizetype(1)) : body, true)) {
        r.encoding = PageEncoding::Other;
        r.text = std::move(*text);
    }
    return r;
}

// A label Qt does not know is no declaration, as browsers ignore it too.
bool isKnownCharset(const QByteArray& name)
{
    return QStringDecoder(name.constData()).isValid();
}

// A META tag naming UTF-16 means UTF-8 to the browser: bytes it could find
// the tag in are no UTF-16.
bool isUtf8Label(const QByteArray& name)
{
    const QByteArray lower = name.toLower();
    return lower == "utf-8" || lower == "utf8" || lower.startsWith("utf-16") || lower == "unicode-1-1-utf-8";
}

bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The browser follows a declared charset whatever else the bytes would also
// be: a Shift_JIS page whose bytes happen to form UTF-8 (half-width
// katakana pairs) shows as Shift_JIS. Only bytes that read the same in every
// such charset (plain ASCII) are taken as UTF-8 then.
bool declarationOverridesUtf8(const QByteArray& charset, const QByteArray& bytes)
{
    if (charset.isEmpty() || isUtf8Label(charset) || isAscii(bytes))
        return false;
    return isShiftJisName(charset) || isKnownCharset(charset);
}

// Bytes with many NULs and no mark are UTF-16 without one (markup in it is
// half NULs): the browser would not find their markup, and nothing rewrites
// them. Their text is read as UTF-16 for readers that only look at it, the
// byte order taken from where the NULs stand. A stray NUL makes no UTF-16.
std::optional<PageText> decidedWideWithoutMark(const QByteArray& bytes, bool head)
{
    if (!bytes.contains('\0'))
        return std::nullopt;
    qsizetype even = 0, odd = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (bytes.at(i) == '\0')
            ++((i % 2) ? odd : even);
    if ((even + odd) * 8 < bytes.size())
        return std::nullopt;
    const QByteArray body = head ? bytes.left(bytes.size() & ~qsizetype(1)) : bytes;
    PageText r;
    if (auto text = decodeWithoutLoss(odd >= even ? "UTF-16LE" : "UTF-16BE", body, true)) {
        r.encoding = PageEncoding::Other;
        r.text = std::move(*text);
    }
    return r;
}

} // namespace

bool PageText::declaresShiftJis() const
{
    return isShiftJisName(charset);
}

bool isShiftJisName(const QByteArray& name)
{
    static const QByteArrayView aliases[] = {"shift_jis", "shift-jis", "x-sjis", "sjis",
                                             "windows-31j", "cp932", "ms_kanji"};
    const QByteArray lower = name.toLower();
    for (const QByteArrayView a : aliases) {
        if (lower == a)
            return true;
    }
    return false;
}

CharsetDeclaration declaredCharset(const QByteArray& bytes)
{
    const qsizetype n = bytes.size();
    for (qsizetype i = bytes.indexOf('<'); i >= 0 && i + 1 < n; i = bytes.indexOf('<', i + 1)) {
        // Most tags are told apart by the character after "<".
        const char next = lowerAscii(bytes.at(i + 1));
        if (next == '!' && startsAt(bytes, i, "<!--")) {
            const qsizetype end = bytes.indexOf("-->", i + 4);
            if (end < 0)
                break;
            i = end + 2;
        } else if (next == '?' && startsAt(bytes, i, "<?xml")) {
            const qsizetype end = bytes.indexOf("?>", i);
            const auto d = valueOf(bytes, i + 5, end < 0 ? n : end, "encoding");
            if (d.at >= 0)
                return d;
        } else if (next == 'm' && startsAt(bytes, i, "<meta") && i + 5 < n
                   && (isSpace(bytes.at(i + 5)) || bytes.at(i + 5) == '/')) {
            const auto d = valueOf(bytes, i + 5, tagEnd(bytes, i), "charset");
            if (d.at >= 0)
                return d;
        } else if ((next == 'b' && startsAt(bytes, i, "<body")) || (next == '/' && startsAt(bytes, i, "</head"))) {
            break;
        }
    }
    return {};
}

PageText decodePage(const QByteArray& bytes, bool head)
{
    if (auto utf16 = decidedUtf16(bytes, head))
        return *utf16;
    PageText r;
    const CharsetDeclaration declaration = declaredCharset(bytes);
    r.charset = declaration.name;
    r.charsetAt = declaration.at;
    if (bytes.startsWith(kUtf8Bom)) {
        // A mark with broken bytes after it is no UTF-8 page to rewrite;
        // its text is still shown as the browser shows it.
        r.hasBom = true;
        r = decidedBody(r, bytes.mid(3), head);
        if (!r.readable())
            r.text = QString::fromUtf8(bytes.mid(3));
        return r;
    }
    if (auto wide = decidedWideWithoutMark(bytes, head)) {
        wide->charset = r.charset;
        wide->charsetAt = r.charsetAt;
        return *wide;
    }
    // ISO-2022 pages are 7-bit, so "valid UTF-8" says nothing about them.
    const bool stateful = isIso2022(r.charset) && bytes.contains('\x1b');
    const bool declared = declarationOverridesUtf8(r.charset, bytes);
    if (!stateful && !declared) {
        r = decidedBody(r, bytes, head);
        if (r.readable())
            return r;
    }
    if (!r.charset.isEmpty() && !r.declaresShiftJis() && !isKnownCharset(r.charset)) {
        r.charset.clear();
        r.charsetAt = -1;
    }
    if (r.charset.isEmpty() || r.declaresShiftJis()) {
        std::optional<QString> text = decodeWithoutLoss("Shift_JIS", bytes, head);
        if (r.charset.isEmpty()) {
            if (auto euc = eucJpInstead(bytes, text, head)) {
                r.encoding = PageEncoding::Other;
                r.text = std::move(*euc);
                return r;
            }
        }
        if (text) {
            // Bytes that are UTF-8 too may be a UTF-8 page under an old
            // declaration: shown as the browser shows them, never rewritten
            // from that guess.
            r.encoding = declared && decidedBody(PageText(), bytes, head).readable() ? PageEncoding::Other
                                                                                      : PageEncoding::ShiftJis;
            r.text = std::move(*text);
        }
        return r;
    }
    if (auto text = decodeWithoutLoss(r.charset.constData(), bytes, head)) {
        r.encoding = PageEncoding::Other;
        r.text = std::move(*text);
    }
    return r;
}

std::optional<QByteArray> readPageBytes(const QString& path)
{
    auto read = files::readUpTo(path, kLargestPage);
    if (!read || !read->isWhole())
        return std::nullopt;
    return std::move(read->bytes);
}

bool isOverPageLimit(const QString& path)
{
    const auto read = files::readHead(path, 0);
    return read && read->size > kLargestPage;
}

std::optional<PageText> readPage(const QString& path)
{
    const auto bytes = readPageBytes(path);
    if (!bytes)
        return std::nullopt;
    return decodePage(*bytes);
}

QString pageTextOf(const QByteArray& bytes)
{
    PageText page = decodePage(bytes);
    if (page.readable() || page.hasBom)
        return std::move(page.text);
    return QString::fromUtf8(bytes);
}

std::optional<QString> readPageText(const QString& path)
{
    const auto bytes = readPageBytes(path);
    if (!bytes)
        return std::nullopt;
    return pageTextOf(*bytes);
}

std::optional<PageText> readPageToRewrite(const QString& path, QString& refusal)
{
    refusal.clear();
    auto page = readPage(path);
    if (page && !page->canRewrite()) {
        refusal = undecidablePageMessage(path);
        page.reset();
    } else if (!page && isOverPageLimit(path)) {
        refusal = oversizedPageMessage(path);
    }
    return page;
}

QString oversizedPageMessage(const QString& path)
{
    return QStringLiteral("「") + QFileInfo(path).fileName()
        + QStringLiteral("」はページとしては大きすぎるため、読み込まずにそのままにします。");
}

QString undecidablePageMessage(const QString& path)
{
    return QStringLiteral("「") + QFileInfo(path).fileName()
        + QStringLiteral("」は文字コードを判別できないか書き込めない文字コードのページのため、"
                         "書き換えずにそのままにします。");
}

} // namespace store
