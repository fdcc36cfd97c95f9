#include "editor/picture_files.h"

#include "platform/picture.h"
#include "platform/seam.h"
#include "store/files.h"
#include "store/log.h"

#include <QColor>
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

bool copyIntoFolder(const QString& source, const QString& folder, const QString& name)
{
    const QString target = files::joinPath(folder, name);
    if (source == target || files::sameFile(source, target))
        return true;
    if (files::copyFileOver(source, target))
        return true;
    qCWarning(lcPagora) << "picture copy failed:" << source << "->" << target;
    platform::showMessage(QStringLiteral("画像をページのフォルダーにコピーできませんでした。\n%1").arg(target),
                          platform::MsgType::Warning);
    return false;
}

QString underscoreName(const QString& chosenFileName)
{
    QString name = chosenFileName;
    while (name.startsWith(u'_'))
        name.remove(0, 1);
    return QStringLiteral("_") + name;
}

bool writeBlankPicture(const QString& path, int width, int height)
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
    return platform::savePicture(blank, path, 90);
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
