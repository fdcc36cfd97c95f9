#pragma once
// Walking page text for the quiz: finding brackets in plain text only, and
// taking apart the generated fields and blocks. Shared by the quiz pages and
// their printed renderings.

#include <QString>
#include <functional>

namespace store::quiz_markup {

// 0-based index of the next QuizOpen at or after `from` that stands in
// plain text (not inside a tag, a comment, or a SCRIPT or STYLE element);
// -1 when none. `upper` is the upper-cased copy of text. `from` must be a
// plain-text position.
int nextTextBracket(const QString& text, const QString& upper, int from);

// Finds where brackets close. A bracket found at `open` closes at the index
// its close() returns, when it closes in plain text before any markup; -1
// means the "(" is plain text. Brackets must be asked in text order; the
// searches are remembered so a long run of "(" stays linear.
class BracketCloser {
public:
    explicit BracketCloser(const QString& text) : text_(text) {}
    int close(int open);

private:
    const QString& text_;
    int nextClose_ = -2;  // -2: not searched yet
    int nextTag_ = -2;
};

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
