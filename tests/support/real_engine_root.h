#pragma once
// For the tests that drive the real browser engine: a data root "Pagora.data"
// in a temporary folder, the real engine instead of the stand-in, and the
// seam in test mode. The stand-in comes back when the object goes.

#include "platform/browser.h"
#include "support/write_bounds.h"
#include "platform/seam.h"
#include "store/files.h"
#include "support/fake_browser.h"

#include <QDir>
#include <QTemporaryDir>
#include <QUrl>

class RealEngineRoot {
public:
    RealEngineRoot()
    {
        if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        root_ = files::joinPath(dir_.path(), QStringLiteral("Pagora.data"));
        QDir().mkpath(root_);
        platform::useFakeBrowsers(false);
        platform::setTestMode(true);
    }
    ~RealEngineRoot() { platform::useFakeBrowsers(true); }
    RealEngineRoot(const RealEngineRoot&) = delete;
    RealEngineRoot& operator=(const RealEngineRoot&) = delete;

    bool isValid() const { return dir_.isValid() && QFileInfo(root_).isDir(); }
    QString folder() const { return dir_.path(); }
    // The program the main window takes itself for: its data root is root().
    QString exePath() const { return files::joinPath(dir_.path(), QStringLiteral("Pagora")); }
    QString root() const { return root_; }
    QString inRoot(const QString& name) const { return files::joinPath(root_, name); }
    QString url(const QString& name) const { return QUrl::fromLocalFile(inRoot(name)).toString(); }
    // Writes a file below the data root, its folders made as needed.
    bool put(const QString& name, const QByteArray& bytes) const
    {
        const QString path = inRoot(name);
        QDir().mkpath(QFileInfo(path).path());
        return files::writeBytes(path, bytes, tempBounds());
    }

private:
    QTemporaryDir dir_;
    QString root_;
};
