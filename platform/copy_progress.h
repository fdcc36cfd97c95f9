#pragma once
// Long copies (a whole folder, many imported files): a progress dialog that
// appears when the work takes more than a moment and keeps the window
// painting, and the failures collected on the way, reported together at the
// end instead of one box per file. In the seam's test mode no dialog shows.

#include <QString>
#include <QStringList>
#include <memory>

class QProgressDialog;

namespace platform {

class CopyProgress {
public:
    // label: what is being done; total: number of steps. Work that must not
    // stop half-way (renaming a folder's pages) is not cancellable.
    CopyProgress(const QString& label, int total, bool cancellable = true);
    ~CopyProgress();
    CopyProgress(const CopyProgress&) = delete;
    CopyProgress& operator=(const CopyProgress&) = delete;
    // One step done; lets pending events run. False once the person pressed "中止".
    bool step();
    bool cancelled() const { return cancelled_; }

private:
    std::unique_ptr<QProgressDialog> dialog_;
    int done_ = 0;
    bool cancelled_ = false;
};

// Files that could not be copied (or folders not made), named in one message.
class CopyFailures {
public:
    void add(const QString& name) { names_.append(name); }
    bool isEmpty() const { return names_.isEmpty(); }
    const QStringList& names() const { return names_; }
    // headline, then one name a line (at most 20, then how many more);
    // nothing when there were no failures.
    void report(const QString& headline) const;
    // The text report() shows.
    QString text(const QString& headline) const;

private:
    QStringList names_;
};

} // namespace platform
