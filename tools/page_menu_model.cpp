#include "tools/page_menu_model.h"

#include "store/text.h"

#include <QRegularExpression>
#include <QUrl>

namespace tools {

namespace {

// The file-name part of an entry: after its last "\" or "/" (":" is an
// ordinary character in names here).
QString fileNamePart(const QString& entry)
{
    return entry.mid(qMax(entry.lastIndexOf(QLatin1Char('\\')), entry.lastIndexOf(QLatin1Char('/'))) + 1);
}

QString extensionOf(const QString& name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

bool isWebEntry(const QString& entry)
{
    const QString lower = text::lower(entry);
    return lower.contains(QLatin1String("http:")) || lower.contains(QLatin1String("https:"));
}

PageMenuItem item(const QString& caption, int picture, PageMenuAction action)
{
    return PageMenuItem{caption, picture, action, 0};
}

PageMenuItem separator()
{
    return PageMenuItem{QStringLiteral("-"), -1, PageMenuAction::None, 0};
}

void addPageItems(QList<PageMenuItem>& items, const QString& name)
{
    const QString ext = text::lower(extensionOf(name));
    const bool html = ext == QLatin1String(".html");
    const QString app = applicationName(ext);
    const QString base = name.left(name.size() - extensionOf(name).size());
    const bool orderable = !text::lower(base).contains(QLatin1String("index"));

    items << item(html ? QStringLiteral("ページの編集") : app + QStringLiteral(" でページの編集"), 0, PageMenuAction::Edit)
          << item(QStringLiteral("ページのコピー"), 13, PageMenuAction::Copy);
    if (html)
        items << item(QStringLiteral("ページに投稿"), 8, PageMenuAction::Post);
    items << separator();
    if (orderable)
        items << item(QStringLiteral("ボタン順変更"), 7, PageMenuAction::ChangeOrder)
              << item(QStringLiteral("ファイル名をPage(数)に変更"), 1, PageMenuAction::RenameNumbered);
    items << item(QStringLiteral("ページ削除"), 3, PageMenuAction::Delete)
          << item(QStringLiteral("LINK切れ削除"), 2, PageMenuAction::DeleteUnlinked) << separator();
    if (html)
        items << item(QStringLiteral("LOOK自動リンク"), 9, PageMenuAction::AddLookLinks)
              << item(QStringLiteral("LOOKの削除"), 12, PageMenuAction::RemoveLookLinks) << separator()
              << item(QStringLiteral("名前欄をつけて(　)印刷"), 4, PageMenuAction::PrintWorksheet)
              << item(QStringLiteral("名前欄をつけて(赤解)印刷"), 5, PageMenuAction::PrintAnswerSheet);
    items << item(QStringLiteral("サムネイルRESUMEを印刷"), 6, PageMenuAction::MergeChecked)
          << item(html ? QStringLiteral("ページの印刷") : app + QStringLiteral(" でページを印刷"), 11, PageMenuAction::Print);
}

} // namespace

QString applicationName(const QString& lowerExtension)
{
    QString name = QStringLiteral("登録アプリ");
    if (lowerExtension.contains(QLatin1String(".j")))
        name = QStringLiteral("一太郎");
    if (lowerExtension.contains(QLatin1String(".do")))
        name = QStringLiteral("ワード");
    if (lowerExtension.contains(QLatin1String(".xl")) || lowerExtension.contains(QLatin1String(".mht")))
        name = QStringLiteral("エクセル");
    return name;
}

QList<PageMenuItem> pageMenuItems(const QString& entry, const QStringList& shortcuts, bool hasHelp)
{
    QList<PageMenuItem> items;
    const QString name = fileNamePart(entry);
    if (!isWebEntry(entry) && !name.startsWith(QLatin1Char('_')))
        addPageItems(items, name);
    if (!shortcuts.isEmpty()) {
        items << separator();
        for (int i = 0; i < shortcuts.size(); ++i)
            items << PageMenuItem{shortcuts.at(i), -1, PageMenuAction::Shortcut, i};
    }
    if (hasHelp)
        items << item(QStringLiteral("ヘルプ"), -1, PageMenuAction::Help);
    return items;
}

QStringList shortcutFiles(const QStringList& names)
{
    QStringList found;
    for (const QString& n : names)
        if (text::lower(extensionOf(n)) == QLatin1String(".desktop"))
            found << n;
    return found;
}

namespace {

// The value of "Exec" in the [Desktop Entry] group, its string escapes undone.
QString execValue(const QString& desktopFileText)
{
    bool inEntry = false;
    const QStringList lines = desktopFileText.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntry || !line.startsWith(QLatin1String("Exec")))
            continue;
        const QString rest = line.mid(4).trimmed();
        if (!rest.startsWith(QLatin1Char('=')))
            continue;
        QString value;
        const QString v = rest.mid(1).trimmed();
        for (int i = 0; i < v.size(); ++i) {
            if (v.at(i) == QLatin1Char('\\') && i + 1 < v.size()) {
                const QChar n = v.at(++i);
                value += n == QLatin1Char('s') ? QStringLiteral(" ")
                       : n == QLatin1Char('n') ? QStringLiteral("\n")
                       : n == QLatin1Char('t') ? QStringLiteral("\t")
                       : n == QLatin1Char('r') ? QStringLiteral("\r")
                                                : QStringLiteral("\\") + n; // "\\", "\"" ...: left to the quoting
            } else {
                value += v.at(i);
            }
        }
        return value;
    }
    return QString();
}

// Splits at blanks outside double quotes; inside them "\" escapes the next
// character. Nothing when a quote is left open.
bool splitExec(const QString& exec, QStringList& words, QList<bool>& quoted)
{
    QString word;
    bool inQuotes = false, any = false, wasQuoted = false;
    for (int i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (inQuotes) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size())
                word += exec.at(++i);
            else if (c == QLatin1Char('"'))
                inQuotes = false;
            else
                word += c;
        } else if (c == QLatin1Char('"')) {
            inQuotes = any = wasQuoted = true;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (any) {
                words << word;
                quoted << wasQuoted;
            }
            word.clear();
            any = wasQuoted = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (inQuotes)
        return false;
    if (any) {
        words << word;
        quoted << wasQuoted;
    }
    return true;
}

} // namespace

