#include "tools/page_order_run.h"

#include "store/files.h"
#include "tools/link_values.h"
#include "tools/picture_rename.h"
#include "tools/unlinked_files.h"

#include <QFileInfo>
#include <QHash>

namespace tools {

namespace {

// One run over the plan's units. A unit waits while one of its targets is
// held by another unit's file; it goes as soon as the last of them is
// given up, and fails when a file that will not move holds a target.
class Run {
public:
    Run(const RenamePlan& plan, const std::function<void()>& step)
        : plan_(plan), names_(plan.folder), step_(step), units_(plan.units)
    {
        for (int i = 0; i < units_.size(); ++i) {
            states_.append({Pending, 0, false, sourcesOf(units_.at(i))});
            for (const QString& s : states_.last().at)
                holder_.insert(FolderNames::key(s), i);
        }
        for (int i = 0; i < units_.size(); ++i)
            findBlockers(i);
    }

    RenameOutcome run()
    {
        RenameOutcome out{plan_.clashes, {}};
        int cursor = 0;
        for (;;) {
            while (!ready_.isEmpty()) {
                const int i = ready_.takeLast();
                if (states_.at(i).status == Pending)
                    carryOut(i);
            }
            while (cursor < units_.size() && (states_.at(cursor).status != Pending || states_.at(cursor).aside))
                ++cursor;
            if (cursor == units_.size())
                break;
            stepAside(cursor);
        }
        out.failures += failures_;
        for (int i = 0; i < units_.size(); ++i) {
            const QStringList from = sourcesOf(plan_.units.at(i));
            for (int s = 0; s < from.size(); ++s)
                if (states_.at(i).at.at(s) != from.at(s))
                    out.moved << RenameStep{from.at(s), states_.at(i).at.at(s)};
        }
        return out;
    }

private:
    enum Status { Pending, Done, Failed };
    struct State {
        Status status;
        int blockers;      // targets still held by other units' files
        bool aside;        // has stepped aside once
        QStringList at;    // where the page and each companion are now
    };

    void findBlockers(int i)
    {
        QSet<QString> own;
        for (const QString& s : states_.at(i).at)
            own.insert(FolderNames::key(s));
        for (const QString& target : targetsOf(units_.at(i))) {
            const QString k = FolderNames::key(target);
            if (own.contains(k) || !names_.contains(target))
                continue;
            const auto h = holder_.constFind(k);
            if (h == holder_.constEnd()) {
                fail(i, takenLine(units_.at(i).page.from, target));
                return;
            }
            waiters_[k] << i;
            ++states_[i].blockers;
        }
        if (states_.at(i).blockers == 0)
            ready_ << i;
    }

    // A rename that may only change letter case goes through a free name first.
    bool rename(const QString& from, const QString& to)
    {
        const QString folder = plan_.folder;
        bool ok;
        if (!sameName(from, to)) {
            ok = files::renameNoReplace(files::joinPath(folder, from), files::joinPath(folder, to), {folder});
        } else {
            const QString between = files::joinPath(folder, to) + QStringLiteral(".renaming");
            ok = files::renameNoReplace(files::joinPath(folder, from), between, {folder})
                 && files::renameNoReplace(between, files::joinPath(folder, to), {folder});
        }
        if (ok)
            names_.renamed(from, to);
        return ok;
    }

    // Moves the files of unit i to names (page first); a file that moved
    // gives up its old name, one that did not keeps it for good.
    bool moveFiles(int i, const QStringList& names, bool final)
    {
        State& st = states_[i];
        for (int s = 0; s < names.size(); ++s) {
            const QString was = st.at.at(s);
            if (rename(was, names.at(s))) {
                st.at[s] = names.at(s);
                holder_.remove(FolderNames::key(was));
                if (!final)
                    holder_.insert(FolderNames::key(names.at(s)), i);
                release(FolderNames::key(was));
                continue;
            }
            if (s == 0) {
                failures_ << QStringLiteral("「%1」を「%2」にできませんでした。").arg(was, names.at(s));
                return false;
            }
            failures_ << QStringLiteral("「%1」を「%2」にできませんでした（ページは「%3」になりました）。")
                             .arg(was, names.at(s), st.at.at(0));
            stuck(FolderNames::key(was));
        }
        return true;
    }

