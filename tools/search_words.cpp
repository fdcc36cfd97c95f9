#include "tools/search_words.h"

#include "store/text.h"
#include "tools/search_title.h"

namespace tools {

QString searchSeparator(const QString& text)
{
    return text.contains(QChar(0xFF0F)) ? QString(QChar(0xFF0F)) : QStringLiteral("/");
}

QStringList splitSearchWords(const QString& text)
{
    const QString sep = searchSeparator(text);
    QStringList words;
    for (const QString& w : (text + sep).split(sep)) {
        if (w.isEmpty())
            break;
        words << w;
    }
    return words;
}

int compareText(const QString& a, const QString& b)
{
    const int n = int(qMin(a.size(), b.size()));
    for (int i = 0; i < n; ++i) {
        ushort x = a[i].unicode(), y = b[i].unicode();
        if (x >= 'a' && x <= 'z')
            x -= 32;
        if (y >= 'a' && y <= 'z')
            y -= 32;
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool headingMatches(const QString& title, const QString& word, const QString& separator)
{
    if (word.isEmpty())
        return false;
    const QString t = separator + text::upper(normaliseTitle(title, separator)) + separator;
    return t.contains(separator + text::upper(word) + separator);
}

} // namespace tools
