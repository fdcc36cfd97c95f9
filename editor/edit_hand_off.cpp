#include "editor/edit_hand_off.h"

#include "editor/dated_page.h"
#include "editor/edit_cases.h"
#include "platform/seam.h"
#include "store/clock.h"
#include "store/files.h"
#include "store/log.h"
#include "store/page_encoding.h"
#include "viewer/command_values.h"
#include "viewer/main_window.h"

#include <QFileInfo>
#include <exception>

namespace editor {

namespace {

bool editing = false;

// What a file holds for the hand-off. Pages are small; anything larger is a
// video or an archive, which is never a page and must not be read whole just
// to be told apart. A file whose encoding the program cannot write back is
// still told apart by the markers in its bytes, but is never edited.
struct EditSource {
    QString text;
    bool rewritable = true;
};

std::optional<EditSource> readForEditing(const QString& file)
{
    const QFileInfo info(file);
    if (info.isFile() && info.size() > store::kLargestPage)
        return EditSource{};
    const std::optional<QByteArray> bytes = store::readPageBytes(file);
    if (!bytes)
        return std::nullopt;
    store::PageText page = store::decodePage(*bytes);
    if (!page.canRewrite())
        return EditSource{QString::fromLatin1(*bytes), false};
    return EditSource{std::move(page.text)};
}

// A failed backup is told before the edit starts; the user may go on.
bool backupAllowsEdit(const QString& file, const QStringList& within)
{
    if (makeEditBackup(file, within) != BackupResult::Failed)
        return true;
    qCWarning(lcPagora) << "edit backup failed for" << file;
    return platform::askYesNo(QStringLiteral("編集前の控え（") + QFileInfo(editBackupPath(file)).fileName() +
                                  QStringLiteral("）を作れませんでした。\nこのまま編集しますか？"),
                              platform::MsgType::Warning);
}

void runEdit(TForm1& w, const QString& file, QString text, bool newPage)
{
    if (!backupAllowsEdit(file, commands::writeRoots(w).folders)) {
        finishEdit(w);
        return;
    }
    if (text.isEmpty()) {
        const auto read = readForEditing(file);
        if (!read) {
            finishEdit(w, QStringLiteral("ファイルを読めませんでした：") + QFileInfo(file).fileName());
            return;
        }
        text = read->text;
        if (!read->rewritable && editKindFor(file, text) == EditKind::Editor) {
            finishEdit(w, store::undecidablePageMessage(file));
            return;
        }
    }
    const EditKind kind = editKindFor(file, text);
    if (kind == EditKind::Picture)
        editPicture(w, file);
    else if (kind == EditKind::Editor)
        editInEditor(w, file, text, newPage);
    else
        editInOtherProgram(w, file, kind);
}

void startEdit(TForm1& w, const QString& given, const QString& text, bool newPage)
{
    if (editing || w.PBan() < 0 || isWebAddress(given))
        return;
    const QString file = given.isEmpty() ? w.levels.entryPath(w.PBan()) : given;
    if (file.isEmpty() || isWebAddress(file))
        return;
    editing = true;
    w.pausePatrol();
    w.ShowPlaceholderPage(QStringLiteral("--- 編集中 ---"));
    try {
        runEdit(w, file, text, newPage);
    } catch (const std::exception& e) {
        qCWarning(lcPagora) << "edit of" << file << "failed:" << e.what();
        finishEdit(w, QStringLiteral("編集を続けられませんでした。"));
    } catch (...) {
        qCWarning(lcPagora) << "edit of" << file << "failed";
        finishEdit(w, QStringLiteral("編集を続けられませんでした。"));
    }
}

} // namespace

HandOffParts& handOffParts()
{
    static HandOffParts parts;
    return parts;
}

bool editInProgress()
{
    return editing;
}

void endEdit(TForm1& w)
{
    editing = false;
    w.setEnabled(true);
}

void finishEdit(TForm1& w, const QString& message)
{
    endEdit(w);
    if (!message.isEmpty())
        platform::showMessage(message, platform::MsgType::Warning);
    w.resumePatrol();
    showSelectedPageAgain(w);
}

void EditPageFile(TForm1& w, const QString& file, const QString& text)
{
    startEdit(w, file, text, false);
}

void EditCurrentPage(TForm1& w)
{
    // Editing leaves drawing: the page is shown without the drawing over it.
    w.SpeedButton8->setVisible(false);
    w.SpeedButton19->setVisible(true);
    if (w.PBan() < 0)
        return;
    EditPageFile(w, w.levels.entryPath(w.PBan()), QString());
}

void CreateDatedPage(TForm1& w)
{
    if (editing || w.PBan() < 0)
        return;
    const QDateTime now = store::clock::now();
    const QString name = datedPageName(w.CurrentFolder(), now, w.levels.topEntries());
    if (name.isEmpty()) {
        platform::showMessage(QStringLiteral("新しいページの名前を決められませんでした。"), platform::MsgType::Warning);
        return;
    }
    startEdit(w, name, datedPageTemplate(datedPageTitle(now.date())), true);
}

void N8Click(TForm1& w)
{
    CreateDatedPage(w);
}

void N2Click(TForm1& w)
{
    CreateDatedPage(w);
}

} // namespace editor
