// The one place where the program meets the person and the desktop: message
// boxes, questions, file dialogs, modal windows and program starts. In test
// mode (or while an answer is queued) nothing is shown and nothing blocks.
#include "platform/seam.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QWidget>

namespace platform {

namespace {

struct SeamState {
    bool testMode = false;
    QList<Answer> answers;
    QStringList fileNames;
    QList<QStringList> fileNameLists;
    QStringList inputs;
    QList<int> modalResults;
    QStringList printPdfs;
    std::function<bool(const QString&, const QStringList&)> programHandler;
    bool openUrlSucceeds = true;
    QList<SeamEvent> events;
};

SeamState& state()
{
    static SeamState s;
    return s;
}

// Events are kept only in test mode, so a long session collects nothing.
void record(const QString& kind, const QString& text, const QStringList& args = {})
{
    if (state().testMode)
        state().events.append(SeamEvent{kind, text, args});
}

template <typename T>
bool takeQueued(QList<T>& queue, T& value)
{
    if (queue.isEmpty())
        return false;
    value = queue.takeFirst();
    return true;
}

QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

QMessageBox::Icon iconFor(MsgType type)
{
    switch (type) {
    case MsgType::Information: return QMessageBox::Information;
    case MsgType::Warning: return QMessageBox::Warning;
    case MsgType::Error: return QMessageBox::Critical;
    case MsgType::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Asks with Japanese buttons; Escape and the close box give the escape
// button, so only a real press of "はい" counts as yes.
Answer askWithButtons(const QString& text, MsgType type, bool withCancel)
{
    QMessageBox box(iconFor(type), QCoreApplication::applicationName(), text,
                    QMessageBox::NoButton, dialogParent());
    QPushButton* yes = box.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole);
    QPushButton* cancel = nullptr;
    if (withCancel)
        cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(withCancel ? cancel : no);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (withCancel && box.clickedButton() != no)
        return Answer::Cancel;
    return Answer::No;
}

// Runs the program and keeps the event loop going until it ends. The widget
// stays disabled meanwhile and while the queue is drained afterwards, so
// clicks made during the wait fall on a disabled window and are dropped.
bool runAndWait(const QString& program, const QStringList& args,
                const QString& workingFolder, QWidget* disable)
{
    QProcess process;
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    QPointer<QWidget> guarded(disable);
    const bool wasEnabled = guarded && guarded->isEnabled();
    if (guarded)
        guarded->setEnabled(false);
    process.start(program, args);
    bool ok = process.waitForStarted();
    if (ok) {
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop, &process] {
            if (process.state() == QProcess::NotRunning)
                loop.quit();
        });
        if (process.state() != QProcess::NotRunning)
            loop.exec();
        ok = process.exitStatus() == QProcess::NormalExit;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    if (guarded && wasEnabled)
        guarded->setEnabled(true);
    return ok;
}

} // namespace

void showMessage(const QString& text, MsgType type)
{
    record(QStringLiteral("message"), text);
    if (state().testMode)
        return;
    QMessageBox box(iconFor(type), QCoreApplication::applicationName(), text,
                    QMessageBox::Ok, dialogParent());
    box.exec();
}

bool askYesNo(const QString& text, MsgType type)
{
    record(QStringLiteral("ask"), text);
    Answer answer = Answer::No;
    if (takeQueued(state().answers, answer))
        return answer == Answer::Yes;
    if (state().testMode)
        return false;
    return askWithButtons(text, type, false) == Answer::Yes;
}

Answer askYesNoCancel(const QString& text, MsgType type)
{
    record(QStringLiteral("ask"), text);
    Answer answer = Answer::No;
    if (takeQueued(state().answers, answer))
        return answer;
    if (state().testMode)
        return Answer::No;
    return askWithButtons(text, type, true);
}

bool inputText(const QString& caption, const QString& prompt, QString& value)
{
    record(QStringLiteral("input"), prompt, {caption, value});
    QString queued;
    if (takeQueued(state().inputs, queued)) {
        value = queued;
        return true;
    }
    if (state().testMode)
        return false;
    bool ok = false;
    const QString entered = QInputDialog::getText(dialogParent(), caption, prompt,
                                                  QLineEdit::Normal, value, &ok);
    if (ok)
        value = entered;
    return ok;
}

static QString fileDialogAnswer(const QString& kind, const QString& title, const QString& folder,
                                const std::function<QString()>& show, const QStringList& options = {})
{
    record(kind, title, QStringList{folder} + options);
    QString queued;
    if (takeQueued(state().fileNames, queued))
        return queued;
    if (state().testMode)
        return QString();
    return show();
}

QString openFileName(const QString& title, const QString& folder, const QString& filter)
{
    return fileDialogAnswer(QStringLiteral("open"), title, folder, [&] {
        return QFileDialog::getOpenFileName(dialogParent(), title, folder, filter);
    });
}

QString saveFileName(const QString& title, const QString& folder, const QString& filter, bool confirmOverwrite)
{
    const QFileDialog::Options options =
        confirmOverwrite ? QFileDialog::Options() : QFileDialog::Options(QFileDialog::DontConfirmOverwrite);
    return fileDialogAnswer(
        QStringLiteral("save"), title, folder,
        [&] { return QFileDialog::getSaveFileName(dialogParent(), title, folder, filter, nullptr, options); },
        confirmOverwrite ? QStringList() : QStringList{QStringLiteral("noOverwritePrompt")});
}

QString folderName(const QString& title, const QString& folder)
{
    return fileDialogAnswer(QStringLiteral("folder"), title, folder, [&] {
        return QFileDialog::getExistingDirectory(dialogParent(), title, folder);
    });
}

QStringList openFileNames(const QString& title, const QString& folder, const QString& filter)
{
    record(QStringLiteral("openMany"), title, {folder});
    QStringList queued;
    if (takeQueued(state().fileNameLists, queued))
        return queued;
    if (state().testMode)
        return QStringList();
    return QFileDialog::getOpenFileNames(dialogParent(), title, folder, filter);
}

int execModal(QDialog* dialog)
{
    const QString name = dialog ? (dialog->objectName().isEmpty() ? dialog->windowTitle()
                                                                  : dialog->objectName())
                                : QString();
    record(QStringLiteral("modal"), name);
    int result = QDialog::Rejected;
    if (takeQueued(state().modalResults, result))
        return result;
    if (state().testMode || !dialog)
        return QDialog::Rejected;
    return dialog->exec();
}

bool startProgram(const QString& program, const QStringList& args,
                  const QString& workingFolder, bool wait, QWidget* disable)
{
    record(QStringLiteral("start"), program, args);
    if (state().testMode)
        return state().programHandler ? state().programHandler(program, args) : true;
    if (program.isEmpty())
        return false;
    if (wait)
        return runAndWait(program, args, workingFolder, disable);
    return QProcess::startDetached(program, args, workingFolder);
}

QString findProgram(const QStringList& names)
{
    for (const QString& name : names) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

bool openUrl(const QUrl& url)
{
    record(QStringLiteral("openUrl"), url.toString());
    if (state().testMode)
        return state().openUrlSucceeds;
    return QDesktopServices::openUrl(url);
}

void beep()
{
    record(QStringLiteral("beep"), QString());
    if (!state().testMode)
        QApplication::beep();
}

// The browser engine hands its pages over as pictures at the printer's
// resolution: at a printer's full resolution (1200 dpi) one A4 page is over
// half a gigabyte. 300 dpi prints text and pictures sharply at a sixteenth.
static void preparePrinter(QPrinter& printer)
{
    constexpr int PrintDpi = 300;
    printer.setResolution(PrintDpi);
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

void printPreview(const QString& title, const std::function<void(QPrinter*)>& paint)
{
    record(QStringLiteral("print"), title);
    QString pdf;
    if (takeQueued(state().printPdfs, pdf)) {
        QPrinter printer;
        preparePrinter(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setDocName(title);
        if (paint)
            paint(&printer);
        return;
    }
    if (state().testMode)
        return;
    QPrinter printer;
    preparePrinter(printer);
    printer.setDocName(title);
    QPrintPreviewDialog dialog(&printer, dialogParent());
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter* p) {
        if (paint)
            paint(p);
    });
    dialog.exec();
}

void setTestMode(bool on)
{
    SeamState& s = state();
    s.testMode = on;
    s.answers.clear();
    s.fileNames.clear();
    s.fileNameLists.clear();
    s.inputs.clear();
    s.modalResults.clear();
    s.printPdfs.clear();
    s.programHandler = nullptr;
    s.openUrlSucceeds = true;
    s.events.clear();
}

bool testMode() { return state().testMode; }
void setNextAnswer(Answer answer) { state().answers.append(answer); }
void setNextFileName(const QString& name) { state().fileNames.append(name); }
void setNextFileNames(const QStringList& names) { state().fileNameLists.append(names); }
void setNextInput(const QString& value) { state().inputs.append(value); }
void setNextModalResult(int result) { state().modalResults.append(result); }
void setNextPrintPdf(const QString& pdfPath) { state().printPdfs.append(pdfPath); }

void setProgramHandler(std::function<bool(const QString&, const QStringList&)> handler)
{
    state().programHandler = std::move(handler);
}

const QList<SeamEvent>& events() { return state().events; }
void clearEvents() { state().events.clear(); }
void setOpenUrlSucceeds(bool ok) { state().openUrlSucceeds = ok; }

} // namespace platform
