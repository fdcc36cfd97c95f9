#include "store/page_references.h"

#include "store/files.h"
#include "store/page_encoding.h"

#include <QDir>
#include <QRegularExpression>
#include <QUrl>

namespace store {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool wordAt(const QString& text, qsizetype i, QLatin1String word)
{
    return QStringView(text).mid(i, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

bool isFileUrl(const QString& s)
{
    return s.startsWith(QLatin1String("file:"), Qt::CaseInsensitive);
}

bool isDrivePath(const QString& s)
{
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:([\\\\/]|$)"));
    return drive.match(s).hasMatch();
}

bool hasScheme(const QString& s)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(s).hasMatch();
}

std::optional<char32_t> characterReference(QStringView name)
{
    if (name.startsWith(u'#')) {
        const bool hex = name.size() > 1 && (name.at(1) == u'x' || name.at(1) == u'X');
        bool ok = false;
        const uint code = name.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        return char32_t(code);
    }
    static const struct {
        QLatin1String name;
        char32_t c;
    } named[] = {{QLatin1String("amp"), U'&'}, {QLatin1String("lt"), U'<'}, {QLatin1String("gt"), U'>'},
                 {QLatin1String("quot"), U'"'}, {QLatin1String("apos"), U'\''}};
    for (const auto& n : named)
        if (name == n.name)
            return n.c;
    return std::nullopt;
}

// An attribute value as the engine reads it: "&amp;" is "&".
QString decodeCharacterReferences(const QString& s)
{
    if (!s.contains(u'&'))
        return s;
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const qsizetype semi = s.at(i) == u'&' ? s.indexOf(u';', i + 1) : -1;
        const auto c = semi > i && semi - i <= 10 ? characterReference(QStringView(s).mid(i + 1, semi - i - 1))
                                                  : std::nullopt;
        if (!c) {
            out += s.at(i);
            continue;
        }
        out += QString::fromUcs4(&*c, 1);
        i = semi;
    }
    return out;
}

// The written path as a file name.
QString nameOf(const QString& path, bool inAttribute, bool asWritten)
{
    const QString s = inAttribute ? decodeCharacterReferences(path) : path;
    if (isFileUrl(s))
        return QUrl(s).toLocalFile();
    if (asWritten || !s.contains(u'%'))
        return s;
    return QString::fromUtf8(QByteArray::fromPercentEncoding(s.toUtf8()));
}

ReferenceContext contextOf(QChar quote)
{
    if (quote == u'"')
        return ReferenceContext::DoubleQuoted;
    if (quote == u'\'')
        return ReferenceContext::SingleQuoted;
    return ReferenceContext::Unquoted;
}

// One pass over a page's text.
class Finder {
public:
    explicit Finder(const QString& text) : t_(text), n_(text.size()) {}

    QList<PageReference> run()
    {
        scan(0);
        return std::move(refs_);
    }

private:
    // The tags from `from` up to the end of the region (n_).
    void scan(qsizetype i)
    {
        while ((i = t_.indexOf(u'<', i)) >= 0 && i + 1 < n_) {
            if (wordAt(t_, i, QLatin1String("<!--"))) {
                i = comment(i);
                continue;
            }
            if (!isAsciiLetter(t_.at(i + 1))) {
                ++i;
                continue;
            }
            qsizetype nameEnd = i + 1;
            while (nameEnd < n_ && !isBlank(t_.at(nameEnd)) && t_.at(nameEnd) != u'/' && t_.at(nameEnd) != u'>')
                ++nameEnd;
            const QString tag = t_.mid(i + 1, nameEnd - i - 1).toLower();
            const qsizetype end = attributes(nameEnd);
            if (end >= n_)
                break;
            i = end + 1;
            if (tag == QLatin1String("script")) {
                i = closingTag(i, QLatin1String("</script"));
            } else if (tag == QLatin1String("style")) {
                const qsizetype close = closingTag(i, QLatin1String("</style"));
                css(i, close, false);
                i = close;
            } else if (tag == QLatin1String("title") && end == nameEnd) {
                titleIcon(i);
            }
        }
    }

