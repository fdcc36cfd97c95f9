#include "tools/rename_run.h"

#include "store/files.h"
#include "store/log.h"
#include "tools/link_values.h"
#include "tools/page_reference_updates.h"
#include "tools/rename_journal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>

#include <algorithm>
#include <map>
#include <memory>
#include <cstdio>
#include <sys/stat.h>

namespace tools {

namespace {

bool present(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

bool isLink(const QString& path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

QString leafName(const QString& path)
{
    return QFileInfo(path).fileName();
}

// A name of the run's own that no file had before it.
QString runToken()
{
    return QString::number(QRandomGenerator::global()->generate64(), 36);
}

// The run's folders, each opened once inside the data root: a folder
// swapped for a link meanwhile is not followed, and a run of 100,000 renames
// does not walk every path from "/" again.
class RunFolders {
public:
    explicit RunFolders(const QString& root) : root_(root) {}
    bool move(const QString& from, const QString& to)
    {
        if (folderOf(from) != folderOf(to))
            return files::renameNoReplace(from, to, {root_});
        return held(folderOf(from)).renameNoReplace(leafName(from), leafName(to));
    }
    // The new text of a page replaces it in one step; a page that became a
    // link meanwhile is not replaced (the link would go, not its target's text).
    bool replacePage(const QString& staged, const QString& page)
    {
        return folderOf(staged) == folderOf(page)
               && held(folderOf(page)).replaceFile(leafName(staged), leafName(page));
    }

private:
    const files::OpenedFolder& held(const QString& folder)
    {
        auto it = open_.find(folder);
        if (it == open_.end())
            it = open_.emplace(folder, std::make_unique<files::OpenedFolder>(folder, QStringList{root_})).first;
        return *it->second;
    }

    QString root_;
    std::map<QString, std::unique_ptr<files::OpenedFolder>> open_;
};

// A parked file goes to its new name; when that was taken meanwhile, back to
// its old one, or else beside it with "#" marks: never left hidden.
QString placeParked(const JournalMove& m, RunFolders& folders, QStringList& problems)
{
    if (folders.move(m.parked, m.to))
        return m.to;
    if (folders.move(m.parked, m.from)) {
        problems << QStringLiteral("「%1」は「%2」が既にあるため、名前を変えませんでした。").arg(leafName(m.from), leafName(m.to));
        return m.from;
    }
    const QString name = leafName(m.to);
    const int dot = int(name.lastIndexOf(QLatin1Char('.')));
    QString base = dot > 0 ? name.left(dot) : name;
    const QString ext = dot > 0 ? name.mid(dot) : QString();
    for (int i = 0; i < 1000; ++i) {
        base += QLatin1Char('#');
        const QString aside = files::joinPath(folderOf(m.to), base + ext);
        if (folders.move(m.parked, aside)) {
            problems << QStringLiteral("「%1」は「%2」にできず、「%3」になりました。").arg(leafName(m.from), name, leafName(aside));
            return aside;
        }
    }
    problems << QStringLiteral("「%1」を元に戻せませんでした（今は「%2」です）。").arg(leafName(m.from), m.parked);
    return m.parked;
}

void syncFolders(const RenameJournal& j)
{
    for (const QString& folder : j.folders())
        syncFolder(folder);
}

// Where each page's new text is written beside it, and the page it replaces
// once every file has moved.
QList<JournalRewrite> stagedNames(const RenameRun& run, const QString& token)
{
    QHash<QString, QString> after;
    for (const FileMove& m : run.moves)
        after.insert(m.from, m.to);
    QList<JournalRewrite> out;
    for (int k = 0; k < run.rewrites.size(); ++k) {
        const QString& page = run.rewrites.at(k).path;
        const QString placedAt = after.value(page, page);
        // Beside the page where it will stand, so that its text replaces it in one step.
        out.append({files::joinPath(folderOf(placedAt), stagedName(token, k)), placedAt});
    }
    return out;
}

// Every page's new text beside it; false (and nothing left behind) when one
// cannot be written.
bool stage(const RenameRun& run, const RenameJournal& j, QStringList& problems)
{
    for (int k = 0; k < run.rewrites.size(); ++k) {
        const PageRewrite& p = run.rewrites.at(k);
        const QString& staged = j.rewrites.at(k).staged;
        if (isLink(p.path) || !files::writeBytes(staged, p.bytes, {run.root})) {
            problems << QStringLiteral("「%1」の中の名前を書き換えられないため、どのファイルの名前も変えませんでした。ファイルはそのまま残っています。")
                            .arg(p.path);
            return false;
        }
        QFile::setPermissions(staged, QFile::permissions(p.path));
    }
    return true;
}

// Parks every file; on the first refusal every parked file goes back.
bool park(const RenameJournal& j, RunFolders& folders, QStringList& problems)
{
    for (int k = 0; k < j.moves.size(); ++k) {
        if (folders.move(j.moves.at(k).from, j.moves.at(k).parked))
            continue;
        problems << QStringLiteral("「%1」を動かせないため、どのファイルの名前も変えませんでした。ファイルはそのまま残っています。")
                        .arg(j.moves.at(k).from);
        for (int back = k - 1; back >= 0; --back)
            if (!folders.move(j.moves.at(back).parked, j.moves.at(back).from))
                placeParked(j.moves.at(back), folders, problems);
        return false;
    }
    return true;
}

void dropStaged(const RenameJournal& j)
{
    for (const JournalRewrite& r : j.rewrites)
        QFile::remove(r.staged);
}

// The second half, also what a start-up does with a run cut off in it.
QList<FileMove> place(const RenameJournal& j, RunFolders& folders, QStringList& problems,
                      const std::function<void(int)>& placed)
{
    QList<FileMove> done;
    for (int k = 0; k < j.moves.size(); ++k) {
        const JournalMove& m = j.moves.at(k);
        QString at;
        if (present(m.parked))
            at = placeParked(m, folders, problems);
        else if (!present(m.to) && present(m.from) && folders.move(m.from, m.to))
            at = m.to; // its parking had not reached the disk
        else
            at = present(m.to) ? m.to : m.from;
        if (at != m.from)
            done.append({m.from, at});
        if (placed)
            placed(k);
    }
    syncFolders(j);
    for (const JournalRewrite& r : j.rewrites) {
        if (!present(r.staged))
            continue; // replaced before the cut
        if (!folders.replacePage(r.staged, r.page)) {
            problems << QStringLiteral("「%1」の中の名前を書き換えられませんでした。").arg(r.page);
            QFile::remove(r.staged);
        }
    }
    syncFolders(j);
    return done;
}

void undoParking(const RenameJournal& j, RunFolders& folders, QStringList& problems)
{
    for (const JournalMove& m : j.moves)
        if (present(m.parked) && !folders.move(m.parked, m.from))
            placeParked(m, folders, problems);
    dropStaged(j);
    syncFolders(j);
}

void removeStrays(const QString& folder)
{
    const QDir dir(folder);
    const QStringList strays =
        dir.entryList({QStringLiteral(".pagora-*.tmp")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : strays)
        if (!QFile::remove(dir.filePath(name)))
            qCWarning(lcPagora) << "a temporary file stays:" << dir.filePath(name);
}

} // namespace

QStringList pagesNaming(const QStringList& pages, const QList<PictureRename>& renamed)
{
    // Each page is read in its own charset, as the browser reads it.
    QStringList out;
    for (const QString& page : pages)
        if (pageNamesAny(page, renamed))
            out << page;
    return out;
}

RenameRunResult carryOutRenameRun(const RenameRun& run, const std::function<void(int)>& placed)
{
    RenameRunResult result;
    if (run.moves.isEmpty())
        return result;
    const QString token = runToken();
    RenameJournal j;
    j.token = token;
    for (int k = 0; k < run.moves.size(); ++k) {
        const FileMove& m = run.moves.at(k);
        if (folderOf(m.from) != folderOf(m.to)) {
            result.problems << QStringLiteral("「%1」は別のフォルダへは動かせません。").arg(m.from);
            return result;
        }
        j.moves.append({m.from, files::joinPath(folderOf(m.from), parkedName(token, k)), m.to});
    }
    j.rewrites = stagedNames(run, token);
    // The plan goes first: a run cut off while the pages' texts are written
    // leaves nothing behind either.
    if (!writeJournal(run.root, j)) {
        result.problems << QStringLiteral("名前を変える計画を保存できないため、どのファイルの名前も変えませんでした。ファイルはそのまま残っています。");
        return result;
    }
    const auto giveUp = [&] {
        dropStaged(j);
        syncFolders(j);
        removeJournal(run.root);
    };
    RunFolders folders(run.root);
    if (!stage(run, j, result.problems) || !park(j, folders, result.problems)) {
        giveUp();
        return result;
    }
    syncFolders(j);
    j.phase = RenameJournal::Phase::Placing;
    if (!writeJournal(run.root, j)) {
        undoParking(j, folders, result.problems);
        removeJournal(run.root);
        result.problems << QStringLiteral("名前を変える計画を保存できないため、どのファイルの名前も変えませんでした。ファイルはそのまま残っています。");
        return result;
    }
    result.done = place(j, folders, result.problems, placed);
    result.moved = !result.done.isEmpty();
    removeJournal(run.root);
    return result;
}

QStringList finishInterruptedRenames(const QString& root)
{
    QStringList problems;
    QStringList folders{root};
    if (std::optional<RenameJournal> j = readJournal(root)) {
        RunFolders held(root);
        qCInfo(lcPagora) << "a rename run was cut off; it is" << (j->phase == RenameJournal::Phase::Placing ? "finished" : "undone");
        if (j->phase == RenameJournal::Phase::Placing)
            place(*j, held, problems, {});
        else
            undoParking(*j, held, problems);
        removeJournal(root);
        for (const QString& f : j->folders())
            if (!folders.contains(f))
                folders << f;
    }
    for (const QString& folder : folders)
        removeStrays(folder);
    return problems;
}

} // namespace tools
