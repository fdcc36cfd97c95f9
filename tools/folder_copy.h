#pragma once
// The whole-folder copy to the desktop copy folder, without a window: the
// folder and everything below it, merged into copyFolder/<its name>, files
// overwritten, every folder and file made inside the copy folder even when a
// link is swapped in meanwhile. Symbolic links are never followed (they are
// left out), and a target inside the source is refused, so the copy cannot
// chase its own tail.

#include "platform/copy_progress.h"

#include <QString>

namespace tools {

struct FolderCopyOutcome {
    QString refusal;   // why nothing was copied; "" when the copy ran
    int copied = 0;    // files copied
    bool cancelled = false;
};

FolderCopyOutcome copyFolderInto(const QString& source, const QString& copyFolder,
                                 platform::CopyFailures& failures);

} // namespace tools
