#pragma once
// Quiz answers made printable for worksheets: blanks of ideographic spaces
// where the answers go (mode 0), or the answers shown in red (mode 3).
// Works on plain bracket notation and on generated quiz pages alike.

#include <QString>

namespace store {

constexpr int kRenderBlanks = 0;
constexpr int kRenderRedAnswers = 3;

QString RenderQuizAnswers(const QString& page, int mode);

} // namespace store
