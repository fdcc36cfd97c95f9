#include "editor/picture_files.h"

#include "platform/picture.h"
#include "platform/seam.h"
#include "store/files.h"
#include "store/log.h"

#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace editor {

bool nameBreaksTags(const QString& name)
{
    return name.contains(u'"') || name.contains(u'<') || name.contains(u'>');
}

bool acceptPictureName(const QString& name)
{
    if (!nameBreaksTags(name))
        return true;
    platform::showMessage(QStringLiteral("ファイル名に \" < > を含むファイルは使えません。\n%1").arg(name),
                          platform::MsgType::Warning);
    return false;
}

namespace {

bool copyNew(const QString& source, const QString& target, const QStringList& within)
{
    if (files::copyFileOver(source, target, within))
        return true;
    qCWarning(lcPagora) << "picture copy failed:" << source << "->" << target;
    platform::showMessage(QStringLiteral("画像をページのフォルダーにコピーできませんでした。\n%1").arg(target),
                          platform::MsgType::Warning);
    return false;
}

bool sameBytes(const QString& a, const QString& b)
{
    if (QFileInfo(a).size() != QFileInfo(b).size())
        return false;
    const auto first = files::readBytes(a);
    const auto second = files::readBytes(b);
    return first && second && *first == *second;
}

// A free hidden name beside the picture, where the new one waits until the
// old one has gone to the trash (listings leave dot files out).
QString stagingPath(const QString& folder, const QString& name)
{
    for (int n = 1;; ++n) {
        const QString candidate = files::joinPath(folder, QStringLiteral(".pagora-new-%1-%2").arg(n).arg(name));
        if (!QFileInfo(candidate).exists() && !QFileInfo(candidate).isSymLink())
            return candidate;
    }
}

void warn(const QString& text, const QString& path)
{
    platform::showMessage(text + QStringLiteral("\n") + path, platform::MsgType::Warning);
}

// The new picture is copied beside the old one before the old one goes to
// the trash: a failed copy (a full disk) leaves the old picture in place,
// and the pages that show it keep showing it.
std::optional<QString> replacePicture(const QString& source, const QString& existing, const QString& folder,
                                      const QString& name, const QStringList& within)
{
    const QString target = files::joinPath(folder, name);
    const QString staged = stagingPath(folder, name);
    if (!files::copyFileOver(source, staged, within)) {
        qCWarning(lcPagora) << "picture copy failed:" << source << "->" << staged;
        QFile::remove(staged);
        warn(QStringLiteral("画像をページのフォルダーにコピーできませんでした。今ある画像はそのまま残っています。"), target);
        return std::nullopt;
    }
    if (!files::moveToTrash(existing)) {
        QFile::remove(staged);
        warn(QStringLiteral("今ある画像をごみ箱に移せなかったので、置き換えませんでした。"), existing);
        return std::nullopt;
    }
    if (!files::renameNoReplace(staged, target, within)) {
        qCWarning(lcPagora) << "the new picture could not take its name:" << staged << "->" << target;
        QFile::remove(staged);
        warn(QStringLiteral("新しい画像を置けませんでした。今ある画像はごみ箱に移してあります。"
                            "ごみ箱から元に戻せます。"),
             existing);
        return std::nullopt;
    }
    return name;
}

// The user's choice for a picture of the same name and other bytes.
std::optional<QString> replaceOrKeepBoth(const QString& source, const QString& existing, const QString& folder,
                                         const QString& name, const QStringList& within)
{
    const QString free = freeNameIn(folder, name);
    const QString question =
        QStringLiteral("ページのフォルダーには、同じ名前の別の画像がすでにあります。\n%1\n\n"
                       "置き換えますか？\n"
                       "「はい」: 今ある画像をごみ箱に移して置き換えます。\n"
                       "「いいえ」: 両方を残し、読み込む画像は「%2」という名前にします。\n"
                       "「キャンセル」: 読み込みをやめます。\n\n"
                       "「はい」を選ぶと、今ある画像はすぐにごみ箱に移ります。"
                       "ページを保存しないで閉じても元には戻りません。")
            .arg(existing, free);
    switch (platform::askYesNoCancel(question)) {
    case platform::Answer::Yes:
        return replacePicture(source, existing, folder, name, within);
    case platform::Answer::No:
        return copyNew(source, files::joinPath(folder, free), within) ? std::optional<QString>(free) : std::nullopt;
    case platform::Answer::Cancel:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> copyIntoFolder(const QString& source, const QString& folder, const QString& name,
                                      const QStringList& within)
{
    const QString existing = files::findFile(folder, name);
    if (existing.isEmpty() || !QFileInfo(existing).isFile()) // a folder of that name: the copy fails and says so
        return copyNew(source, files::joinPath(folder, name), within) ? std::optional<QString>(name) : std::nullopt;
    if (source == existing || files::sameFile(source, existing) || sameBytes(source, existing))
        return QFileInfo(existing).fileName();
    return replaceOrKeepBoth(source, existing, folder, name, within);
}

QString freeNameIn(const QString& folder, const QString& name)
{
    if (files::findFile(folder, name).isEmpty())
        return name;
    const QFileInfo info(name);
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    for (int n = 2;; ++n) {
        const QString candidate = info.completeBaseName() + u'_' + QString::number(n) + suffix;
        if (files::findFile(folder, candidate).isEmpty())
            return candidate;
    }
}

QString underscoreName(const QString& chosenFileName)
{
    QString name = chosenFileName;
    while (name.startsWith(u'_'))
        name.remove(0, 1);
    return QStringLiteral("_") + name;
}

bool writeBlankPicture(const QString& path, int width, int height, const QStringList& within)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext != QLatin1String("bmp") && ext != QLatin1String("jpg"))
        return false;
    if (width <= 0 || height <= 0)
        return false;
    QImage blank(width, height, QImage::Format_RGB888);
    if (blank.isNull())
        return false;
    blank.fill(QColor(Qt::white));
    return platform::savePicture(blank, path, 90, within);
}

QString dialogFilter(const QList<std::pair<QString, QStringList>>& entries)
{
    QStringList parts;
    for (const auto& [label, patterns] : entries) {
        QStringList all = patterns;
        for (const QString& p : patterns) {
            const QString up = p.toUpper();
            if (!all.contains(up))
                all.append(up);
        }
        parts.append(label + QStringLiteral(" (") + all.join(u' ') + u')');
    }
    return parts.join(QStringLiteral(";;"));
}

QString pictureFilter()
{
    return dialogFilter({
        {QStringLiteral("画像ファイル"), {"*.jpg", "*.jpeg", "*.bmp", "*.gif", "*.png"}},
        {QStringLiteral("JPEG画像ファイル"), {"*.jpg", "*.jpeg"}},
        {QStringLiteral("BMP画像ファイル"), {"*.bmp"}},
        {QStringLiteral("GIF画像ファイル"), {"*.gif"}},
        {QStringLiteral("PNG画像ファイル"), {"*.png"}},
    });
}

QString linkFileFilter()
{
    return dialogFilter({
        {QStringLiteral("全ファイル"), {"*"}},
        {QStringLiteral("HTML"), {"*.html"}},
        {QStringLiteral("ZORB"), {"*.zbx"}},
        {QStringLiteral("画像"), {"*.jpeg", "*.jpg", "*.gif", "*.bmp"}},
        {QStringLiteral("動画"), {"*.mvi", "*.wmv"}},
    });
}

QString linkDialogFilter()
{
    return dialogFilter({
        {QStringLiteral("全て"), {"*"}},
        {QStringLiteral("PDF"), {"*.pdf"}},
    });
}

} // namespace editor
