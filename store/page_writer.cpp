// Builds a page from the editor's fields: the title, the note content and
// the style block are rebuilt, everything else comes from the section values
// the reader kept.

#include "store/paths.h"
#include "store/page_file.h"

#include "store/files.h"
#include "store/page_tags.h"
#include "store/text.h"

#include <QFileInfo>

namespace store {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString breaksToMarkup(const QString& s)
{
    QString r = s;
    return r.replace(kCrLf, QStringLiteral("<BR>"));
}

QString quoted(const QString& name, const QString& value)
{
    return name + QStringLiteral("=\"") + value + QStringLiteral("\"");
}

// A picture from a web address: there is no local file to be gone.
bool isWebPicture(const QString& imgTag)
{
    const auto src = attributeValue(imgTag, QStringLiteral("src"));
    return src && isWebAddress(*src);
}

// Drops a picture whose file is gone; otherwise writes its display size
// into the IMG tag (or removes the size when the picture was not measured).
// A picture from a web address is written as it was read.
void checkPicture(PageModel& m, const QString& path)
{
    if (m.Gname.isEmpty() && isWebPicture(m.Edit7))
        return;
    const QString folder = !m.PageFolder.isEmpty() ? m.PageFolder
                           : path.isEmpty()        ? QString()
                                                   : QFileInfo(path).absolutePath();
    const bool exists = !m.Gname.isEmpty() && !folder.isEmpty() &&
                        !FindReferencedFile(folder, m.Gname).isEmpty();
    if (!exists) {
        m.ETAGSRC1.clear();
        m.Edit7.clear();
        m.Gname.clear();
    } else if (m.Image1Tag > 0) {
        m.Edit7 = SetTagAttribute(m.Edit7, quoted(QStringLiteral("width"), m.GX));
        m.Edit7 = SetTagAttribute(m.Edit7, quoted(QStringLiteral("height"), m.GY));
    } else {
        m.Edit7 = SetTagAttribute(m.Edit7, QStringLiteral("width=\"\""));
        m.Edit7 = SetTagAttribute(m.Edit7, QStringLiteral("height=\"\""));
    }
}

bool isDailyReport(const QString& path)
{
    return QFileInfo(path).fileName().contains(QString::fromUtf8("日報")) &&
           path.contains(QStringLiteral(".html"));
}

QString buildTitleText(PageModel& m, const QString& path, const QDateTime& now)
{
    QString title;
    if (!path.isEmpty() && isDailyReport(path)) {
        const QDate d = now.date();
        m.Label3 = QStringLiteral(" ") + QString::number(d.year()) + QString::fromUtf8("年") + text::pad(d.month(), 2) +
                   QString::fromUtf8("月") + text::pad(d.day(), 2) + QString::fromUtf8("日") +
                   QFileInfo(path).completeBaseName();
        const int colon = m.Edit1.indexOf(u':');
        title = EscapeTitleText(colon < 0 ? m.Edit1 : m.Edit1.left(colon)) + QStringLiteral(":") +
                QString::number(d.year()) + QStringLiteral("/") + QString::number(d.month()) + QStringLiteral("/") +
                QString::number(d.day());
    } else {
        title = m.TitlePrefix;
        if (!m.Edit1.isEmpty())
            title += EscapeTitleText(text::trimRight(m.Edit1));
        if (!m.Edit5.isEmpty())
            title += QStringLiteral("#") + EscapeTitleText(text::trimRight(m.Edit5));
    }
    if (!m.Edit6.isEmpty())
        title += QStringLiteral("?") + EscapeTitleText(m.Edit6);
    return title;
}

QString headingElement(const QString& startTag, const QString& text, const QString& endTag)
{
    return text.isEmpty() ? QString() : startTag + breaksToMarkup(text) + endTag;
}

QString imageParagraph(PageModel& m)
{
    if (!m.Edit7.isEmpty()) {
        // The link wraps the written tag only: Edit7 keeps the bare IMG tag
        // so that a second build neither wraps twice nor sizes the link.
        const QString content = m.Edit2.isEmpty() ? m.Edit7
                                                  : QStringLiteral("<A href=\"") + m.Edit2 + QStringLiteral("\">") +
                                                        m.Edit7 + QStringLiteral("</A>");
        const QString start = m.ETAGSRC1.isEmpty() ? QStringLiteral("<P>") : m.ETAGSRC1;
        return start + breaksToMarkup(content) + QStringLiteral("</P>");
    }
    if (!m.Edit2.isEmpty()) {
        if (m.Edit3.isEmpty())
            m.Edit3 = m.Edit2;
        m.Edit7 = QStringLiteral("<A href=\"") + m.Edit2 + QStringLiteral("\">") + m.Edit3 + QStringLiteral("</A>");
        return QStringLiteral("<P>") + breaksToMarkup(m.Edit7) + QStringLiteral("</P>");
    }
    return QStringLiteral("<P></P>");
}

QString cell(const QString& start, const QString& align, const QString& attributes, const QString& text)
{
    return start + align + attributes + breaksToMarkup(text) + QStringLiteral("</TD>") + kCrLf;
}

QString gridRows(const PageModel& m, const QString& align)
{
    const auto f = m.tableFields();
    const QString td = QStringLiteral("<TD ");
    const QString wide6 = QStringLiteral("<TD colspan=\"6\" ");
    const QString wide8 = QStringLiteral("<TD colspan=\"8\" ");
    QString rows;
    int k = 1;
    for (int row = 1; row <= 13; ++row) {
        const QString colour = row == 1 ? QStringLiteral("#cbfefc") : QStringLiteral("#fafed3");
        const QString narrow = QStringLiteral(" Width=\"100\" bgcolor=\"") + colour + QStringLiteral("\">");
        const QString plain = QStringLiteral(" bgcolor=\"") + colour + QStringLiteral("\">");
        rows += QStringLiteral("<TR>") + kCrLf;
        if (row <= 8) {
            for (int col = 1; col <= 8; ++col)
                rows += cell(td, align, col <= 2 ? narrow : plain, *f[k++]);
        } else if (row <= 12) {
            rows += cell(td, align, narrow, *f[k++]);
            rows += cell(td, align, narrow, *f[k++]);
            rows += cell(wide6, align, plain, *f[k++]);
        } else {
            rows += cell(wide8, align, plain, *f[k++]);
        }
        rows += QStringLiteral("</TR>") + kCrLf;
    }
    return rows;
}

QString table(const PageModel& m)
{
    const auto f = m.tableFields();
    bool anyGrid = false;
    for (int i = 1; i < kTableFieldCount; ++i)
        anyGrid = anyGrid || !f[i]->isEmpty();
    if (!anyGrid && m.Memo1.isEmpty())
        return QString();
    const bool centred = m.ETAGHYO1.contains(QStringLiteral("center"));
    const QString attribute = centred || m.ETAGHYO1.contains(QStringLiteral("right"))
                                  ? m.ETAGHYO1
                                  : QStringLiteral(" width=\"") + QString::number(m.PageWidth - kTableWidthMargin) +
                                        QStringLiteral("\"");
    const QString align = centred ? m.ETAGHYO1 : QString();
    QString t = QStringLiteral("<TABLE border=\"1\" ") + attribute + QStringLiteral("><TBODY>") + kCrLf;
    t += QStringLiteral("<TR>") + kCrLf + QStringLiteral("<TD colspan=\"8\" ") + align + QStringLiteral(">") +
         breaksToMarkup(m.Memo1) + QStringLiteral("</TD></TR>") + kCrLf;
    if (anyGrid)
        t += gridRows(m, align);
    return t + QStringLiteral("</TBODY></TABLE>") + kCrLf;
}

} // namespace

