#include "platform/download.h"

#include "store/files.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

namespace platform {

namespace {

const QByteArray UserAgent = QByteArrayLiteral("Lumbra");

bool isSuccess(int status)
{
    return status >= 200 && status < 300;
}

int httpStatusOf(QNetworkReply* reply)
{
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

QNetworkRequest requestFor(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, UserAgent);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    return request;
}

// Writes what has arrived; only a 2xx body goes to the file.
bool writeAvailable(QNetworkReply* reply, QSaveFile& file, DownloadResult& result)
{
    const int status = httpStatusOf(reply);
    const QByteArray block = reply->readAll();
    if (status != 0 && !isSuccess(status))
        return true; // an error page: not ours to keep
    if (file.write(block) != block.size())
        return false;
    result.bytes += block.size();
    return true;
}

} // namespace

DownloadResult downloadUrlToFile(const QString& url, const QString& fileName, int timeoutMs,
                                 const std::function<void(qint64 total)>& progress)
{
    DownloadResult result;
    const QUrl target = QUrl::fromUserInput(url);
    if (url.trimmed().isEmpty() || !target.isValid()) {
        result.error = QStringLiteral("URL が正しくありません");
        return result;
    }
    QSaveFile file(fileName);
    // The caller names a file in a folder of its own choosing (the page
    // commands download into a private temporary folder, then copy).
    if (!files::openReplacing(file, {QFileInfo(fileName).absolutePath()})) {
        result.error = file.errorString();
        return result;
    }
    QNetworkAccessManager manager;
    QNetworkReply* reply = manager.get(requestFor(target));
    QEventLoop loop;
    bool writeFailed = false;
    bool timedOut = false;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        timeout.start(timeoutMs); // a long download is fine while data keeps coming
        if (writeFailed)
            return;
        if (!writeAvailable(reply, file, result)) {
            writeFailed = true;
            reply->abort();
            return;
        }
        if (progress)
            progress(result.bytes);
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timeout, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    timeout.start(timeoutMs);
    if (!reply->isFinished())
        loop.exec();
    timeout.stop();

    if (!writeFailed && reply->bytesAvailable() > 0 && !writeAvailable(reply, file, result))
        writeFailed = true;
    result.httpStatus = httpStatusOf(reply);
    if (writeFailed)
        result.error = file.errorString();
    else if (timedOut)
        result.error = QStringLiteral("応答が途絶えました");
    else if (reply->error() != QNetworkReply::NoError)
        result.error = reply->errorString();
    else if (result.httpStatus != 0 && !isSuccess(result.httpStatus))
        result.error = QStringLiteral("HTTP %1").arg(result.httpStatus);
    reply->deleteLater();
    if (!result.error.isEmpty()) {
        file.cancelWriting();
        return result;
    }
    if (!files::commitChecked(file)) {
        result.error = file.errorString();
        return result;
    }
    result.ok = true;
    // The final total, also for an empty body that never raised readyRead.
    if (progress)
        progress(result.bytes);
    return result;
}

} // namespace platform
