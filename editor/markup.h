#pragma once
// The markup the editor's buttons put into the text memos around or before
// the selection: colours, underline, strong, size, sub- and superscript,
// ruby, links and pictures. Pure text; the window applies it to the memo
// that holds the focus mark.

#include <QString>
#include <optional>

namespace editor {

struct WrapTags {
    QString open;
    QString close;
};

// The wrap of a markup button (24, 26, 25, 32, 33, 30, 29); none for others.
std::optional<WrapTags> wrapTagsFor(int speedButton);
// open + selection + close; an empty selection gets nothing ("").
QString wrapSelection(const QString& selection, const WrapTags& tags);
// "<ruby>" + base + "<rt>" + reading + "</ruby>"; "" when either is empty.
QString rubyMarkup(const QString& base, const QString& reading);

// A link target split into what the link points at and the text it shows.
struct LinkTarget {
    QString href;
    QString name;
};
// name: the part after the last "/" (or "\"); a target without an extension
// links to its folder part (through that separator) and names the folder.
LinkTarget splitLinkTarget(const QString& target);
// <A href="T">NAMEへのリンク</A> followed by the selection.
QString linkMarkup(const LinkTarget& link, const QString& selection);
// <img src="NAME" width="W" height="H" align="middle"> followed by the selection.
QString pictureMarkup(const QString& name, const QString& width, const QString& height,
                      const QString& selection);
// "640,480" -> ("640", "480"): the text before and after the first ",".
std::pair<QString, QString> splitMeasure(const QString& measure);

} // namespace editor
