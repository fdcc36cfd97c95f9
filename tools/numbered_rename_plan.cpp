#include "tools/numbered_rename_plan.h"

#include "store/files.h"
#include "store/text.h"

#include <QFileInfo>

namespace tools {

QString numberText(int number, int digits)
{
    const QString plain = QString::number(qAbs(qint64(number)));
    const QString padded = plain.size() < digits ? QString(digits - plain.size(), QLatin1Char('0')) + plain : plain;
    return number < 0 ? QLatin1Char('-') + padded : padded;
}

std::optional<QString> previewNumber(const NumberedRenameFields& f)
{
    const int from = text::toInt(f.from).value_or(1);
    const int to = text::toInt(f.to).value_or(1);
    const int step = text::toInt(f.step).value_or(1);
    const std::optional<int> first = text::toInt(f.first);
    const std::optional<int> digits = text::toInt(f.digits);
    if (!first || !digits)
        return std::nullopt;
    const qint64 last = qint64(*first) + qint64(to - from) * step;
    if (last < INT_MIN || last > INT_MAX)
        return std::nullopt;
    return numberText(int(last), qBound(0, *digits, 10));
}

QString nameProblem(const QString& name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("変更名を入れてください。");
    if (name.contains(QLatin1String("..")))
        return QStringLiteral("変更名に「..」は使えません。");
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return QStringLiteral("変更名に制御文字は使えません。");
        if (QStringLiteral("/\\$#'*?\"|<>:").contains(c))
            return QStringLiteral("変更名に「%1」は使えません。").arg(c);
    }
    return QString();
}

namespace {

bool fail(QString& message, const QString& why, QString& field, const QString& corrected)
{
    field = corrected;
    message = why;
    return false;
}

} // namespace

bool validateNumberedRename(NumberedRenameFields& f, const NumberedRenameLimits& limits, QString& message)
{
    message.clear();
    bool parsed = true;
    const auto read = [&](QString& field, int fallback) {
        const std::optional<int> v = text::toInt(field);
        if (!v) {
            field = QString::number(fallback);
            parsed = false;
        }
        return v.value_or(fallback);
    };
    const int from = read(f.from, limits.currentPage);
    const int to = read(f.to, limits.pageCount);
    const int step = read(f.step, limits.stepAtOpen);
    const std::optional<int> first = text::toInt(f.first);
    const std::optional<int> digits = text::toInt(f.digits);
    if (!parsed || !first || !digits || !previewNumber(f)) {
        message = QStringLiteral("数字だけを入れてください。");
        return false;
    }
    if (step < 0)
        return fail(message, QStringLiteral("増加数は0以上にしてください。"), f.step, QStringLiteral("0"));
    if (*first < 0)
        return fail(message, QStringLiteral("数字は0以上にしてください。"), f.first, QStringLiteral("0"));
    if (*digits <= 0)
        return fail(message, QStringLiteral("桁数は1から10にしてください。"), f.digits, QStringLiteral("1"));
    if (*digits > 10)
        return fail(message, QStringLiteral("桁数は1から10にしてください。"), f.digits, QStringLiteral("10"));
    if (from < 1)
        return fail(message, QStringLiteral("変更開始ボタンは1以上にしてください。"), f.from, QStringLiteral("1"));
    if (to < from)
        return fail(message, QStringLiteral("変更終了ボタンは変更開始ボタン以上にしてください。"), f.to, f.from);
    if (to > limits.pageCount)
        return fail(message, QStringLiteral("変更終了ボタンはページの数までです。"), f.to,
                    QString::number(limits.pageCount));
    const QString problem = nameProblem(f.name);
    if (!problem.isEmpty()) {
        message = problem;
        return false;
    }
    return true;
}

RenamePlan planNumberedRename(const QString& folder, const QStringList& entries, int first, int last,
                              const NumberedRenameSettings& s)
{
    PlanBuilder builder(folder, entries);
    first = qMax(0, first);
    last = qMin(last, int(entries.size()) - 1);
    qint64 number = qint64(s.first) - s.step;
    for (int k = first; k <= last; ++k) {
        const QString& name = entries.at(k);
        if (name.contains(QLatin1Char('/')) || !QFileInfo(files::joinPath(folder, name)).isFile())
            continue; // a missing page takes no number
        number += s.step;
        if (number > INT_MAX)
            break;
        const QString base = baseOf(name);
        const QString newBase = s.name + QLatin1Char('(') + numberText(int(number), s.digits) + QLatin1Char(')');
        const QString renamed = newBase + extensionOf(name);
        if (renamed == name)
            continue;
        // The recording keeps its name, but a recording under the new name
        // would become this page's.
        RenameUnit u = builder.unitFor(name, renamed, false);
        const QString sameNamedFolder = builder.names().find(base);
        if (!sameNamedFolder.isEmpty() && QFileInfo(files::joinPath(folder, sameNamedFolder)).isDir())
            u.companions << RenameStep{sameNamedFolder, newBase};
        else
            u.mustBeFree << newBase;
        builder.want(u);
    }
    return builder.plan();
}

} // namespace tools
