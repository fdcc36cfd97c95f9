#pragma once
// Quiz pages and questionnaire pages. Authors write answers in brackets in
// the page text; saving a quiz page turns each bracket into a form field and
// wraps the text in a generated form with a checking script, saving a
// questionnaire page adds an answer button. Reading a page back removes the
// generated blocks and restores the bracket notation.
//
// Notation: (content). Content with a double quote, "<" or ">" stays text.
// Content with "|" and "/" is a choice: correct answer before "|", entries
// after it split at "/". Content without "|" is a text input whose accepted
// answers are its "/" parts. "|" without "/" stays text.

#include "store/page_markers.h"

#include <QString>

namespace store {

// The quiz delimiters, shared with the printed renderings.
inline const QString QuizOpen = QStringLiteral("(");
inline const QString QuizAlt = QStringLiteral("|");
inline const QString QuizClose = QStringLiteral(")");
inline const QString QuizAlt2 = QStringLiteral("/");

// S repeated n times; "" for n <= 0.
QString RepeatText(const QString& s, int n);

// Turns the brackets of the body into fields and adds the two quiz blocks.
// Brackets count only in text outside tags and SCRIPT and STYLE elements; a
// "(" without a later ")" stays text. A page without a BODY tag comes back
// unchanged. Line ends inside the blocks are partly lone CRs; saving turns
// them into CR LF.
QString MakeQuizPage(const QString& page);

// Inserts the answer button block after "<!--NOTE_OUT-->" and the line
// break that follows it. A page without the marker comes back unchanged.
QString AddAnswerButton(const QString& page);

// What a page read back says about its kind, and its text in notation.
struct QuizRestore {
    QString text;
    bool CheckBox1 = false;      // quiz page
    bool CheckBox2 = false;      // questionnaire answer page
    bool Panel19Raised = false;  // the editor marks quiz pages with raised bevels
};

// Removes generated quiz and answer blocks and turns the fields back into
// brackets. A page without "<!--beginPagora" comes back unchanged.
QuizRestore RestoreQuizNotation(const QString& page);

} // namespace store
