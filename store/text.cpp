#include "store/text.h"

#include <cmath>
#include <limits>

namespace text {

QString upper(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        c = c.toUpper();
    return r;
}

QString lower(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        c = c.toLower();
    return r;
}

int pos(const QString& needle, const QString& hay, int from)
{
    if (needle.isEmpty() || from > hay.size())
        return 0;
    const int i = hay.indexOf(needle, std::max(from, 1) - 1, Qt::CaseSensitive);
    return i < 0 ? 0 : i + 1;
}

int lastPos(const QString& needle, const QString& hay)
{
    if (needle.isEmpty())
        return 0;
    const int i = hay.lastIndexOf(needle, -1, Qt::CaseSensitive);
    return i < 0 ? 0 : i + 1;
}

bool contains(const QString& hay, const QString& needle)
{
    return pos(needle, hay) > 0;
}

QString copy(const QString& s, int start, int count)
{
    if (start < 1)
        start = 1;
    if (count < 1 || start > s.size())
        return QString();
    const int avail = s.size() - (start - 1);
    return s.mid(start - 1, std::min(count, avail));
}

QString copyFrom(const QString& s, int start)
{
    return copy(s, start, std::numeric_limits<int>::max());
}

QString del(const QString& s, int start, int count)
{
    if (start < 1)
        start = 1;
    if (count < 1 || start > s.size())
        return s;
    QString r = s;
    r.remove(start - 1, std::min(count, int(s.size()) - (start - 1)));
    return r;
}

QString insert(const QString& ins, const QString& s, int position)
{
    position = std::clamp(position, 1, int(s.size()) + 1);
    QString r = s;
    r.insert(position - 1, ins);
    return r;
}

QString trimRight(const QString& s)
{
    int n = s.size();
    while (n > 0 && s.at(n - 1).unicode() <= 0x20)
        --n;
    return s.left(n);
}

QString trimLeft(const QString& s)
{
    int i = 0;
    while (i < s.size() && s.at(i).unicode() <= 0x20)
        ++i;
    return s.mid(i);
}

QString trim(const QString& s)
{
    return trimLeft(trimRight(s));
}

QString replaceAll(const QString& s, const QString& from, const QString& to)
{
    if (from.isEmpty())
        return s;
    QString r = s;
    r.replace(from, to, Qt::CaseSensitive);
    return r;
}

QString replaceFirst(const QString& s, const QString& from, const QString& to)
{
    const int p = pos(from, s);
    if (p == 0)
        return s;
    return s.left(p - 1) + to + s.mid(p - 1 + from.size());
}

std::optional<int> toInt(const QString& s)
{
    QString t = trimLeft(s);
    bool negative = false;
    if (!t.isEmpty() && (t[0] == '-' || t[0] == '+')) {
        negative = t[0] == '-';
        t.remove(0, 1);
    }
    int base = 10;
    if (t.startsWith('$')) {
        base = 16;
        t.remove(0, 1);
    } else if (t.startsWith("0x", Qt::CaseInsensitive)) {
        base = 16;
        t.remove(0, 2);
    }
    if (t.isEmpty())
        return std::nullopt;
    long long v = 0;
    for (QChar c : t) {
        const int d = c.isDigit() && c.unicode() < 128 ? c.unicode() - '0'
            : (base == 16 && c.toLower() >= 'a' && c.toLower() <= 'f') ? c.toLower().unicode() - 'a' + 10
            : -1;
        if (d < 0)
            return std::nullopt;
        v = v * base + d;
        if (v > 0x80000000LL)
            return std::nullopt;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(v);
}

int toIntDef(const QString& s, int fallback)
{
    return toInt(s).value_or(fallback);
}

std::optional<int> leadingInt(const QString& s)
{
    const QString t = trimLeft(s);
    int n = 0;
    while (n < t.size() && t[n].unicode() >= '0' && t[n].unicode() <= '9' && n < 9)
        ++n;
    if (n == 0)
        return std::nullopt;
    return t.left(n).toInt();
}

int roundHalfEven(double v)
{
    const double r = std::nearbyint(v);
    if (std::isnan(r))
        return 0;
    // Out of range the conversion would be undefined: hold it at the ends.
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(r);
}

int divTrunc(int a, int b)
{
    if (b == 0)
        return 0;
    if (b == -1 && a == std::numeric_limits<int>::min())
        return std::numeric_limits<int>::max(); // the one quotient an int cannot hold
    return a / b;
}

QString fromDouble(double v)
{
    return QString::number(v, 'g', 15);
}

QString pad(int v, int width)
{
    return QString::number(v).rightJustified(width, '0');
}

QString dateJa(const QDate& d)
{
    return QString::number(d.year()) + QStringLiteral("年") + QString::number(d.month())
        + QStringLiteral("月") + QString::number(d.day()) + QStringLiteral("日");
}

QString weekdayJa(const QDate& d)
{
    static const char16_t names[] = u"月火水木金土日";
    const int i = d.dayOfWeek();
    if (i < 1 || i > 7)
        return QString();
    return QString(QChar(names[i - 1]));
}

QString stampDdmmss(const QDateTime& t)
{
    const QDate d = t.date();
    return pad(d.year(), 4) + pad(d.month(), 2) + pad(d.day(), 2) + "-" + pad(d.day(), 2)
        + pad(d.month(), 2) + pad(t.time().second(), 2);
}

} // namespace text