    void carryOut(int i)
    {
        QStringList to{units_.at(i).page.to};
        for (const RenameStep& c : units_.at(i).companions)
            to << c.to;
        if (!moveFiles(i, to, true)) {
            fail(i, QString());
            return;
        }
        states_[i].status = Done;
        if (step_)
            step_();
    }

    // Unit i (waiting in a ring or a chain that ends in one) moves its
    // files to free names, so the unit waiting for them can go.
    void stepAside(int i)
    {
        State& st = states_[i];
        st.aside = true;
        QString aside = baseOf(st.at.first()) + QStringLiteral("#");
        const auto free = [&](const QString& b) {
            for (const QString& s : st.at)
                if (names_.contains(b + extensionOf(s)))
                    return false;
            return true;
        };
        while (!free(aside))
            aside += QLatin1Char('#');
        QStringList to;
        for (const QString& s : st.at)
            to << aside + extensionOf(s);
        if (!moveFiles(i, to, false))
            fail(i, QString());
    }

    void release(const QString& key)
    {
        for (int w : waiters_.take(key))
            if (states_.at(w).status == Pending && --states_[w].blockers == 0)
                ready_ << w;
    }

    // A name that stays taken: every unit waiting for it fails.
    void stuck(const QString& key)
    {
        holder_.remove(key);
        for (int w : waiters_.take(key))
            if (states_.at(w).status == Pending)
                fail(w, takenLine(units_.at(w).page.from, units_.at(w).page.to));
    }

    void fail(int i, const QString& line)
    {
        if (states_.at(i).status != Pending)
            return;
        states_[i].status = Failed;
        if (!line.isEmpty())
            failures_ << line;
        if (step_)
            step_();
        for (const QString& s : states_.at(i).at)
            stuck(FolderNames::key(s));
    }

    const RenamePlan& plan_;
    FolderNames names_;
    std::function<void()> step_;
    QList<RenameUnit> units_;
    QList<State> states_;
    QHash<QString, int> holder_;             // name key -> unit whose file has it
    QHash<QString, QList<int>> waiters_;     // name key -> units waiting for it
    QList<int> ready_;
    QStringList failures_;
};

// Whether a page the rewrite left alone names one of the moved files
// (names are compared as bytes, letter case ignored: they are mostly ASCII).
bool mentionsAny(const QString& page, const QList<PictureRename>& renamed)
{
    const QByteArray text = files::readBytes(page).value_or(QByteArray()).toLower();
    for (const PictureRename& r : renamed)
        if (text.contains(QFileInfo(r.from).fileName().toUtf8().toLower()))
            return true;
    return false;
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
    return Run(plan, step).run();
}

RenameOutcome carryOutRenamePlan(const RenamePlan& plan, const std::function<void()>& step, const QString& root)
{
    RenameOutcome outcome = executeRenamePlan(plan, step);
    QList<PictureRename> renamed;
    for (const RenameStep& m : outcome.moved)
        if (!isHtmlPage(m.from))
            renamed << PictureRename{files::joinPath(plan.folder, m.from), files::joinPath(plan.folder, m.to)};
    if (renamed.isEmpty())
        return outcome;
    QStringList& failures = outcome.failures;
    // Pages of other folders may show the pictures too ("../", "sub/").
    QStringList folders{plan.folder};
    for (const QString& folder : folderTree(root))
        if (!containsPath(folders, folder))
            folders << folder;
    QStringList pages;
    for (const QString& folder : folders)
        for (const QString& name : files::listFiles(folder, QStringLiteral("*.htm;*.html")))
            pages << files::joinPath(folder, name);
    const ReferenceUpdates updates = ReplaceNameInSelectedPages(pages, renamed);
    for (const QString& page : writePageRewrites(updates.pages, {root, plan.folder}))
        failures << QStringLiteral("「%1」の中の名前を書き換えられませんでした。").arg(page);
    for (const QString& page : updates.notUtf8)
        if (mentionsAny(page, renamed))
            failures << QStringLiteral("「%1」はUTF-8でもシフトJISでもないため、中の名前を書き換えていません。").arg(page);
    return outcome;
}

} // namespace tools
