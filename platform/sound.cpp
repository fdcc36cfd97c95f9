#include "platform/sound.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QPointer>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace platform {

namespace {

// The one sound of playWaveFile; a new call replaces what it plays.
QPointer<QSoundEffect> asyncEffect;

bool playable(const QString& fileName)
{
    return !fileName.isEmpty() && QFileInfo(fileName).isFile() && audioOutputAvailable();
}

// Plays as soon as the file is loaded; a file that fails to load stays silent.
void playWhenLoaded(QSoundEffect* effect)
{
    if (effect->status() == QSoundEffect::Ready) {
        effect->play();
        return;
    }
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(effect, &QSoundEffect::statusChanged, effect, [effect, connection] {
        if (effect->status() == QSoundEffect::Loading)
            return;
        if (effect->status() == QSoundEffect::Ready)
            effect->play();
        QObject::disconnect(*connection);
    });
}

} // namespace

bool audioOutputAvailable()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

bool playWaveFile(const QString& fileName)
{
    if (!playable(fileName))
        return false;
    if (!asyncEffect)
        asyncEffect = new QSoundEffect(QCoreApplication::instance());
    asyncEffect->stop();
    asyncEffect->setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
    playWhenLoaded(asyncEffect);
    return asyncEffect->status() != QSoundEffect::Error;
}

bool playWaveFileSync(const QString& fileName, int timeoutMs)
{
    if (!playable(fileName))
        return false;
    QSoundEffect effect;
    QEventLoop loop;
    bool started = false;
    bool ended = false;
    QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect.status() == QSoundEffect::Error)
            loop.quit();
    });
    QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (effect.isPlaying()) {
            started = true;
        } else if (started) {
            ended = true;
            loop.quit();
        }
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    effect.setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
    playWhenLoaded(&effect);
    if (effect.status() != QSoundEffect::Error)
        loop.exec();
    effect.stop();
    return ended;
}

void stopWaveFile()
{
    if (asyncEffect)
        asyncEffect->stop();
}

} // namespace platform
