#pragma once
// The worksheet of a page: the rendered page with a name-field table (title,
// class and number, name) put at the top of its body and its blanks
// numbered, plus the pictures it shows copied into the work folder beside it.

#include <QString>
#include <QStringList>

namespace worksheet {

// The title for the name field, from the page's head: the text of its first
// TITLE tag, "#" starting a second line, cut before a "?" hint.
QString worksheetTitle(const QString& head);

// The name-field table, on one line.
QString nameFieldTable(const QString& title);

// The worksheet text: head through the BODY tag, the table, the body with
// "[]" numbered, the rest. A page without a BODY tag gives only the table.
QString buildWorksheet(const QString& rendered);

// The SRC values of the text that name a file below the page's folder, with
// "\" turned into "/": scheme, absolute and ".." values are left out.
QStringList pictureSources(const QString& rendered);

// Copies those pictures from pageFolder into workFolder (sub-folders made),
// never writing outside workFolder. Returns how many were copied.
int copyPictures(const QString& rendered, const QString& pageFolder, const QString& workFolder);

} // namespace worksheet
