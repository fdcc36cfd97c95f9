#pragma once
// The generated texts of quiz pages and answer blocks, byte for byte:
// trailing blanks and the lone CR in the first wrong-answer message belong
// to what stored pages hold.

#include <QString>

namespace store::quiz_texts {

QString scriptHead();       // opens the checking script
QString checkingScript();   // Kselect and Kkotae
QString buttons();          // reset, decide, show answers
QString jumpScript();       // page without fields
QString rightMessage();     // 【○】
QString firstWrongMessage();   // 【△】
QString repeatWrongMessage();  // 【×】
QString nextPageForm();     // page without fields
QString answerBlock();      // the whole answer button block

} // namespace store::quiz_texts
