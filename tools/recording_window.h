#pragma once
// The sound recorder: a small window that records from the microphone into
// one ".wav" file as 16-bit PCM, with record, stop and close. Without an
// input device it says so and cannot record.

#include "platform/controls.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QDialog>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

class QAudioSource;
class QIODevice;
class QTimer;

namespace recording {

// The 44-byte header of a PCM wave file holding dataBytes bytes of samples.
QByteArray waveHeader(int sampleRate, int channels, int bitsPerSample, quint32 dataBytes);

class RecorderWindow : public QDialog {
    Q_OBJECT
public:
    // The file is written only inside within (every folder when empty).
    RecorderWindow(const QString& path, const QStringList& within, QWidget* parent = nullptr);
    ~RecorderWindow() override;

    bool inputAvailable() const { return inputAvailable_; }
    bool recording() const { return source_ != nullptr; }

    platform::Label* Label1 = nullptr;            // what to do, or that there is no microphone
    platform::Label* Label2 = nullptr;            // recording time
    platform::SpeedButton* RecordButton = nullptr; // "録音"
    platform::SpeedButton* StopButton = nullptr;   // "停止": ends and saves
    platform::SpeedButton* CloseButton = nullptr;  // "閉じる"

    void startRecording();
    // Ends the recording and writes the file; false when it could not be written.
    bool stopRecording();

    void done(int result) override; // closing saves a running recording

private:
    void createComponents();
    void updateButtons();
    QString path_;
    QStringList within_;
    bool inputAvailable_ = false;
    QAudioFormat format_;
    QAudioSource* source_ = nullptr;
    QIODevice* io_ = nullptr;
    QByteArray data_;
    QTimer* clock_ = nullptr;
    QElapsedTimer elapsed_;
};

} // namespace recording
