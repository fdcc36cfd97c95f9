#pragma once
// Numbered page names ("page(100).html", "page(101).html" ...) for a range of
// the folder's pages: the dialog's checks and the rename plan.

#include "tools/page_order_plan.h"

#include <QString>
#include <optional>

namespace tools {

// The texts of the numbered-renaming dialog's edits.
struct NumberedRenameFields {
    QString name = QStringLiteral("page"); // Edit1
    QString first = QStringLiteral("100"); // Edit2
    QString step = QStringLiteral("1");    // Edit3
    QString digits = QStringLiteral("3");  // Edit4
    QString from = QStringLiteral("1");    // Edit5, 1-based page button
    QString to = QStringLiteral("1");      // Edit6
};

// What the dialog noted at opening: the page count, the current page (1-based)
// and the step.
struct NumberedRenameLimits {
    int pageCount = 1;
    int currentPage = 1;
    int stepAtOpen = 1;
};

// The number written with at least digits digits, zero-padded.
QString numberText(int number, int digits);
// The preview: the number the last page of the range gets; nothing when a
// field cannot be read (from, to and step count as 1 then).
std::optional<QString> previewNumber(const NumberedRenameFields& f);
// Why a new base name cannot be used, "" when it can.
QString nameProblem(const QString& name);
// One round of the dialog's checks: true when the fields may be used; else
// one field has been corrected and message says why.
bool validateNumberedRename(NumberedRenameFields& f, const NumberedRenameLimits& limits, QString& message);

struct NumberedRenameSettings {
    QString name;
    int first = 100;
    int step = 1;
    int digits = 3;
};
// Pages first..last (0-based) of entries get the names; missing pages take
// no number. Memo and a folder of the same base name move along.
RenamePlan planNumberedRename(const QString& folder, const QStringList& entries, int first, int last,
                              const NumberedRenameSettings& s);

} // namespace tools
