#pragma once
// The fixed template of a new page, also used for the short message page
// "_XXX.html" shown while a long operation runs.

#include <QString>
#include <QStringList>

namespace store {

// File name of the message page written into the current folder; its
// leading "_" keeps it out of every page list.
inline const QString kPlaceholderPageName = QStringLiteral("_XXX.html");

// The whole new-page text with heading S, lines ended by CR LF.
QString newPageText(const QString& S);
// Writes the new page with heading S (unescaped) to F as UTF-8 with a
// byte-order mark, replacing any file there. False when it could not be
// written (or F lies outside within); the old file is then left whole.
[[nodiscard]] bool NEWHTMLSAVE(const QString& F, const QString& S, const QStringList& within);

} // namespace store
