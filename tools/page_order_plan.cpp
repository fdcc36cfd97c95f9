#include "tools/page_order_plan.h"

#include "store/files.h"
#include "tools/answer_sheet.h"
#include "tools/drawing_paths.h"

#include <QFileInfo>

namespace tools {

namespace {

const QString kMemo = QStringLiteral(".%xt");
const QString kRecording = QStringLiteral(".wav");

QString leaf(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace

QString takenLine(const QString& page, const QString& name)
{
    return QStringLiteral("「%1」は「%2」が既にあるため、名前を変えませんでした。").arg(page, name);
}

bool sameName(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

QString baseOf(const QString& fileName)
{
    return fileName.left(fileName.size() - extensionOf(fileName).size());
}

QString extensionOf(const QString& fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName.mid(dot);
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
    // 1000 + 10·i up to 900 pages (stored pages rely on it); beyond, the
    // first number gets as many digits as the last one needs.
    qint64 first = 1000;
    while (first + 10 * qint64(qMax(count, 1) - 1) >= first * 10)
        first *= 10;
    return int(first + 10 * qint64(i));
}

PlanBuilder::PlanBuilder(const QString& folder, const QStringList& entries) : names_(folder)
{
    for (const QString& e : entries)
        ++drawingUsers_[FolderNames::key(drawingName(e))];
}

QString PlanBuilder::drawingName(const QString& page) const
{
    return leaf(capture::drawSavePath(files::joinPath(names_.folder(), page)));
}

RenameUnit PlanBuilder::unitFor(const QString& from, const QString& to, bool recordingMoves) const
{
    RenameUnit u{{from, to}, {}, {}};
    const auto follow = [&](const QString& oldName, const QString& newName, bool moves) {
        const QString found = names_.find(oldName);
        if (moves && !found.isEmpty())
            u.companions << RenameStep{found, newName};
        else
            u.mustBeFree << newName;
    };
    const QString base = baseOf(from), newBase = baseOf(to);
    follow(base + kMemo, newBase + kMemo, true);
    follow(base + kRecording, newBase + kRecording, recordingMoves);
    const QString folder = names_.folder();
    follow(leaf(answersheet::AnswerCsvPath(files::joinPath(folder, from))),
           leaf(answersheet::AnswerCsvPath(files::joinPath(folder, to))), true);
    // Pages whose names differ only before their first "_" share one
    // drawing; it stays where it is unless this page is its only user.
    const QString drawing = drawingName(from), newDrawing = drawingName(to);
    if (!sameName(drawing, newDrawing))
        follow(drawing, newDrawing, drawingUsers_.value(FolderNames::key(drawing)) <= 1);
    return u;
}

void PlanBuilder::want(const RenameUnit& u)
{
    for (const QString& s : sourcesOf(u))
        leaving_.insert(FolderNames::key(s));
    wanted_ << u;
}

RenamePlan PlanBuilder::plan()
{
    RenamePlan plan{names_.folder(), {}, {}};
    QSet<QString> claimed;
    for (const RenameUnit& unit : std::as_const(wanted_)) {
        QSet<QString> own;
        for (const QString& s : sourcesOf(unit))
            own.insert(FolderNames::key(s));
        QString taken;
        const QStringList targets = targetsOf(unit);
        for (const QString& target : targets) {
            const QString k = FolderNames::key(target);
            const bool takenOnDisk = names_.contains(target) && !own.contains(k) && !leaving_.contains(k);
            if (takenOnDisk || claimed.contains(k)) {
                taken = target;
                break;
            }
        }
        if (!taken.isEmpty()) {
            plan.clashes << takenLine(unit.page.from, taken);
            continue;
        }
        for (const QString& target : targets)
            claimed.insert(FolderNames::key(target));
        plan.units << unit;
    }
    return plan;
}

namespace {

// Pages that keep their names keep their prefixes: a unit that would give
// one of those prefixes to another page stays too, which may in turn keep
// its own old prefix from the next one.
void keepPrefixesUnique(RenamePlan& plan, const QStringList& entries, const FolderNames& names)
{
    QHash<QString, QList<int>> byNewPrefix; // prefix key -> units
    QSet<QString> moving;
    for (int i = 0; i < plan.units.size(); ++i) {
        byNewPrefix[FolderNames::key(orderPrefix(plan.units.at(i).page.to))] << i;
        moving.insert(plan.units.at(i).page.from);
    }
    QStringList kept;
    for (const QString& e : entries)
        if (!moving.contains(e) && !orderPrefix(e).isEmpty() && names.contains(e))
            kept << orderPrefix(e);
    QSet<int> dropped;
    while (!kept.isEmpty()) {
        const QString prefix = kept.takeLast();
        for (int i : byNewPrefix.take(FolderNames::key(prefix))) {
            if (dropped.contains(i))
                continue;
            const RenameUnit& u = plan.units.at(i);
            dropped.insert(i);
            plan.clashes << QStringLiteral("「%1」は番号「%2」が名前を変えられないページに使われているため、名前を変えませんでした。")
                                .arg(u.page.from, prefix);
            if (!orderPrefix(u.page.from).isEmpty())
                kept << orderPrefix(u.page.from);
        }
    }
    if (dropped.isEmpty())
        return;
    QList<RenameUnit> units;
    for (int i = 0; i < plan.units.size(); ++i)
        if (!dropped.contains(i))
            units << plan.units.at(i);
    plan.units = units;
}

} // namespace

RenamePlan planRenumber(const QString& folder, const QStringList& entries)
{
    PlanBuilder builder(folder, entries);
    for (int i = 0; i < entries.size(); ++i) {
        const QString& name = entries.at(i);
        if (baseOf(name).contains(QLatin1String("index")))
            continue;
        const QString renamed = QString::number(orderNumber(i, entries.size())) + QLatin1Char('_')
                                + name.mid(orderPrefix(name).size());
        if (renamed == name || builder.names().find(name).isEmpty())
            continue;
        builder.want(builder.unitFor(name, renamed, true));
    }
    RenamePlan plan = builder.plan();
    keepPrefixesUnique(plan, entries, builder.names());
    return plan;
}

RenamePlan planStripPrefixes(const QString& folder, const QStringList& entries)
{
    PlanBuilder builder(folder, entries);
    QSet<QString> claimed;
    for (const QString& name : entries) {
        const QString prefix = orderPrefix(name);
        if (prefix.isEmpty() || builder.names().find(name).isEmpty())
            continue;
        QString renamed = name.mid(prefix.size());
        RenameUnit u = builder.unitFor(name, renamed, false);
        const auto taken = [&] {
            for (const QString& t : targetsOf(u))
                if (builder.names().contains(t) || claimed.contains(FolderNames::key(t)))
                    return true;
            return false;
        };
        while (taken()) {
            renamed = baseOf(renamed) + QLatin1Char('#') + extensionOf(renamed);
            u = builder.unitFor(name, renamed, false);
        }
        for (const QString& t : targetsOf(u))
            claimed.insert(FolderNames::key(t));
        builder.want(u);
    }
    return builder.plan();
}

} // namespace tools
