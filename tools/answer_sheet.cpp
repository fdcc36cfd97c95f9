#include "tools/answer_sheet.h"

#include "store/file_lock.h"
#include "store/files.h"
#include "store/page_encoding.h"
#include "store/text.h"

#include <QFile>
#include <QFileInfo>

namespace answersheet {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kBr = QStringLiteral("<BR>");

// Drops every tag: text before a "<" that stands before the next ">" stays,
// the tag through its ">" goes. A "<" without a ">" after it ends the scan.
QString withoutTags(QString s)
{
    QString out;
    for (;;) {
        const int lt = text::pos(QStringLiteral("<"), s);
        const int gt = text::pos(QStringLiteral(">"), s);
        if (lt == 0 || gt == 0 || lt > gt)
            break;
        out += text::copy(s, 1, lt - 1);
        s = text::copyFrom(s, gt + 1);
    }
    return out + s;
}

// Comments run from "//" through the next "<BR>"; one in the last line stays.
QString withoutComments(QString s)
{
    for (;;) {
        const int start = text::pos(QStringLiteral("//"), s);
        if (start == 0)
            return s;
        const int br = text::pos(kBr, s, start);
        if (br == 0)
            return s;
        s = text::del(s, start, br + kBr.size() - start);
    }
}

// A slot "[" that stands before the first "]", as 1-based positions.
bool nextSlot(const QString& s, int& open, int& close)
{
    open = text::pos(QStringLiteral("["), s);
    close = text::pos(QStringLiteral("]"), s);
    return open > 0 && close > 0 && open < close;
}

QString labelOf(QString chunk, bool firstSlot)
{
    if (!firstSlot) {
        const int br = text::pos(kBr, chunk);
        if (br > 0)
            chunk = text::copyFrom(chunk, br + kBr.size());
    }
    const int from = text::pos(QStringLiteral("「"), chunk);
    const int to = text::pos(QStringLiteral("」"), chunk);
    if (from > 0 && to > from)
        return text::copy(chunk, from + 1, to - from - 1);
    return chunk;
}

QString labelsLine(QString s)
{
    QString labels;
    int open = 0, close = 0;
    bool first = true;
    while (nextSlot(s, open, close)) {
        labels += labelOf(text::copy(s, 1, open - 1), first);
        first = false;
        s = text::copyFrom(s, close + 1);
        if (text::contains(s, QStringLiteral("]")))
            labels += QLatin1Char(',');
    }
    return text::replaceAll(labels, kBr, QString());
}

QString answersLine(QString v)
{
    v = text::replaceAll(v, kBr, QString());
    QString answers;
    int open = 0, close = 0;
    while (nextSlot(v, open, close)) {
        answers += text::copy(v, open + 1, close - open - 1);
        v = text::copyFrom(v, close + 1);
        if (text::contains(v, QStringLiteral("]")))
            answers += QLatin1Char(',');
    }
    return answers;
}

} // namespace

QString SheetText(const QString& pageText)
{
    QString s = text::replaceAll(pageText, QStringLiteral("<BR>"), kCrLf);
    for (int p = text::pos(QStringLiteral("<P"), s); p > 0; p = text::pos(QStringLiteral("<P"), s))
        s = text::copyFrom(s, p + 2);
    const int gt = text::pos(QStringLiteral(">"), s);
    s = text::copyFrom(s, gt + 1);
    const int end = text::pos(QStringLiteral("</P"), s);
    if (end > 0)
        s = text::copy(s, 1, end - 1);
    return withoutTags(s);
}

Row BuildRow(const QString& memoText)
{
    QString s = memoText;
    s.replace(QChar::LineSeparator, kCrLf).replace(QChar::ParagraphSeparator, kCrLf);
    s = text::replaceAll(s, kCrLf, kBr);
    s = text::replaceAll(s, QStringLiteral("［"), QStringLiteral("["));
    s = text::replaceAll(s, QStringLiteral("］"), QStringLiteral("]"));
    s = text::replaceAll(s, QStringLiteral(" "), QString());
    s = text::replaceAll(s, QStringLiteral("　"), QString());
    const QString answersSource = s;
    return Row{labelsLine(withoutComments(s)), answersLine(answersSource)};
}

QString AnswerCsvPath(const QString& pagePath)
{
    const QFileInfo page(pagePath);
    return files::joinPath(page.path(), QLatin1Char('_') + page.completeBaseName() + QStringLiteral(".csv"));
}

namespace {

// The bytes of line in the encoding of the existing file, or nothing when
// that encoding cannot hold it or is not one the program writes.
std::optional<QByteArray> lineInEncodingOf(const QByteArray& existing, const QString& line)
{
    // Decided as a page is: UTF-16 and EUC-JP files are no Shift_JIS ones.
    const store::PageEncoding encoding = store::decodePage(existing).encoding;
    if (encoding == store::PageEncoding::Utf8)
        return line.toUtf8();
    if (encoding != store::PageEncoding::ShiftJis)
        return std::nullopt;
    const QByteArray sjis = files::encodeShiftJis(line);
    if (files::decodeShiftJis(sjis) != line)
        return std::nullopt;
    return sjis;
}

} // namespace

AppendResult AppendRow(const QString& csvPath, const Row& row, const QStringList& within)
{
    // Whether the file needs its labels line, and how its last row ends, is
    // read before the write: another instance must not write in between.
    const files::FileLock lock(csvPath);
    if (!lock.held())
        return AppendResult::WriteFailed;
    const std::optional<QByteArray> existing = files::readBytes(csvPath);
    // A link is refused by the writes below, never read as missing.
    const QFileInfo info(csvPath);
    if (!existing && info.exists() && !info.isSymLink())
        return AppendResult::Unreadable;
    if (!existing || existing->isEmpty()) {
        const bool ok = files::writeTextBom(csvPath, row.labels + kCrLf + row.answers + kCrLf, within);
        return ok ? AppendResult::Written : AppendResult::WriteFailed;
    }
    const std::optional<QByteArray> line = lineInEncodingOf(*existing, row.answers);
    if (!line)
        return AppendResult::EncodingRefused;
    QByteArray bytes;
    if (!existing->endsWith('\n') && !existing->endsWith('\r'))
        bytes += "\r\n";
    bytes += *line + "\r\n";
    return files::appendBytes(csvPath, bytes, within) ? AppendResult::Written : AppendResult::WriteFailed;
}

} // namespace answersheet
