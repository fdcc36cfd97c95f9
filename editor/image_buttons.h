#pragma once
// What the image block's buttons do: the layout buttons, loading a picture
// into the page's folder or sending it to the trash, painting it (or a new
// blank one) in the paint program, linking it to a file, and opening it.

#include "editor/image_block.h"

namespace editor {

// SpeedButton10 / 11 / 12: picture left, centred, right.
void pictureLayoutClick(ImageBlock& b, int layout);
// SpeedButton3 released: left: text only; right: the three text memos emptied.
void textOnlyButtonUp(ImageBlock& b, bool right);
// SpeedButton23 released: left: the table; right: the 77 grid cells emptied.
void tableButtonUp(ImageBlock& b, bool right);

// SpeedButton1 released: left (or no picture file): choose a picture and copy
// it into the page's folder; right: send the picture to the trash.
void loadButtonUp(ImageBlock& b, bool right);
// SpeedButton2 released: left: paint the picture; right (or no picture): a
// new blank picture "_" + DefaultImageFileName, then the paint program.
void paintButtonUp(ImageBlock& b, bool right);

// SpeedButton17 / SpeedButton37 left: link the picture to a chosen file.
void linkPictureToFile(ImageBlock& b);
// Their right click without a text selection: the link is removed.
void unlinkPicture(ImageBlock& b);
// The path a link to `chosen` gets: relative inside the page's folder tree.
QString linkPathFor(const QString& chosen, const QString& folder);

// Image1 double-clicked: the picture opens in its associated program.
void openPicture(ImageBlock& b);

} // namespace editor
