#include "tools/page_order_names.h"

#include "store/files.h"

#include <QDir>

namespace tools {

FolderNames::FolderNames(const QString& folder) : folder_(folder)
{
    const auto filters = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    const QStringList all = QDir(folder).entryList(filters, QDir::Unsorted);
    names_.reserve(all.size());
    for (const QString& n : all)
        names_[key(n)].append(n);
}

QString FolderNames::find(const QString& name) const
{
    const auto it = names_.constFind(key(name));
    if (it == names_.constEnd() || it->isEmpty())
        return QString();
    if (it->contains(name))
        return name; // the exact spelling wins, as a direct look-up on the disk does
    QStringList spellings = *it;
    files::sortNames(spellings);
    return spellings.first();
}

void FolderNames::renamed(const QString& from, const QString& to)
{
    const auto it = names_.find(key(from));
    if (it != names_.end()) {
        it->removeOne(from);
        if (it->isEmpty())
            names_.erase(it);
    }
    names_[key(to)].append(to);
}

} // namespace tools
