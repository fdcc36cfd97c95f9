#pragma once
// Walking page text for the quiz: finding brackets in plain text only, and
// taking apart the generated fields and blocks. Shared by the quiz pages and
// their printed renderings.

#include <QString>
#include <functional>

namespace store::quiz_markup {

// Replaces every bracket that stands in plain text (not inside a tag, a
// comment, or a SCRIPT or STYLE element), QuizOpen c QuizClose, by
// replace(c). A QuizOpen that does not close before the next markup stays
// plain text.
QString replaceTextBrackets(const QString& text, const std::function<QString(const QString&)>& replace);

// x up to its first QuizAlt or QuizAlt2, whichever comes first.
QString firstAlternative(const QString& x);

// Removes every "<!--beginPagora" block through the first ">" after the
// "<!--endPagora" that follows it. A block without its end loses only its
// start marker.
QString removeGeneratedBlocks(const QString& page);

// The value after "NAME=" (found upper-cased) in a tag: the text between
// the next two double quotes, or an unquoted value up to a blank or ">".
// nullopt-like: `found` false when the tag holds no "NAME=".
QString nameValue(const QString& tag, bool* found);

// Replaces every "<INPUT" tag (through its first ">") that holds "NAME="
// by replace(name); other INPUT tags stay.
QString replaceInputs(const QString& page, const std::function<QString(const QString&)>& replace);

// Replaces every "<SELECT" element through "</SELECT>" (an element without
// its end tag: the start tag alone) by replace(name, option texts).
QString replaceSelects(const QString& page,
                       const std::function<QString(const QString&, const QStringList&)>& replace);

} // namespace store::quiz_markup
