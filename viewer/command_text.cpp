#include "viewer/command_text.h"

#include "store/files.h"
#include "store/paths.h"
#include "store/text.h"

#include <QDir>
#include <QUrl>

#include <cstdint>

namespace commands {

bool isCommandLink(const QString& url)
{
    return text::pos(QStringLiteral("$"), url) > 1;
}

QString commandListFromUrl(const QString& url)
{
    QString list = store::DecodeSpaces(url) + QLatin1Char(',');
    const int dollar = text::pos(QStringLiteral("$"), list);
    return text::copyFrom(list, dollar + 1);
}

std::optional<QString> takePiece(QString& list)
{
    const int comma = text::pos(QStringLiteral(","), list);
    if (comma == 0)
        return std::nullopt;
    const QString piece = text::copy(list, 1, comma - 1);
    list = text::copyFrom(list, comma + 1);
    const int dollar = text::pos(QStringLiteral("$"), list);
    if (dollar > 0)
        list = text::copyFrom(list, dollar + 1);
    return piece;
}

bool isConditionalPiece(const QString& piece)
{
    return piece.startsWith(QLatin1Char('<')) || piece.startsWith(QLatin1Char('>'));
}

bool isCounterPiece(const QString& piece)
{
    return piece.startsWith(QLatin1Char('=')) || piece.startsWith(QLatin1Char('+'))
        || piece.startsWith(QLatin1Char('-'));
}

QString selectConditional(const QString& piece, int counter)
{
    if (!isConditionalPiece(piece))
        return QString();
    QString w = piece;
    if (!w.endsWith(QLatin1Char(']')))
        w += QLatin1Char(']');
    w += QStringLiteral("[]");
    // N: from the second character up to the first "[".
    int open = text::pos(QStringLiteral("["), w);
    const QString number = text::copy(w, 2, open - 2);
    w = text::copyFrom(w, open + 1);
    const int close = text::pos(QStringLiteral("]"), w);
    const QString thenCommand = text::copy(w, 1, close - 1);
    w = text::copyFrom(w, close + 1);
    open = text::pos(QStringLiteral("["), w);
    w = text::copyFrom(w, open + 1);
    const QString elseCommand = text::copy(w, 1, text::pos(QStringLiteral("]"), w) - 1);
    const int n = text::toIntDef(number, 0);
    const bool then = piece.startsWith(QLatin1Char('<')) ? counter < n : n < counter;
    return then ? thenCommand : elseCommand;
}

static int wrapAdd(int a, long long b)
{
    // The counter wraps like a 32-bit register instead of overflowing.
    return static_cast<int>(static_cast<std::uint32_t>(static_cast<long long>(a) + b));
}

std::optional<int> applyCounterOp(const QString& piece, int counter)
{
    if (piece.startsWith(QLatin1Char('+')) || piece.startsWith(QLatin1Char('-'))) {
        const std::optional<int> n = text::toInt(piece.mid(1));
        if (!n)
            return std::nullopt;
        return wrapAdd(counter, piece.startsWith(QLatin1Char('+')) ? *n : -static_cast<long long>(*n));
    }
    if (piece.startsWith(QLatin1Char('='))) {
        if (piece.size() < 3)
            return std::nullopt;
        return text::toInt(piece.mid(2));
    }
    return std::nullopt;
}

static QString dropLeadingBlanks(const QString& s)
{
    int i = 0;
    while (i < s.size() && s[i] == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}

// One step of the tokeniser: takes the next word off rest. Every step
// either consumes a character or leaves rest without blank and quote, so
// the loop in tokenize always ends.
static QString takeWord(QString& rest)
{
    rest = dropLeadingBlanks(rest);
    if (rest.startsWith(QLatin1Char('"'))) {
        rest.remove(0, 1);
        const int quote = text::pos(QStringLiteral("\""), rest);
        if (quote > 1) {
            const QString word = rest.left(quote - 1);
            rest = dropLeadingBlanks(rest.mid(quote));
            return word;
        }
        return QString(); // no closing quote, or an empty pair: an empty word
    }
    const int blank = text::pos(QStringLiteral(" "), rest);
    if (blank > 1) {
        const QString word = rest.left(blank - 1);
        rest = dropLeadingBlanks(rest.mid(blank));
        return word;
    }
    // No blank after the word: an empty word, and the loop in tokenize ends
    // with the rest as the last word (" NEXT" gives "" and "NEXT").
    if (!rest.contains(QLatin1Char('"')))
        return QString();
    // A quote inside a word that no blank follows: the word as it stands.
    const QString word = rest;
    rest.clear();
    return word;
}

QStringList tokenize(const QString& line)
{
    QStringList tokens;
    QString rest = line;
    while (rest.contains(QLatin1Char(' ')) || rest.contains(QLatin1Char('"')))
        tokens << takeWord(rest);
    if (!rest.isEmpty())
        tokens << rest;
    return tokens;
}

QString commandArg(const QString& line)
{
    const int blank = text::pos(QStringLiteral(" "), line);
    if (blank == 0)
        return QString();
    QString arg = line.mid(blank);
    if (arg.startsWith(QLatin1Char('$')))
        arg.replace(QLatin1Char('$'), QLatin1Char('\\'));
    return arg;
}

QString goKey(const QString& entry)
{
    QString name = files::slashes(entry);
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name = name.left(dot);
    return QLatin1Char('_') + name + QLatin1Char('/');
}

int findGoEntry(const QStringList& entries, const QString& arg)
{
    const QString wanted = QLatin1Char('_') + arg + QLatin1Char('/');
    for (int i = 0; i < entries.size(); ++i) {
        if (goKey(entries[i]).contains(wanted))
            return i;
    }
    return -1;
}

static bool isDrivePath(const QString& s)
{
    return s.size() >= 3 && s[1] == QLatin1Char(':') && s[0].isLetter() && s[0].unicode() < 128
        && (s[2] == QLatin1Char('\\') || s[2] == QLatin1Char('/'));
}

// "/" paths and file: URLs as paths; nullopt for anything relative.
static std::optional<QString> absoluteName(const QString& name)
{
    if (name.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive))
        return QUrl(name).toLocalFile();
    const QString s = files::slashes(name);
    if (s.startsWith(QLatin1Char('/')))
        return s;
    if (isDrivePath(name))
        return QString();
    return std::nullopt;
}

QString resolveName(const QString& name, const QString& currentFolder)
{
    if (const auto abs = absoluteName(name))
        return *abs;
    QString s = files::slashes(name);
    if (s.startsWith(QLatin1Char('.')))
        s.remove(0, 1);
    return files::joinPath(currentFolder, s);
}

QString resolveProgramName(const QString& name, const QString& rootFolder, const QString& currentFolder)
{
    if (const auto abs = absoluteName(name))
        return *abs;
    const QString s = files::slashes(name);
    if (s.startsWith(QLatin1Char('.')))
        return files::joinPath(rootFolder, s.mid(1));
    return files::joinPath(currentFolder, s);
}

QString dirFolder(const QString& arg, const QString& rootFolder, const QString& currentFolder)
{
    if (arg.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(arg);
    if (isDrivePath(arg))
        return QString();
    const QString s = files::slashes(arg);
    if (s.startsWith(QLatin1Char('.')))
        return QDir::cleanPath(files::joinPath(currentFolder, s));
    return files::joinPath(rootFolder, s);
}

} // namespace commands