    // Markup inside a comment is read as a region of its own: a quote left
    // open in it does not swallow the page after it.
    qsizetype comment(qsizetype at)
    {
        const qsizetype close = t_.indexOf(QLatin1String("-->"), at + 4);
        const qsizetype whole = n_;
        n_ = close < 0 || close > whole ? whole : close;
        scan(at + 4);
        n_ = whole;
        return close < 0 ? whole : close + 3;
    }

    qsizetype indexIn(QChar c, qsizetype from) const
    {
        const qsizetype at = t_.indexOf(c, from);
        return at >= n_ ? -1 : at;
    }

    qsizetype closingTag(qsizetype from, QLatin1String close) const
    {
        const qsizetype at = t_.indexOf(close, from, Qt::CaseInsensitive);
        return at < 0 || at > n_ ? n_ : at;
    }

    qsizetype skipBlanks(qsizetype k, qsizetype to) const
    {
        while (k < to && isBlank(t_.at(k)))
            ++k;
        return k;
    }

    // The attributes of a tag from just after its name; gives the index of
    // its ">", or the text's end when it is cut off (a value whose quote
    // never closes leaves nothing after it to read).
    qsizetype attributes(qsizetype k)
    {
        for (;;) {
            while (k < n_ && (isBlank(t_.at(k)) || t_.at(k) == u'/'))
                ++k;
            if (k >= n_ || t_.at(k) == u'>')
                return k;
            const qsizetype nameStart = k++;
            while (k < n_ && !isBlank(t_.at(k)) && t_.at(k) != u'/' && t_.at(k) != u'>' && t_.at(k) != u'=')
                ++k;
            const QString name = t_.mid(nameStart, k - nameStart).toLower();
            qsizetype m = skipBlanks(k, n_);
            if (m >= n_ || t_.at(m) != u'=') {
                k = m;
                continue;
            }
            m = skipBlanks(m + 1, n_);
            if (m >= n_)
                return n_;
            const QChar q = t_.at(m);
            if (q == u'"' || q == u'\'') {
                const qsizetype close = indexIn(q, m + 1);
                if (close < 0)
                    return n_;
                attribute(name, m + 1, close, q);
                k = close + 1;
            } else {
                qsizetype e = m;
                while (e < n_ && !isBlank(t_.at(e)) && t_.at(e) != u'>')
                    ++e;
                attribute(name, m, e, QChar());
                k = e;
            }
        }
    }

    void attribute(const QString& name, qsizetype from, qsizetype to, QChar quote)
    {
        const ReferenceContext context = contextOf(quote);
        if (name == QLatin1String("src") || name == QLatin1String("data"))
            add(ReferenceKind::Src, context, quote, from, to);
        else if (name == QLatin1String("href"))
            add(ReferenceKind::Href, context, quote, from, to);
        else if (name == QLatin1String("background"))
            add(ReferenceKind::Background, context, quote, from, to);
        else if (name == QLatin1String("poster"))
            add(ReferenceKind::Poster, context, quote, from, to);
        else if (name == QLatin1String("srcset"))
            srcset(from, to, quote);
        else if (name == QLatin1String("style"))
            css(from, to, true);
    }

    // "a.png 1x, b.png 2x": each address ends at a blank; commas at its end
    // belong to the list.
    void srcset(qsizetype from, qsizetype to, QChar quote)
    {
        qsizetype k = from;
        while (k < to) {
            while (k < to && (isBlank(t_.at(k)) || t_.at(k) == u','))
                ++k;
            if (k >= to)
                break;
            const qsizetype start = k;
            while (k < to && !isBlank(t_.at(k)))
                ++k;
            qsizetype end = k;
            while (end > start && t_.at(end - 1) == u',')
                --end;
            add(ReferenceKind::Srcset, contextOf(quote), quote, start, end, true, true);
            if (end < k)
                continue;
            int depth = 0; // descriptors run to the next comma outside parentheses
            while (k < to && (t_.at(k) != u',' || depth > 0)) {
                depth += t_.at(k) == u'(' ? 1 : t_.at(k) == u')' ? -1 : 0;
                ++k;
            }
        }
    }

