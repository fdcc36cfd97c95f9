#include "platform/shell.h"

#include "platform/browser.h"
#include "platform/seam.h"

#include <QFileInfo>
#include <QProcess>

namespace platform {

bool openPath(const QString& pathOrUrl)
{
    if (pathOrUrl.isEmpty())
        return false;
    return openUrl(toNavigableUrl(pathOrUrl));
}

QString paintProgram()
{
    return findProgram({QStringLiteral("kolourpaint"), QStringLiteral("pinta"), QStringLiteral("mtpaint"),
                        QStringLiteral("drawing"), QStringLiteral("gimp")});
}

bool openPathOrSay(const QString& path)
{
    if (openPath(path))
        return true;
    showMessage(QStringLiteral("このファイルを開くアプリが見つかりません。\n") + path, MsgType::Warning);
    return false;
}

bool exploreFolder(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    return openUrl(QUrl::fromLocalFile(folder));
}

QString spreadsheetProgram()
{
    QString program;
    if (!testMode()) {
        QProcess mime;
        mime.start(QStringLiteral("xdg-mime"),
                   {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/vnd.ms-excel")});
        if (mime.waitForFinished(3000)) {
            const QString desktop = QString::fromLocal8Bit(mime.readAllStandardOutput()).trimmed();
            if (!desktop.isEmpty())
                program = findProgram({desktop.section(QLatin1Char('.'), 0, 0)});
        }
    }
    if (program.isEmpty())
        program = findProgram({QStringLiteral("localc"), QStringLiteral("libreoffice"), QStringLiteral("gnumeric")});
    return program;
}

SpreadsheetPath::operator const QString&() const
{
    if (!known_) {
        path_ = spreadsheetProgram();
        known_ = true;
    }
    return path_;
}

SpreadsheetPath& SpreadsheetPath::operator=(const QString& path)
{
    path_ = path;
    known_ = true;
    return *this;
}

} // namespace platform
