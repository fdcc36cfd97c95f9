#pragma once
// The comment markers and fixed values that mark the sections of a page.
// The page reader and writer, the style blocks and the quiz blocks all find
// their parts by these texts, matched exactly and case-sensitively.

#include <QString>

namespace store {

// Header, note and footer blocks of the body.
inline const QString kHeaderIn = QStringLiteral("<!--HEDDA_IN-->");
inline const QString kHeaderOut = QStringLiteral("<!--HEDDA_OUT-->");
inline const QString kNoteIn = QStringLiteral("<!--NOTE_IN-->");
inline const QString kNoteOut = QStringLiteral("<!--NOTE_OUT-->");
inline const QString kFooterIn = QStringLiteral("<!--FOOTER_IN-->");
inline const QString kFooterOut = QStringLiteral("<!--FOOTER_OUT-->");

// Style block in the head: the start marker carries the style digit.
inline const QString kStyleInPrefix = QStringLiteral("<!--STYLE_IN");
inline const QString kStyleOut = QStringLiteral("<!--STYLE_OUT-->");

// Generated quiz form and questionnaire answer button.
inline const QString kQuizBegin = QStringLiteral("<!--beginPagora//-->");
inline const QString kQuizEnd = QStringLiteral("<!--endPagora//-->");
inline const QString kAnswerBegin = QStringLiteral("<!--beginPagora_ANSWER//-->");
inline const QString kAnswerEnd = QStringLiteral("<!--endPagora_ANSWER//-->");

// Page-size values of the author META, as the page carries them.
inline const QString kSizeMetaB4 = QStringLiteral("CONTENT=\"Pagora_TEXT_B4\"");
inline const QString kSizeMetaA4 = QStringLiteral("CONTENT=\"Pagora_TEXT_A4\"");
inline const QString kSizeMetaFit = QStringLiteral("CONTENT=\"Pagora_TEXT_Fit\"");

} // namespace store
