#pragma once
// The names of one folder, read once and looked up ignoring letter case
// (pages from Windows do not keep it), kept up to date while a run renames,
// so that no step of a large rename lists the folder again.

#include <QHash>
#include <QString>
#include <QStringList>

namespace tools {

class FolderNames {
public:
    explicit FolderNames(const QString& folder); // every entry: files, folders, hidden ones
    const QString& folder() const { return folder_; }
    // The entry spelled like name, letter case ignored ("" when none); of
    // several spellings the first in the program's sort order.
    QString find(const QString& name) const;
    bool contains(const QString& name) const { return names_.contains(key(name)); }
    void renamed(const QString& from, const QString& to);

    static QString key(const QString& name) { return name.toCaseFolded(); }

private:
    QString folder_;
    QHash<QString, QStringList> names_; // key -> spellings
};

} // namespace tools