    void css(qsizetype from, qsizetype to, bool inAttribute)
    {
        for (qsizetype i = from; i < to; ++i) {
            const QChar c = t_.at(i);
            qsizetype k;
            if ((c == u'u' || c == u'U') && wordAt(t_, i, QLatin1String("url("))
                && (i == from || !(isAsciiLetter(t_.at(i - 1)) || t_.at(i - 1) == u'-')))
                k = skipBlanks(i + 4, to);
            else if (c == u'@' && wordAt(t_, i, QLatin1String("@import")))
                k = skipBlanks(i + 7, to);
            else
                continue;
            if (k >= to)
                return;
            const QChar q = t_.at(k);
            if (q == u'"' || q == u'\'') {
                const qsizetype close = t_.indexOf(q, k + 1);
                if (close < 0 || close >= to)
                    return;
                add(ReferenceKind::CssUrl, ReferenceContext::CssQuoted, q, k + 1, close, inAttribute);
                i = close;
            } else if (c == u'u' || c == u'U') {
                qsizetype e = k;
                while (e < to && t_.at(e) != u')' && !isBlank(t_.at(e)))
                    ++e;
                if (e > k)
                    add(ReferenceKind::CssUrl, ReferenceContext::Css, QChar(), k, e, inAttribute);
                i = e;
            }
        }
    }

    // <TITLE>"icon.gif"…: the value up to the next double quote, as written.
    void titleIcon(qsizetype at)
    {
        if (at >= n_ || t_.at(at) != u'"')
            return;
        const qsizetype close = indexIn(u'"', at + 1);
        if (close < 0)
            return;
        PageReference r;
        r.kind = ReferenceKind::TitleIcon;
        r.context = ReferenceContext::Title;
        r.quote = u'"';
        r.inAttribute = false;
        r.start = r.pathStart = at + 1;
        r.length = r.pathLength = close - at - 1;
        r.value = r.path = t_.mid(r.start, r.length);
        r.name = nameOf(r.path, false, true);
        refs_.append(r);
    }

    void add(ReferenceKind kind, ReferenceContext context, QChar quote, qsizetype from, qsizetype to,
             bool inAttribute = true, bool inSrcset = false)
    {
        PageReference r;
        r.kind = kind;
        r.context = context;
        r.quote = quote;
        r.inAttribute = inAttribute;
        r.inSrcset = inSrcset;
        r.start = from;
        r.length = to - from;
        r.value = t_.mid(from, to - from);
        qsizetype a = skipBlanks(from, to), b = to;
        while (b > a && isBlank(t_.at(b - 1)))
            --b;
        for (qsizetype k = a; k < b; ++k) {
            if (t_.at(k) == u'?' || t_.at(k) == u'#') {
                b = k;
                break;
            }
        }
        r.pathStart = a;
        r.pathLength = b - a;
        r.path = t_.mid(a, b - a);
        r.name = nameOf(r.path, inAttribute, false);
        refs_.append(r);
    }

    const QString& t_;
    qsizetype n_; // the end of the region read
    QList<PageReference> refs_;
};

} // namespace

QList<PageReference> findPageReferences(const QString& text)
{
    return Finder(text).run();
}

QList<PageReference> findPageReferences(const QByteArray& pageBytes)
{
    const PageText page = decodePage(pageBytes);
    if (page.readable() || page.hasBom)
        return findPageReferences(page.text);
    return findPageReferences(QString::fromUtf8(pageBytes)) + findPageReferences(files::decodeShiftJis(pageBytes));
}

std::optional<QList<PageReference>> readPageReferences(const QString& path)
{
    const auto bytes = readPageBytes(path);
    if (!bytes)
        return std::nullopt;
    return findPageReferences(*bytes);
}

QString referencedPath(const PageReference& ref, const QString& folder)
{
    const QString& written = ref.path;
    if (written.isEmpty() || isDrivePath(written) || (!isFileUrl(written) && hasScheme(written)))
        return QString();
    QString p = files::slashes(ref.name);
    if (p.isEmpty())
        return QString();
    if (!p.startsWith(u'/'))
        p = files::joinPath(folder, p);
    return QDir::cleanPath(p);
}

} // namespace store
