// The sound recorder window over QAudioSource; the wave file is written
// whole when the recording ends.
#include "tools/recording_window.h"

#include "platform/seam.h"
#include "store/files.h"
#include "store/log.h"

#include <QAudioDevice>
#include <QAudioSource>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTimer>
#include <QtEndian>

namespace recording {

namespace {

void putLe32(QByteArray& b, quint32 v)
{
    char bytes[4];
    qToLittleEndian(v, bytes);
    b.append(bytes, 4);
}

void putLe16(QByteArray& b, quint16 v)
{
    char bytes[2];
    qToLittleEndian(v, bytes);
    b.append(bytes, 2);
}

// 16-bit samples at 22050 Hz mono where the device takes them, else at its own rate and channels.
bool pickFormat(const QAudioDevice& device, QAudioFormat& format)
{
    format.setSampleRate(22050);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isFormatSupported(format))
        return true;
    const QAudioFormat preferred = device.preferredFormat();
    format.setSampleRate(preferred.sampleRate());
    format.setChannelCount(preferred.channelCount());
    return device.isFormatSupported(format);
}

} // namespace

QByteArray waveHeader(int sampleRate, int channels, int bitsPerSample, quint32 dataBytes)
{
    const int blockAlign = channels * bitsPerSample / 8;
    QByteArray h("RIFF");
    putLe32(h, 36 + dataBytes);
    h.append("WAVEfmt ");
    putLe32(h, 16);
    putLe16(h, 1); // PCM
    putLe16(h, quint16(channels));
    putLe32(h, quint32(sampleRate));
    putLe32(h, quint32(sampleRate * blockAlign));
    putLe16(h, quint16(blockAlign));
    putLe16(h, quint16(bitsPerSample));
    h.append("data");
    putLe32(h, dataBytes);
    return h;
}

RecorderWindow::RecorderWindow(const QString& path, const QStringList& within, QWidget* parent)
    : QDialog(parent), path_(path), within_(within)
{
    setObjectName(QStringLiteral("SoundRecorder"));
    setWindowTitle(QStringLiteral("録音 - ") + QFileInfo(path).fileName());
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    inputAvailable_ = !device.isNull() && pickFormat(device, format_);
    createComponents();
    updateButtons();
}

RecorderWindow::~RecorderWindow()
{
    if (source_)
        stopRecording();
}

void RecorderWindow::createComponents()
{
    resize(360, 120);
    Label1 = new platform::Label(this, QStringLiteral("Label1"));
    Label1->setBounds(12, 10, 336, 20);
    Label1->setCaption(inputAvailable_ ? QStringLiteral("「録音」で始め、「停止」で保存します。")
                                       : QStringLiteral("録音できるマイクが見つかりません。"));
    Label2 = new platform::Label(this, QStringLiteral("Label2"));
    Label2->setBounds(12, 36, 336, 20);
    const struct { platform::SpeedButton** b; const char* name; const char* caption; int left; } buttons[] = {
        {&RecordButton, "RecordButton", "録音", 12}, {&StopButton, "StopButton", "停止", 128}, {&CloseButton, "CloseButton", "閉じる", 244}};
    for (const auto& b : buttons) {
        *b.b = new platform::SpeedButton(this, QString::fromLatin1(b.name));
        (*b.b)->setCaption(QString::fromUtf8(b.caption));
        (*b.b)->setBounds(b.left, 70, 104, 34);
    }
    RecordButton->onClick = [this] { if (!RecordButton->rightPressed()) startRecording(); };
    StopButton->onClick = [this] { if (!StopButton->rightPressed()) stopRecording(); };
    CloseButton->onClick = [this] { if (!CloseButton->rightPressed()) reject(); };
    clock_ = new QTimer(this);
    clock_->setInterval(250);
    connect(clock_, &QTimer::timeout, this, [this] {
        Label2->setCaption(QStringLiteral("録音中… %1 秒").arg(elapsed_.elapsed() / 1000));
    });
}

void RecorderWindow::updateButtons()
{
    RecordButton->setEnabled(inputAvailable_ && !source_);
    StopButton->setEnabled(source_ != nullptr);
}

void RecorderWindow::startRecording()
{
    if (!inputAvailable_ || source_)
        return;
    data_.clear();
    source_ = new QAudioSource(QMediaDevices::defaultAudioInput(), format_, this);
    io_ = source_->start();
    if (!io_) {
        delete source_;
        source_ = nullptr;
        Label1->setCaption(QStringLiteral("マイクから録音を始められません。"));
        updateButtons();
        return;
    }
    connect(io_, &QIODevice::readyRead, this, [this] { data_.append(io_->readAll()); });
    elapsed_.start();
    clock_->start();
    Label2->setCaption(QStringLiteral("録音中… 0 秒"));
    updateButtons();
}

bool RecorderWindow::stopRecording()
{
    if (!source_)
        return true;
    data_.append(io_->readAll());
    source_->stop();
    source_->deleteLater();
    source_ = nullptr;
    io_ = nullptr;
    clock_->stop();
    updateButtons();
    const QByteArray wave = waveHeader(format_.sampleRate(), format_.channelCount(), 16, quint32(data_.size())) + data_;
    if (!files::writeBytes(path_, wave, within_)) {
        qCWarning(lcPagora) << "recording: cannot write" << path_;
        platform::showMessage(QStringLiteral("録音を保存できませんでした。\n") + path_, platform::MsgType::Warning);
        return false;
    }
    Label2->setCaption(QStringLiteral("保存しました（%1 秒）").arg(elapsed_.elapsed() / 1000));
    return true;
}

void RecorderWindow::done(int result)
{
    stopRecording();
    QDialog::done(result);
}

} // namespace recording
