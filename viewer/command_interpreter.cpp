// KRNcommand: one page command, a command word and its arguments. Moves
// through the page list and its levels, opens folders, and (for local pages
// and the program only) records sound, opens the paint program, downloads
// and copies files, writes value and history files and runs programs; any
// other word is found in the lower pane.

#include "viewer/main_window.h"

#include "platform/controls.h"
#include "platform/picture.h"
#include "platform/seam.h"
#include "platform/shell.h"
#include "store/files.h"
#include "store/log.h"
#include "store/paths.h"
#include "store/text.h"
#include "viewer/command_text.h"
#include "viewer/command_trust.h"
#include "viewer/command_values.h"
#include "viewer/later_windows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QUrl>

namespace {

using Source = TForm1::CommandSource;

// One command being run: the line, its words and where it came from.
struct Command {
    QString received; // M: the text as received
    QString line;     // L: M with "DESKTOP" replaced (page commands only)
    QStringList tokens;
    QString word;     // W
    QString arg;      // the text after the first blank
    Source source = Source::Program;

    QString token(int i) const { return i < tokens.size() ? tokens[i] : QString(); }
};

void show(TForm1& w)
{
    w.PageClick(0, true);
}

void reopenCurrentFolder(TForm1& w)
{
    w.OpenFolder(w.CurrentFolder(), w.PBan(), false);
    w.ReMake();
    show(w);
}

// True when path may be written; otherwise says so briefly.
bool targetAllowed(TForm1& w, const QString& path)
{
    if (commands::isAllowedTarget(path, commands::writeRoots(w)))
        return true;
    w.ShowFlashMessage(commands::refusedTargetMessage(path), 3000);
    return false;
}

// The write itself checks its place again, on the same resolution it then
// writes through, so a link swapped in after targetAllowed leads nowhere.
QStringList within(const TForm1& w)
{
    return commands::writeRoots(w).folders;
}

// The folder a target of a command needs, made only inside the roots.
bool makeParentFolder(TForm1& w, const QString& path)
{
    if (files::makeFolder(QFileInfo(path).absolutePath(), within(w)))
        return true;
    w.ShowFlashMessage(commands::writeFailedMessage(path), 3000);
    return false;
}

// The "no extension" test on a token: the name part holds no ".".
bool hasExtension(const QString& name)
{
    const QString s = files::slashes(name);
    return s.mid(s.lastIndexOf(QLatin1Char('/')) + 1).contains(QLatin1Char('.'));
}

// ---- navigation ----

void next(TForm1& w)
{
    if (w.PBan() < w.PBanSu() - 1)
        w.PBanSave(w.PBan() + 1);
    else
        w.GoUpLevel();
    show(w);
}

void back(TForm1& w)
{
    // An empty level stays at page 0 instead of going to -1.
    w.PBanSave(w.PBan() > 0 ? w.PBan() - 1 : qMax(0, w.PBanSu() - 1));
    show(w);
}

void go(TForm1& w, const Command& c)
{
    const int i = commands::findGoEntry(w.levels.topEntries(), c.arg);
    if (i >= 0)
        w.PBanSave(i);
    show(w);
}

void gosub(TForm1& w, const Command& c)
{
    const int i = commands::findGoEntry(w.levels.topEntries(), c.arg);
    if (i >= 0) {
        w.levels.pushLevel(w.levels.topEntries(), w.levels.topTitles(), i);
        w.ReMake();
    }
    show(w);
}

void returnFromLevel(TForm1& w)
{
    w.PopLevel();
    w.ReMake();
    show(w);
}

QString currentEntry(const TForm1& w)
{
    const QStringList entries = w.levels.topEntries();
    const int i = w.PBan();
    return i >= 0 && i < entries.size() ? entries[i] : QString();
}

void look(TForm1& w, const Command& c)
{
    auto& hook = laterwindows::hooks().look;
    if (!hook)
        return;
    laterwindows::LookResult found;
    const QString entryPath = files::joinPath(w.CurrentFolder(), files::slashes(currentEntry(w)));
    if (!hook(text::upper(entryPath), c.arg, found))
        return;
    QCoreApplication::processEvents();
    while (found.titles.size() < found.entries.size())
        found.titles << QString();
    found.titles = found.titles.mid(0, found.entries.size());
    w.levels.pushLevel(found.entries, found.titles, 0);
    w.ReMake();
    // The entry that was previewed, by its place in the list: a name stem
    // could match another page first (two index.html in sub-folders).
    if (found.previewedIndex >= 0 && found.previewedIndex < found.entries.size()) {
        w.PBanSave(found.previewedIndex);
        show(w);
        return;
    }
    const QString shown = QUrl(found.lastCaption).isLocalFile() ? QUrl(found.lastCaption).toLocalFile()
                                                                : found.lastCaption;
    w.runCommand(QStringLiteral("GO ") + QFileInfo(files::slashes(shown)).completeBaseName(), Source::Program);
}

void answer(TForm1& w)
{
    const QString entry = currentEntry(w);
    if (store::isWebAddress(entry) || entry.contains(QStringLiteral("http:"), Qt::CaseInsensitive))
        return;
    // The answers are written beside the page: its folder must be one the
    // commands may write in.
    const QString page = files::joinPath(w.CurrentFolder(), files::slashes(entry));
    if (!targetAllowed(w, QFileInfo(page).path()))
        return;
    if (auto& hook = laterwindows::hooks().answer)
        hook(page);
}

void dir(TForm1& w, const Command& c)
{
    const QString folder = commands::dirFolder(c.arg, w.RootFolder, w.CurrentFolder());
    if (c.source == Source::WebPage && !commands::isInsideFolder(folder, w.RootFolder)) {
        w.ShowFlashMessage(commands::refusedFromWebMessage(c.word), 3000);
        return;
    }
    w.PBanSave(w.PBan() + w.DirPageOffset);
    w.OpenFolder(folder, 0, true);
    w.ReMake();
    show(w);
}

// ---- files and programs ----

void recordSound(TForm1& w, const Command& c)
{
    QString name = files::slashes(c.arg);
    if (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    QString path = files::joinPath(w.CurrentFolder(), name);
    if (!hasExtension(c.token(1)))
        path += QStringLiteral(".wav");
    if (!targetAllowed(w, path))
        return;
    if (auto& hook = laterwindows::hooks().recordSound)
        hook(path);
}

void paint(TForm1& w, const Command& c)
{
    QString path = files::joinPath(w.CurrentFolder(), files::slashes(c.arg));
    if (!hasExtension(c.token(1)))
        path += QStringLiteral(".bmp");
    if (!targetAllowed(w, path))
        return;
    if (!QFileInfo::exists(path)) {
        QImage white(640, 480, QImage::Format_RGB888);
        white.fill(Qt::white);
        if (!files::writeBytes(path, platform::encodeBmp(white), within(w))) {
            w.ShowFlashMessage(commands::writeFailedMessage(path), 3000);
            return;
        }
    }
    const QString program = platform::paintProgram();
    if (!program.isEmpty())
        platform::startProgram(program, {path}, w.CurrentFolder());
}

void exploreFolder(TForm1& w, const Command& c)
{
    platform::exploreFolder(files::joinPath(w.CurrentFolder(), files::slashes(c.arg)));
}

void save(TForm1& w, const Command& c)
{
    const QString url = QStringLiteral("http://") + files::slashes(c.token(1));
    const QString target = commands::resolveName(c.token(2), w.CurrentFolder());
    if (!targetAllowed(w, target) || !makeParentFolder(w, target))
        return;
    // The download lands in a private folder first; only the confined copy
    // writes under the roots, so a link swapped in meanwhile leads nowhere.
    QTemporaryDir staging;
    const QString downloaded = files::joinPath(staging.path(), QStringLiteral("download"));
    if (!staging.isValid() || !w.DownloadUrlToFile(url, downloaded))
        return;
    if (!files::copyFileOver(downloaded, target, within(w)))
        w.ShowFlashMessage(commands::writeFailedMessage(target), 3000);
}

void copy(TForm1& w, const Command& c)
{
    const QString source = commands::resolveName(c.token(1), w.CurrentFolder());
    const QString target = commands::resolveName(c.token(2), w.CurrentFolder());
    if (!targetAllowed(w, target) || !makeParentFolder(w, target))
        return;
    if (!files::copyFileOver(source, target, within(w)))
        w.ShowFlashMessage(QStringLiteral("コピーできませんでした：") + QFileInfo(source).fileName(), 3000);
}

void js(TForm1& w, const Command& c)
{
    const QString path = files::joinPath(w.CurrentFolder(), files::slashes(c.token(1)));
    if (targetAllowed(w, path))
        w.SetTextFileValue(path, c.token(2));
}

void hisjs(TForm1& w, const Command& c)
{
    const QString path = files::joinPath(w.CurrentFolder(), w.HistoryName + QStringLiteral(".txt"));
    if (targetAllowed(w, path))
        w.SetTextFileValue(path, c.token(1));
}

void runProgram(TForm1& w, const Command& c)
{
    auto resolve = [&w](const QString& name) {
        return commands::resolveProgramName(name, w.RootFolder, w.CurrentFolder());
    };
    const QString program = resolve(c.word);
    QStringList args;
    if (c.tokens.size() >= 2) {
        // One argument made of the resolved words, as the program always got it.
        QStringList words;
        for (int i = 1; i < c.tokens.size(); ++i)
            words << resolve(c.tokens[i]);
        args << words.join(QLatin1Char(' '));
    }
    w.ShowFlashMessage(program + QChar(0x3000), 1700);
    const bool wait = program.contains(QStringLiteral(".EXE"));
    platform::startProgram(program, args, w.CurrentFolder(), wait, &w);
    QCoreApplication::processEvents();
    reopenCurrentFolder(w);
}

void his(TForm1& w, const Command& c)
{
    QString name = store::seitou(c.arg);
    if (name.isEmpty())
        name = QStringLiteral("NAME");
    w.HistoryName = QStringLiteral("history/") + name;
    const QString history = files::joinPath(w.CurrentFolder(), QStringLiteral("history"));
    if (!targetAllowed(w, history) || !files::makeFolder(history, within(w)))
        return;
    commands::rewriteHistoryPages(w, [&w](const QString& path) { return targetAllowed(w, path); });
}

void dispatch(TForm1& w, const Command& c)
{
    const QString& W = c.word;
    if (W == QLatin1String("NEXT")) next(w);
    else if (W == QLatin1String("BACK")) back(w);
    else if (W == QLatin1String("TOP")) { w.PBanSave(0); show(w); }
    else if (W == QLatin1String("HOME")) { w.GoHome(); show(w); }
    else if (W == QLatin1String("GO")) go(w, c);
    else if (W == QLatin1String("GOSUB")) gosub(w, c);
    else if (W == QLatin1String("RETURN")) returnFromLevel(w);
    else if (W == QLatin1String("LOOK")) look(w, c);
    else if (W == QLatin1String("ANSWER")) answer(w);
    else if (W == QLatin1String("DIR")) dir(w, c);
    else if (W == QLatin1String("WAV")) recordSound(w, c);
    else if (W == QLatin1String("PAINT")) paint(w, c);
    else if (W == QLatin1String("dir")) exploreFolder(w, c);
    else if ((W == QLatin1String("SAVE") || W == QLatin1String("COPY") || W == QLatin1String("JS"))
             && c.tokens.size() < 3) reopenCurrentFolder(w);
    else if (W == QLatin1String("SAVE")) save(w, c);
    else if (W == QLatin1String("COPY")) copy(w, c);
    else if (W == QLatin1String("JS")) js(w, c);
    else if (W == QLatin1String("HISJS")) hisjs(w, c);
    else if (W == QLatin1String("HIS")) his(w, c);
    else if (W.contains(QLatin1Char('.'))) runProgram(w, c);
    else w.FindInLowerBrowser(c.received, true);
}

} // namespace

void TForm1::KRNcommand(const QString& command)
{
    runCommand(command, CommandSource::Program);
}

void TForm1::runCommand(const QString& command, CommandSource source)
{
    if (PBan() < 0)
        return;
    Command c;
    c.received = command;
    c.source = source;
    // Only commands from page links name the desktop this way; names the
    // program builds from files may hold the letters themselves.
    c.line = source == CommandSource::Program
        ? command
        : text::replaceAll(command, QStringLiteral("DESKTOP"), store::DesktopFolder());
    c.tokens = commands::tokenize(c.line);
    CommandList = c.tokens;
    c.word = c.token(0);
    c.arg = commands::commandArg(c.line);
    if (source == CommandSource::WebPage && !commands::allowedFromWeb(c.word)) {
        ShowFlashMessage(commands::refusedFromWebMessage(c.word), 3000);
        return;
    }
    try {
        dispatch(*this, c);
    } catch (...) {
        // A command never takes the window down with it; the person who
        // clicked learns that it did nothing.
        qCWarning(lcPagora) << "page command" << c.line << "failed:" << store::log::currentException();
        platform::showMessage(QStringLiteral("コマンドを実行できませんでした。\n") + c.word, platform::MsgType::Error);
    }
}
