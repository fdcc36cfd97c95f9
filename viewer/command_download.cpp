// Sound links and the download of "SAVE": small services of the main window
// that the page commands use.

#include "viewer/main_window.h"

#include "platform/browser.h"
#include "platform/download.h"
#include "platform/sound.h"
#include "store/log.h"

void TForm1::PlayWaveFile(const QString& fileName)
{
    platform::playWaveFile(fileName);
}

bool TForm1::DownloadUrlToFile(const QString& url, const QString& fileName)
{
    platform::DownloadResult result;
    try {
        result = platform::downloadUrlToFile(url, fileName, 120000, [this](qint64 total) {
            setCaption(QString::number(total) + QStringLiteral(" Byte 完了しました。"));
        });
    } catch (...) {
        qCWarning(lcPagora) << "downloading" << url << "failed:" << store::log::currentException();
        result.ok = false;
    }
    // The caption carries the shown URL again, whatever happened.
    setCaption(WebBrowser1->locationUrl());
    if (!result.ok) {
        const QString why = result.error.isEmpty() ? QString() : QStringLiteral("（") + result.error + QStringLiteral("）");
        ShowFlashMessage(QStringLiteral("ダウンロードできませんでした") + why + QStringLiteral("：") + url, 4000);
    }
    return result.ok;
}
