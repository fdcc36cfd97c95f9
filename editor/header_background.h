#pragma once
// The header picture shown centred at the top of the page and the page's
// background picture. Both are copied into the page's folder as "_" + the
// chosen name and change the page-section values the page writer keeps.

#include "store/page_model.h"

#include <QString>

namespace editor {

// ---- the section texts ----
// The header block with the picture "_N" (name given with its "_").
QString headerWithPicture(const QString& oldSection, const QString& pictureName);
// The header block without a picture (a cancelled choice).
QString headerWithoutPicture(const QString& oldSection);
// The text after the title through a BODY start tag with the background,
// or a plain "<BODY>" when pictureName is empty.
QString bodyTagWithBackground(const QString& oldSection, const QString& pictureName);

// ---- the buttons ----
// Remembers where the picture dialog was last used: both buttons open it
// there, as a dialog without a starting folder does.
struct DecorDialogState {
    QString lastFolder;
};
// SpeedButton27 "TOP画像の挿入"; SpeedButton40 "背景".
void headerPictureClick(store::PageModel& m, const QString& pageFolder, DecorDialogState& state);
void backgroundPictureClick(store::PageModel& m, const QString& pageFolder, DecorDialogState& state);

} // namespace editor
