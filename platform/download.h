#pragma once
// Download of one URL into a file. The body goes block by block into a
// temporary file beside the target, which replaces the target only after a
// complete 2xx response: an error or a cut connection keeps the old file.
// The call returns when the download has ended, keeping the event loop
// running meanwhile, so the window stays alive and can show progress.

#include <QString>
#include <functional>

namespace platform {

struct DownloadResult {
    bool ok = false;
    int httpStatus = 0;   // 0 when no HTTP answer came
    qint64 bytes = 0;     // body bytes received
    QString error;        // why it failed ("" on success)
};

// progress(total bytes so far) runs after every block written and once more
// with the final total after a successful download. The download fails when
// nothing arrives for timeoutMs; a slow but steady one runs to its end.
DownloadResult downloadUrlToFile(const QString& url, const QString& fileName,
                                 int timeoutMs = 120000,
                                 const std::function<void(qint64 total)>& progress = {});

} // namespace platform
