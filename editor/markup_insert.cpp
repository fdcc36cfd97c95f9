#include "editor/markup_insert.h"

#include "editor/image_block.h"
#include "editor/picture_files.h"
#include "platform/seam.h"
#include "store/files.h"

#include <QFileInfo>
#include <algorithm>

namespace editor {

namespace {

// The selection's start and end, inside the text.
std::pair<int, int> selectionRange(const MemoText& m)
{
    const int size = int(m.text.size());
    const int start = std::clamp(m.selStart, 0, size);
    const int end = std::clamp(start + std::max(m.selLength, 0), start, size);
    return {start, end};
}

} // namespace

QString selectedText(const MemoText& m)
{
    const auto [start, end] = selectionRange(m);
    return m.text.mid(start, end - start);
}

MemoText replaceSelection(const MemoText& m, const QString& replacement)
{
    const auto [start, end] = selectionRange(m);
    MemoText out;
    out.text = m.text.left(start) + replacement + m.text.mid(end);
    out.selStart = start + int(replacement.size());
    out.selLength = 0;
    return out;
}

std::optional<MemoText> wrapInMemo(const MemoText& m, const WrapTags& tags)
{
    const QString wrapped = wrapSelection(selectedText(m), tags);
    if (wrapped.isEmpty())
        return std::nullopt;
    return replaceSelection(m, wrapped);
}

std::optional<MemoText> rubyInMemo(const MemoText& m, const QString& reading)
{
    const QString ruby = rubyMarkup(selectedText(m), reading);
    if (ruby.isEmpty())
        return std::nullopt;
    return replaceSelection(m, ruby);
}

MemoText linkInMemo(const MemoText& m, const LinkTarget& link)
{
    return replaceSelection(m, linkMarkup(link, selectedText(m)));
}

MemoText pictureInMemo(const MemoText& m, const QString& name, const QString& width, const QString& height)
{
    return replaceSelection(m, pictureMarkup(name, width, height, selectedText(m)));
}

QList<MarkedMemo> markedMemos(const MarkupMemos& memos)
{
    QList<MarkedMemo> marked;
    for (int i = 0; i < MarkupMemos::kCount; ++i) {
        if (memos.marked(i))
            marked.append({i, memos.memo(i)});
    }
    return marked;
}

void wrapButtonClick(MarkupMemos& memos, int speedButton)
{
    const auto tags = wrapTagsFor(speedButton);
    if (!tags)
        return;
    for (const MarkedMemo& target : markedMemos(memos)) {
        if (const auto changed = wrapInMemo(target.memo, *tags))
            memos.setMemo(target.index, *changed);
    }
}

void rubyButtonClick(MarkupMemos& memos, const std::function<QString(const QString&)>& askReading)
{
    for (const MarkedMemo& target : markedMemos(memos)) {
        const QString base = selectedText(target.memo);
        if (base.isEmpty())
            continue;
        const QString reading = askReading ? askReading(base) : QString();
        if (const auto changed = rubyInMemo(target.memo, reading))
            memos.setMemo(target.index, *changed);
    }
}

namespace {

// A quote or an angle bracket would end the tag early and spoil the page.
bool acceptLinkTarget(const QString& target)
{
    if (!nameBreaksTags(target))
        return true;
    platform::showMessage(QStringLiteral("リンク先に \" < > を含めることはできません。\n%1").arg(target),
                          platform::MsgType::Warning);
    return false;
}

} // namespace

void linkButtonClick(MarkupMemos& memos, const std::function<QString()>& askTarget)
{
    const QList<MarkedMemo> targets = markedMemos(memos);
    if (targets.isEmpty() || !askTarget)
        return;
    const QString target = askTarget();
    if (target.isEmpty() || !acceptLinkTarget(target))
        return;
    const LinkTarget link = splitLinkTarget(target);
    for (const MarkedMemo& t : targets)
        memos.setMemo(t.index, linkInMemo(t.memo, link));
}

void pictureButtonClick(MarkupMemos& memos, const QString& currentFolder, const QStringList& within)
{
    const QList<MarkedMemo> targets = markedMemos(memos);
    const QString chosen = platform::openFileName(QStringLiteral("画像の挿入"), currentFolder, pictureFilter());
    if (chosen.isEmpty())
        return;
    const QString name = QFileInfo(chosen).fileName();
    if (!acceptPictureName(name))
        return;
    const auto [width, height] = splitMeasure(MeasureImageFile(chosen));
    const std::optional<QString> copied = copyIntoFolder(chosen, currentFolder, name, within);
    if (!copied)
        return;
    for (const MarkedMemo& t : targets)
        memos.setMemo(t.index, pictureInMemo(t.memo, *copied, width, height));
}

} // namespace editor
