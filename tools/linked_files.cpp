#include "tools/linked_files.h"

#include "tools/link_values.h"

#include "store/files.h"
#include "store/page_references.h"

#include <QDir>
#include <set>

namespace tools {

namespace {

// One run of the closure: the worklist, what was handled, what was found.
class Closure {
public:
    Closure(const QString& currentFolder, const QString& startPath, LinkedFiles& out)
        : folder_(currentFolder), start_(startPath), out_(out)
    {
    }

    void run(const QString& startPath)
    {
        QStringList work{startPath};
        while (!work.isEmpty()) {
            const QString e = work.takeLast();
            const QString p = entryPath(e);
            if (p.isEmpty() || !handled_.insert(key(p)).second)
                continue;
            addCompanion(p, QStringLiteral(".wav"));
            addCompanion(p, QStringLiteral(".%xt"));
            const QString real = existingFile(p);
            if (real.isEmpty() || !lowerExt(real).contains(QLatin1String(".ht")))
                continue;
            if (const auto refs = store::readPageReferences(real))
                scan(*refs, folderOf(p), work);
        }
    }

private:
    static QString key(const QString& path) { return QDir::cleanPath(path).toUpper(); }

    // Worklist entries: absolute as they stand, bare ones in CurrentFolder.
    QString entryPath(const QString& e) const
    {
        const QString s = files::slashes(e);
        if (s.isEmpty() || isDrivePath(s))
            return QString();
        return QDir::cleanPath(s.startsWith(QLatin1Char('/')) ? s : files::joinPath(folder_, s));
    }

    void addCompanion(const QString& page, const QString& ext)
    {
        const QString c = existingFile(changeFileExt(page, ext));
        if (!c.isEmpty())
            out_.files.append(c); // listed even when present: the old list did so
    }

    void addFile(const QString& path)
    {
        if (!containsPath(out_.files, path))
            out_.files.append(path);
    }

    // The old scans ran in the order src, title icon, background, href; the
    // list keeps that order, each kind in text order.
    static int scanOf(store::ReferenceKind kind)
    {
        switch (kind) {
        case store::ReferenceKind::Src:
        case store::ReferenceKind::Srcset:
        case store::ReferenceKind::Poster: return 0;
        case store::ReferenceKind::TitleIcon: return 1;
        case store::ReferenceKind::Background:
        case store::ReferenceKind::CssUrl: return 2;
        case store::ReferenceKind::Href: return 3;
        }
        return 3;
    }

    void scan(const QList<store::PageReference>& refs, const QString& dir, QStringList& work)
    {
        for (int pass = 0; pass < 3; ++pass) {
            for (const store::PageReference& r : refs) {
                if (scanOf(r.kind) != pass)
                    continue;
                const QString found = existingFile(store::referencedPath(r, dir));
                if (found.isEmpty())
                    continue;
                // A frame or an object may embed a page; a background never does.
                if (pass != 2 && lowerExt(found).contains(QLatin1String(".htm"))
                    && handled_.find(key(found)) == handled_.end())
                    work.append(found);
                addFile(found);
            }
        }
        for (const store::PageReference& r : refs)
            if (r.kind == store::ReferenceKind::Href)
                scanHref(r);
    }

    void scanHref(const store::PageReference& r)
    {
        const QString s = files::slashes(r.value);
        const QString name = s.mid(s.lastIndexOf(QLatin1Char('/')) + 1);
        const QString bare = s.startsWith(QLatin1Char('/')) ? s.mid(1) : s;
        if (name.startsWith(QLatin1Char('$')) || bare.startsWith(QLatin1Char('$'))) {
            out_.commandLinkMessages.append(
                commandLinkMessage(start_, name.startsWith(QLatin1Char('$')) ? name : bare));
            return;
        }
        const QString found = existingFile(store::referencedPath(r, folder_));
        if (!found.isEmpty())
            addFile(found);
    }

    QString folder_;
    QString start_;
    LinkedFiles& out_;
    std::set<QString> handled_;
};

} // namespace

QString commandLinkMessage(const QString& startPath, const QString& name)
{
    return startPath + QStringLiteral("で\nhref=") + name + QStringLiteral(" 【外部リンク】があります。");
}

LinkedFiles CollectLinkedFiles(const QString& StartPath, bool ClearList, const QString& CurrentFolder,
                               const QStringList& list)
{
    LinkedFiles out;
    if (ClearList)
        out.files.append(StartPath);
    else
        out.files = list;
    Closure(CurrentFolder, StartPath, out).run(StartPath);
    return out;
}

} // namespace tools
