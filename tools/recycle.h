#pragma once
// One file to the desktop's trash, then the current page shown again.

#include <QString>

class TForm1;

namespace recycle {

// False when the trash refused the file (it stays, and the user is told).
bool RecycleFile(TForm1& w, const QString& file);

} // namespace recycle
