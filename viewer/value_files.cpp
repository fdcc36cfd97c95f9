#include "viewer/value_files.h"

#include "store/file_lock.h"
#include "store/files.h"
#include "store/text.h"

#include <QFileInfo>
#include <QLocale>

#include <cmath>

namespace valuefiles {

ValueTable parseValueLines(const QStringList& lines)
{
    ValueTable table;
    for (const QString& line : lines) {
        const int eq = text::pos(QStringLiteral("="), line);
        if (eq >= 2)
            table.append({line.left(eq - 1), line.mid(eq)});
    }
    return table;
}

QStringList formatValueLines(const ValueTable& table)
{
    QStringList lines;
    for (const auto& pair : table)
        lines << (pair.first == pair.second ? pair.second : pair.first + QLatin1Char('=') + pair.second);
    return lines;
}

QPair<QString, QString> splitEntry(const QString& entry)
{
    const QString e = text::replaceAll(entry, QStringLiteral("'"), QStringLiteral("\""));
    const int eq = text::pos(QStringLiteral("="), e);
    if (eq == 0)
        return {e, e};
    return {e.left(eq - 1), e.mid(eq)};
}

bool isDeleteValue(const QString& value)
{
    int from = 0;
    int to = value.size();
    auto trimmable = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('"') || c == QLatin1Char('\''); };
    while (from < to && trimmable(value[from]))
        ++from;
    while (to > from && trimmable(value[to - 1]))
        --to;
    return value.mid(from, to - from) == QLatin1String("DEL");
}

// A plain decimal number: "1,000" (a list, in a script) and "inf" or "nan"
// are no numbers to add to.
static std::optional<double> readNumber(const QString& s)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = c.toDouble(s.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

static QString summed(const QString& oldValue, const QString& value)
{
    const bool sums = (value.contains(QLatin1Char('+')) || value.contains(QLatin1Char('-')))
        && !value.contains(QLatin1Char('"'));
    if (!sums)
        return value;
    const std::optional<double> a = readNumber(value);
    const std::optional<double> b = readNumber(oldValue);
    if (!a || !b)
        return value;
    return text::fromDouble(*a + *b);
}

void applyEntry(ValueTable& table, const QString& key, const QString& value)
{
    bool matched = false;
    for (auto& pair : table) {
        if (pair.first == key) {
            pair.second = summed(pair.second, value);
            matched = true;
        }
    }
    if (!matched)
        table.append({key, value});
}

ValueFileResult setTextFileValue(const QString& path, const QString& entry, const QStringList& within)
{
    const auto [key, value] = splitEntry(entry);
    if (isDeleteValue(value) && !QFileInfo::exists(path))
        return ValueFileResult::Deleted;
    // Another instance adding to the same count in between would lose its
    // step: the read and the write stand together under the lock.
    const files::FileLock lock(path);
    if (!lock.held())
        return ValueFileResult::WriteFailed;
    if (isDeleteValue(value)) {
        if (!QFileInfo::exists(path))
            return ValueFileResult::Deleted;
        return files::moveToTrash(path) ? ValueFileResult::Deleted : ValueFileResult::DeleteFailed;
    }
    ValueTable table;
    if (QFileInfo::exists(path)) {
        const std::optional<QString> old = files::readUtf8OrShiftJis(path);
        if (!old)
            return ValueFileResult::Unreadable;
        table = parseValueLines(files::splitLines(*old));
        applyEntry(table, key, value);
    } else {
        table.append({key, value});
    }
    const QString text = formatValueLines(table).join(QStringLiteral("\r\n"));
    return files::writeTextNoBom(path, text, within) ? ValueFileResult::Written : ValueFileResult::WriteFailed;
}

std::optional<QString> rewriteHistoryScriptSrc(const QString& page, const QString& src)
{
    const QString marker = QStringLiteral("SCRIPT SRC=\"");
    const int at = text::pos(marker, text::upper(page));
    if (at == 0)
        return std::nullopt;
    const int valueStart = at + marker.size();
    const int close = text::pos(QStringLiteral("\""), page, valueStart);
    if (close == 0)
        return std::nullopt;
    return text::copy(page, 1, valueStart - 1) + src + text::copyFrom(page, close);
}

QString historyScriptSrc(const QString& historyName)
{
    // Characters a URL would read as something else than part of the name.
    QString escaped;
    for (const QChar c : historyName + QStringLiteral(".txt")) {
        switch (c.unicode()) {
        case '%': escaped += QStringLiteral("%25"); break;
        case '#': escaped += QStringLiteral("%23"); break;
        case '?': escaped += QStringLiteral("%3F"); break;
        case '\\': escaped += QStringLiteral("%5C"); break;
        case '"': escaped += QStringLiteral("%22"); break;
        default: escaped += c;
        }
    }
    return escaped;
}

} // namespace valuefiles
