#include "tools/page_order_run.h"

#include "store/files.h"
#include "tools/link_values.h"
#include "tools/picture_rename.h"
#include "tools/rename_run.h"
#include "tools/unlinked_files.h"

#include <QHash>
#include <QSet>

namespace tools {

namespace {

// Units whose new names are held by files that stay (a page dropped from the
// plan keeps its files) keep their names too, which may keep others in turn.
QList<RenameUnit> settle(const RenamePlan& plan, QStringList& failures)
{
    const FolderNames names(plan.folder);
    QList<RenameUnit> units = plan.units;
    for (bool dropped = true; dropped;) {
        dropped = false;
        QSet<QString> leaving;
        for (const RenameUnit& u : std::as_const(units))
            for (const QString& s : sourcesOf(u))
                leaving.insert(FolderNames::key(s));
        for (int i = 0; i < units.size(); ++i) {
            for (const QString& target : targetsOf(units.at(i))) {
                if (!names.contains(target) || leaving.contains(FolderNames::key(target)))
                    continue;
                failures << takenLine(units.at(i).page.from, target);
                units.removeAt(i--);
                dropped = true;
                break;
            }
        }
    }
    return units;
}

struct Moves {
    QList<FileMove> moves;
    QSet<int> pageMoves; // indexes of the pages themselves: one step each
};

Moves movesOf(const QString& folder, const QList<RenameUnit>& units)
{
    Moves m;
    for (const RenameUnit& u : units) {
        m.pageMoves.insert(int(m.moves.size()));
        m.moves << FileMove{files::joinPath(folder, u.page.from), files::joinPath(folder, u.page.to)};
        for (const RenameStep& c : u.companions)
            m.moves << FileMove{files::joinPath(folder, c.from), files::joinPath(folder, c.to)};
    }
    return m;
}

// The pages of the folder and, with root, of every folder under it.
QStringList pagesToFollow(const QString& folder, const QString& root)
{
    QStringList folders{folder};
    for (const QString& f : folderTree(root))
        if (!containsPath(folders, f))
            folders << f;
    QStringList pages;
    for (const QString& f : folders)
        for (const QString& name : files::listFiles(f, QStringLiteral("*.htm;*.html")))
            pages << files::joinPath(f, name);
    return pages;
}

RenameOutcome run(const RenamePlan& plan, const std::function<void()>& step, const QString& root,
                  const GoOnWithPages& goOn, bool rewrite)
{
    RenameOutcome outcome{plan.clashes, {}};
    const Moves m = movesOf(plan.folder, settle(plan, outcome.failures));
    RenameRun r{root.isEmpty() ? plan.folder : root, m.moves, {}};
    QList<PictureRename> renamed;
    for (const FileMove& f : m.moves)
        if (!isHtmlPage(f.from))
            renamed << PictureRename{f.from, f.to};
    if (rewrite && !renamed.isEmpty()) {
        const ReferenceUpdates updates = ReplaceNameInSelectedPages(pagesToFollow(plan.folder, root), renamed);
        const QStringList unrewritable = pagesNaming(updates.notUtf8, renamed);
        if (!unrewritable.isEmpty() && goOn && !goOn(unrewritable)) {
            outcome.stopped = true;
            return outcome;
        }
        for (const QString& page : unrewritable)
            outcome.failures << QStringLiteral("「%1」はUTF-8でもシフトJISでもないため、中の名前を書き換えていません。").arg(page);
        r.rewrites = updates.pages;
    }
    const RenameRunResult result = carryOutRenameRun(r, [&](int i) {
        if (step && m.pageMoves.contains(i))
            step();
    });
    outcome.failures += result.problems;
    const int cut = int(plan.folder.size()) + (plan.folder.endsWith(QLatin1Char('/')) ? 0 : 1);
    for (const FileMove& f : result.done)
        outcome.moved << RenameStep{f.from.mid(cut), f.to.mid(cut)};
    return outcome;
}

} // namespace

QString RenameOutcome::nameAfter(const QString& from) const
{
    for (const RenameStep& m : moved)
        if (m.from == from)
            return m.to;
    return from;
}

RenameOutcome executeRenamePlan(const RenamePlan& plan, const std::function<void()>& step)
{
    return run(plan, step, QString(), {}, false);
}

RenameOutcome carryOutRenamePlan(const RenamePlan& plan, const std::function<void()>& step, const QString& root,
                                 const GoOnWithPages& goOn)
{
    return run(plan, step, root, goOn, true);
}

} // namespace tools