void BuildPageHtml(PageModel& m, const QString& path, const QDateTime& now)
{
    checkPicture(m, path);
    m.PageTitleSection = QStringLiteral("<TITLE>") + buildTitleText(m, path, now) + QStringLiteral("</TITLE>");
    m.PageH1Section = headingElement(m.ETAGH1, m.Memo4, QStringLiteral("</H1>"));
    m.PageH2Section = headingElement(m.ETAGH2, m.Memo5, QStringLiteral("</H2>"));
    const QString image = imageParagraph(m);
    if (m.ETAGP1.isEmpty())
        m.ETAGP1 = QStringLiteral("<P>");
    m.PageBodySection = table(m) + image + m.ETAGP1 + breaksToMarkup(m.Memo2) + QStringLiteral("</P>");

    const QString page = m.PageHeadStart + m.PageSizeMetaSection + m.PageHeadRest + m.PageTitleSection +
                         MakeStyleBlock(m.GroupBox1Tag) + m.PageBodyTagSection + m.PageBodyLead +
                         m.PageHeaderSection + kNoteIn + m.PageH1Section + m.PageNoteLead + m.PageH2Section +
                         m.PageBodySection + kNoteOut + m.PageFooterSection + m.PageTail;
    if (m.CheckBox1)
        m.Memo82 = MakeQuizPage(page);
    else if (m.CheckBox2)
        m.Memo82 = AddAnswerButton(page);
    else
        m.Memo82 = page;
}

bool SavePage(PageModel& m, const QString& path, const QStringList& within)
{
    BuildPageHtml(m, path);
    return files::writeTextBom(path, m.Memo82, within);
}

} // namespace store
