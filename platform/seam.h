#pragma once
// Every message box, question, file dialog, modal window and program start
// passes through here, so that tests answer them in advance and observe them
// instead of a person. Nothing here blocks while a test answer is queued or
// test mode is on.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

class QDialog;
class QPrinter;
class QWidget;

namespace platform {

enum class MsgType { Information, Warning, Error, Confirmation };
// The answer to a question (and what tests queue for one).
enum class Answer { Yes, No, Cancel };

// A notice with one OK button.
void showMessage(const QString& text, MsgType type = MsgType::Information);
// A Yes/No question; only Yes counts (Escape and the close box are No).
bool askYesNo(const QString& text, MsgType type = MsgType::Confirmation);
// Yes / No / Cancel; Escape and the close box are Cancel.
Answer askYesNoCancel(const QString& text, MsgType type = MsgType::Confirmation);
// A line of text; false when cancelled.
bool inputText(const QString& caption, const QString& prompt, QString& value);

// File dialogs; "" when cancelled.
QString openFileName(const QString& title, const QString& folder, const QString& filter);
// confirmOverwrite false: the caller asks its own question before it
// replaces a file (tests see "noOverwritePrompt" in the event's args).
QString saveFileName(const QString& title, const QString& folder, const QString& filter,
                     bool confirmOverwrite = true);
QString folderName(const QString& title, const QString& folder);
// Several existing files at once; empty when cancelled. filter in Qt's
// syntax ("名前 (*.a *.b);;…").
QStringList openFileNames(const QString& title, const QString& folder, const QString& filter);

// Shows a window modally; returns its result (QDialog::Accepted ...).
int execModal(QDialog* dialog);

// Program start through QProcess with an argument list, never a shell.
// wait: keeps the event loop running with `disable` disabled until it ends.
bool startProgram(const QString& program, const QStringList& args,
                  const QString& workingFolder = QString(), bool wait = false,
                  QWidget* disable = nullptr);
// First of the names found on PATH, "" when none.
QString findProgram(const QStringList& names);
// Open with the associated program (QDesktopServices).
bool openUrl(const QUrl& url);
void beep();

// A print preview of a document: paint draws it onto the printer it is
// given (the preview's pages, or the printer chosen from the preview).
// In test mode nothing is shown; the document is painted into a PDF file
// when a test queued one with setNextPrintPdf, else not at all.
void printPreview(const QString& title, const std::function<void(QPrinter*)>& paint);

// ---- for tests ----
struct SeamEvent {
    QString kind;  // "message", "ask", "input", "open", "openMany", "save", "folder", "modal", "start", "openUrl", "beep", "print"
    QString text;  // message text, program, url ...
    QStringList args;
};
// Test mode: nothing is shown; unanswered questions count as No, file
// dialogs as cancelled, programs are recorded and not started.
void setTestMode(bool on);
bool testMode();
void setNextAnswer(Answer answer);       // queued for askYesNo / askYesNoCancel
void setNextFileName(const QString& name); // queued for file/folder dialogs
void setNextFileNames(const QStringList& names); // queued for openFileNames (empty: cancelled)
void setNextInput(const QString& value);   // queued for inputText
void setNextModalResult(int result);       // queued for execModal
void setNextPrintPdf(const QString& pdfPath); // queued for printPreview
// Called instead of starting a program in test mode; returns the exit success.
void setProgramHandler(std::function<bool(const QString&, const QStringList&)> handler);
// Whether openUrl succeeds in test mode (true until set; reset by setTestMode).
void setOpenUrlSucceeds(bool ok);
const QList<SeamEvent>& events();
void clearEvents();

} // namespace platform