QStringList shortcutCommand(const QString& desktopFileText, const QString& pagePath)
{
    QStringList words;
    QList<bool> quoted;
    if (!splitExec(execValue(desktopFileText), words, quoted) || words.isEmpty())
        return {};
    const QString url = QUrl::fromLocalFile(pagePath).toString();
    QStringList command;
    bool placed = false;
    for (int w = 0; w < words.size(); ++w) {
        const QString& word = words.at(w);
        if (quoted.at(w)) { // field codes are not expanded inside quotes
            command << word;
            continue;
        }
        if (word == QLatin1String("%f") || word == QLatin1String("%F") || word == QLatin1String("%u")
            || word == QLatin1String("%U")) {
            command << (word.at(1).toLower() == QLatin1Char('u') ? url : pagePath);
            placed = true;
            continue;
        }
        QString out;
        for (int i = 0; i < word.size(); ++i) {
            if (word.at(i) != QLatin1Char('%') || i + 1 >= word.size()) {
                out += word.at(i);
                continue;
            }
            const QChar code = word.at(++i);
            if (code == QLatin1Char('%'))
                out += QLatin1Char('%');
            else if (code == QLatin1Char('f') || code == QLatin1Char('F')) {
                out += pagePath;
                placed = true;
            } else if (code == QLatin1Char('u') || code == QLatin1Char('U')) {
                out += url;
                placed = true;
            } // other field codes stand for nothing here
        }
        if (!out.isEmpty() || w == 0)
            command << out;
    }
    if (command.isEmpty() || command.first().isEmpty())
        return {};
    if (!placed)
        command << pagePath;
    return command;
}

} // namespace tools
