#include "tools/drawing_paths.h"

#include "store/files.h"
#include "store/text.h"

#include <QFileInfo>

namespace capture {

namespace {

// name with its extension (from the last ".") replaced by ext.
QString withExtension(const QString& name, const QString& ext)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return (dot > 0 ? name.left(dot) : name) + ext;
}

} // namespace

QString drawSavePath(const QString& shownFilePath)
{
    const QFileInfo info(shownFilePath);
    QString name = info.fileName();
    const int underscore = name.indexOf(QLatin1Char('_'));
    if (underscore >= 0)
        name = name.mid(underscore + 1);
    return files::joinPath(info.path(), QStringLiteral("_%") + withExtension(name, QStringLiteral(".bmp")));
}

QString webDrawSavePath(const QString& workFolder)
{
    return files::joinPath(workFolder, QStringLiteral("_%web.bmp"));
}

QString drawingSaveSuggestion(const QString& shownFilePath)
{
    QString name = QFileInfo(shownFilePath).fileName();
    const int percent = name.indexOf(QLatin1Char('%'));
    if (percent >= 0)
        name = name.mid(percent + 1);
    return withExtension(name, QStringLiteral(".bmp"));
}

PictureKind pictureKindFor(const QString& path)
{
    const QString ext = text::lower(QFileInfo(path).suffix());
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return PictureKind::Jpeg;
    if (ext == QLatin1String("png"))
        return PictureKind::Png;
    return PictureKind::Bmp;
}

ZoomRect zoomSourceRect(int W, int H, int x, int y)
{
    return {x / 2, y / 2, W - (W - x) / 2, H - (H - y) / 2};
}

} // namespace capture
