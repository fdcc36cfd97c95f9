#pragma once
// The window-free rules of the patrol: the time text it compares, which files
// count as videos, and the click hints of the open-externally panel.
// TForm1's Timer5Timer, ShowFileStatus and RememberShownFile (patrol.cpp)
// act on them.

#include <QDateTime>
#include <QString>

namespace viewer {

// Extensions shown as videos; a video shown twice pauses the patrol.
inline const QString kVideoList = QStringLiteral(".mp4/.m4v/.avi/.wmv/.webm/.mov/.flv/");

// 2026年01月02日03時04分05秒, local time, seconds precision, no locale.
QString patrolTimeText(const QDateTime& t);
// ext is lower-case with its dot; "" is no video.
bool isVideoExtension(const QString& ext);

struct ClickHints {
    QString left;   // Label6
    QString right;  // Label8
};
ClickHints openExternallyHints(const QString& ext, const QString& exeBaseName);

} // namespace viewer
