#include "tools/page_order_plan.h"

#include "store/files.h"

#include <QFileInfo>

namespace tools {

namespace {

const QString kMemo = QStringLiteral(".%xt");
const QString kRecording = QStringLiteral(".wav");

bool sameName(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

bool listed(const QStringList& names, const QString& name)
{
    for (const QString& n : names)
        if (sameName(n, name))
            return true;
    return false;
}

// An entry in the folder spelled like name, letter case ignored (pages from
// Windows do not keep it); "" when none.
QString existing(const QString& folder, const QString& name)
{
    const QString found = files::findFile(folder, name);
    return found.isEmpty() ? QString() : QFileInfo(found).fileName();
}

QStringList targetsOf(const RenameUnit& u)
{
    QStringList t{u.page.to};
    for (const RenameStep& s : u.companions)
        t << s.to;
    return t + u.mustBeFree;
}

QStringList sourcesOf(const RenameUnit& u)
{
    QStringList s{u.page.from};
    for (const RenameStep& c : u.companions)
        s << c.from;
    return s;
}

// Memo and recording that follow a page from base to newBase.
void addCompanions(RenameUnit& u, const QString& folder, const QString& base, const QString& newBase,
                   bool recordingMoves)
{
    const QString memo = existing(folder, base + kMemo);
    if (!memo.isEmpty())
        u.companions << RenameStep{memo, newBase + kMemo};
    else
        u.mustBeFree << newBase + kMemo;
    const QString recording = existing(folder, base + kRecording);
    if (recordingMoves && !recording.isEmpty())
        u.companions << RenameStep{recording, newBase + kRecording};
    else
        u.mustBeFree << newBase + kRecording;
}

QString takenLine(const QString& page, const QString& name)
{
    return QStringLiteral("「%1」は「%2」が既にあるため、名前を変えませんでした。").arg(page, name);
}

} // namespace

QString baseOf(const QString& fileName)
{
    return fileName.left(fileName.size() - extensionOf(fileName).size());
}

QString extensionOf(const QString& fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot);
}

QStringList moveEntry(QStringList entries, int index, int target)
{
    if (index < 0 || index >= entries.size())
        return entries;
    target = qBound(0, target, int(entries.size()) - 1);
    entries.move(index, target);
    return entries;
}

QString orderPrefix(const QString& fileName)
{
    const int underscore = fileName.indexOf(QLatin1Char('_'));
    return underscore > 0 ? fileName.left(underscore + 1) : QString();
}

int orderNumber(int i, int count)
{
    return (count > 900 ? 10000 : 1000) + 10 * i;
}

bool addUnitIfFree(RenamePlan& plan, RenameUnit unit, const QStringList& leaving)
{
    QStringList claimed;
    for (const RenameUnit& u : plan.units)
        claimed += targetsOf(u);
    const QStringList own = sourcesOf(unit);
    for (const QString& target : targetsOf(unit)) {
        const QString onDisk = existing(plan.folder, target);
        const bool takenOnDisk = !onDisk.isEmpty() && !listed(own, onDisk) && !listed(leaving, onDisk);
        if (takenOnDisk || listed(claimed, target)) {
            plan.clashes << takenLine(unit.page.from, target);
            return false;
        }
    }
    plan.units << unit;
    return true;
}

RenamePlan planRenumber(const QString& folder, const QStringList& entries)
{
    RenamePlan plan{folder, {}, {}};
    QList<RenameUnit> wanted;
    QStringList leaving;
    for (int i = 0; i < entries.size(); ++i) {
        const QString& name = entries.at(i);
        if (baseOf(name).contains(QLatin1String("index")))
            continue;
        const QString renamed = QString::number(orderNumber(i, entries.size())) + QLatin1Char('_')
                                + name.mid(orderPrefix(name).size());
        if (renamed == name || existing(folder, name).isEmpty())
            continue;
        RenameUnit u{{name, renamed}, {}, {}};
        addCompanions(u, folder, baseOf(name), baseOf(renamed), true);
        leaving += sourcesOf(u);
        wanted << u;
    }
    for (const RenameUnit& u : wanted)
        addUnitIfFree(plan, u, leaving);
    return plan;
}

RenamePlan planStripPrefixes(const QString& folder, const QStringList& entries)
{
    RenamePlan plan{folder, {}, {}};
    QStringList claimed;
    for (const QString& name : entries) {
        const QString prefix = orderPrefix(name);
        if (prefix.isEmpty() || existing(folder, name).isEmpty())
            continue;
        QString renamed = name.mid(prefix.size());
        const auto taken = [&](const QString& n) {
            for (const QString& c : {n, baseOf(n) + kMemo, baseOf(n) + kRecording})
                if (!existing(folder, c).isEmpty() || listed(claimed, c))
                    return true;
            return false;
        };
        while (taken(renamed))
            renamed = baseOf(renamed) + QLatin1Char('#') + extensionOf(renamed);
        RenameUnit u{{name, renamed}, {}, {}};
        addCompanions(u, folder, baseOf(name), baseOf(renamed), false);
        claimed += targetsOf(u);
        plan.units << u;
    }
    return plan;
}

namespace {

bool freeNow(const QString& folder, const RenameUnit& u)
{
    const QStringList own = sourcesOf(u);
    for (const QString& target : targetsOf(u)) {
        const QString onDisk = existing(folder, target);
        if (!onDisk.isEmpty() && !listed(own, onDisk))
            return false;
    }
    return true;
}

// A rename that may only change letter case goes through a free name first.
bool renameStep(const QString& folder, const RenameStep& s)
{
    const QString from = files::joinPath(folder, s.from);
    const QString to = files::joinPath(folder, s.to);
    if (!sameName(s.from, s.to))
        return files::renameNoReplace(from, to);
    const QString between = to + QStringLiteral(".renaming");
    return files::renameNoReplace(from, between) && files::renameNoReplace(between, to);
}

void runUnit(const QString& folder, const RenameUnit& u, QStringList& failures)
{
    if (!renameStep(folder, u.page)) {
        failures << QStringLiteral("「%1」を「%2」にできませんでした。").arg(u.page.from, u.page.to);
        return;
    }
    for (const RenameStep& c : u.companions)
        if (!renameStep(folder, c))
            failures << QStringLiteral("「%1」を「%2」にできませんでした（ページは「%3」になりました）。")
                            .arg(c.from, c.to, u.page.to);
}

// Pages whose new names only free each other (1000_x and 1010_x trading
// places): the first of them steps aside to a free name, then all go on.
bool stepAside(const QString& folder, QList<RenameUnit>& pending, QStringList& failures, QStringList& asideDone)
{
    for (int i = 0; i < pending.size(); ++i) {
        RenameUnit& u = pending[i];
        if (asideDone.contains(u.page.to))
            continue; // once is enough to break a ring

        QStringList waitingFor;
        for (const RenameUnit& other : pending)
            if (&other != &u)
                waitingFor += sourcesOf(other);
        bool ring = true;
        for (const QString& target : targetsOf(u)) {
            const QString onDisk = existing(folder, target);
            if (!onDisk.isEmpty() && !listed(sourcesOf(u), onDisk) && !listed(waitingFor, onDisk))
                ring = false; // taken by something that is not moving
        }
        if (!ring)
            continue;
        QString aside = baseOf(u.page.from) + QStringLiteral("#");
        const auto free = [&](const QString& b) {
            for (const RenameStep& s : QList<RenameStep>{u.page} + u.companions)
                if (!existing(folder, b + extensionOf(s.from)).isEmpty())
                    return false;
            return true;
        };
        while (!free(aside))
            aside += QLatin1Char('#');
        RenameUnit step{{u.page.from, aside + extensionOf(u.page.from)}, {}, {}};
        for (const RenameStep& c : u.companions)
            step.companions << RenameStep{c.from, aside + extensionOf(c.from)};
        asideDone << u.page.to;
        QStringList stepFailures;
        runUnit(folder, step, stepFailures);
        if (!stepFailures.isEmpty()) {
            failures += stepFailures;
            pending.removeAt(i);
            return true;
        }
        u.page.from = step.page.to;
        for (int c = 0; c < u.companions.size(); ++c)
            u.companions[c].from = step.companions.at(c).to;
        return true;
    }
    return false;
}

} // namespace

QStringList executeRenamePlan(const RenamePlan& plan)
{
    QStringList failures = plan.clashes;
    QList<RenameUnit> pending = plan.units;
    QStringList asideDone;
    bool progress = true;
    while (!pending.isEmpty()) {
        if (!progress && !stepAside(plan.folder, pending, failures, asideDone))
            break;
        progress = false;
        for (int i = 0; i < pending.size();) {
            if (!freeNow(plan.folder, pending.at(i))) {
                ++i;
                continue;
            }
            runUnit(plan.folder, pending.takeAt(i), failures);
            progress = true;
        }
    }
    for (const RenameUnit& u : pending)
        failures << takenLine(u.page.from, u.page.to);
    return failures;
}

} // namespace tools
