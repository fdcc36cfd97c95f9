// The video window's player over QMediaPlayer, QVideoWidget and QAudioOutput.
#include "tools/video_player.h"

#include "store/log.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaMetaData>
#include <QMediaPlayer>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QVideoSink>
#include <QVideoWidget>
#include <cmath>

namespace video {

namespace {

constexpr double kDefaultFrameRate = 30.0;
constexpr int kOpenTimeoutMs = 15000;
constexpr int kLengthWaitMs = 2000;

class MediaPlayer : public Player {
public:
    explicit MediaPlayer(QWidget* parent)
        : widget_(new QVideoWidget(parent)), audio_(new QAudioOutput(widget_)), player_(new QMediaPlayer(widget_))
    {
        widget_->setObjectName(QStringLiteral("MediaPlayer1"));
        widget_->show(); // made after its window may already be showing
        player_->setAudioOutput(audio_);
        player_->setVideoOutput(widget_);
        QObject::connect(player_, &QMediaPlayer::positionChanged, widget_, [this](qint64 ms) { stopAtEnd(ms); });
    }

    // The widget owns the player and its output: nothing of them outlives this.
    ~MediaPlayer() override { delete widget_; }

    void open(const QString& path, std::function<void(OpenResult)> done) override
    {
        stopAtMs_ = -1;
        if (!player_->isAvailable()) {
            qCWarning(lcPagora) << "video: no media playback on this machine";
            done(OpenResult::NoPlayer);
            return;
        }
        if (!QFileInfo(path).isFile()) {
            done(OpenResult::Failed);
            return;
        }
        // The same file again after a close: without a change of source the
        // player would report nothing.
        player_->setSource(QUrl());
        auto finished = std::make_shared<bool>(false);
        auto finish = [finished, done](OpenResult r) {
            if (*finished)
                return;
            *finished = true;
            done(r);
        };
        QObject* context = new QObject(widget_);
        QObject::connect(player_, &QMediaPlayer::mediaStatusChanged, context, [this, finish, context](QMediaPlayer::MediaStatus s) {
            if (s == QMediaPlayer::LoadedMedia || s == QMediaPlayer::BufferedMedia) {
                // The window reads the length at once: wait for it a moment if it comes later.
                if (player_->duration() > 0) {
                    context->deleteLater();
                    finish(OpenResult::Opened);
                    return;
                }
                QObject::connect(player_, &QMediaPlayer::durationChanged, context, [finish, context](qint64 ms) {
                    if (ms > 0) {
                        context->deleteLater();
                        finish(OpenResult::Opened);
                    }
                });
                QTimer::singleShot(kLengthWaitMs, context, [finish, context] {
                    context->deleteLater();
                    finish(OpenResult::Opened);
                });
            } else if (s == QMediaPlayer::InvalidMedia) {
                context->deleteLater();
                finish(OpenResult::Failed);
            }
        });
        QObject::connect(player_, &QMediaPlayer::errorOccurred, context, [finish, context](QMediaPlayer::Error, const QString& text) {
            qCWarning(lcPagora) << "video:" << text;
            context->deleteLater();
            finish(OpenResult::Failed);
        });
        QTimer::singleShot(kOpenTimeoutMs, context, [finish, context] {
            context->deleteLater();
            finish(OpenResult::Failed);
        });
        player_->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    }

    QSize naturalSize() const override
    {
        const QSize meta = player_->metaData().value(QMediaMetaData::Resolution).toSize();
        if (meta.isValid() && !meta.isEmpty())
            return meta;
        return player_->videoSink() ? player_->videoSink()->videoSize() : QSize();
    }
    int length() const override { return toFrames(player_->duration()); }
    int position() const override { return toFrames(player_->position()); }
    void setPosition(int frame) override
    {
        stopAtMs_ = -1;
        player_->pause();
        player_->setPosition(toMs(frame));
    }
    void play(int endFrame) override
    {
        if (endFrame <= position()) {
            setPosition(qMax(0, endFrame));
            return;
        }
        stopAtMs_ = endFrame >= length() ? -1 : toMs(endFrame);
        player_->play();
    }
    void stop() override
    {
        stopAtMs_ = -1;
        player_->pause();
    }
    QWidget* display() const override { return widget_; }

private:
    double frameRate() const
    {
        const double rate = player_->metaData().value(QMediaMetaData::VideoFrameRate).toDouble();
        return rate > 0 ? rate : kDefaultFrameRate;
    }
    int toFrames(qint64 ms) const { return int(std::llround(double(ms) * frameRate() / 1000.0)); }
    qint64 toMs(int frame) const { return qint64(std::llround(double(frame) * 1000.0 / frameRate())); }
    void stopAtEnd(qint64 ms)
    {
        if (stopAtMs_ >= 0 && ms >= stopAtMs_) {
            stopAtMs_ = -1;
            player_->pause();
        }
    }

    QVideoWidget* widget_;
    QAudioOutput* audio_;
    QMediaPlayer* player_;
    qint64 stopAtMs_ = -1;
};

} // namespace

std::unique_ptr<Player> createMediaPlayer(QWidget* parent)
{
    return std::make_unique<MediaPlayer>(parent);
}

} // namespace video
