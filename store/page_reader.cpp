// Takes a page source apart into the editor's fields. The source is cut
// piece by piece: each cut takes the text before a searched string, removes
// a piece and joins what stood before and after it.

#include "store/paths.h"
#include "store/page_file.h"
#include "store/picture_limit.h"

#include "store/files.h"
#include "store/text.h"

#include <QFileInfo>
#include <QImageReader>

namespace store {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Raw CR LF pairs dropped, then every "<BR>" turned into CR LF.
QString breaksFromMarkup(const QString& s)
{
    QString r = s;
    r.remove(kCrLf);
    return r.replace(QStringLiteral("<BR>"), kCrLf);
}

// Cuts the block from `start` through the first `end` after it out of s.
// Without an end marker the block is the start marker alone. Returns the
// block.
QString cutBlock(QString& s, const QString& start, const QString& end)
{
    const int b = s.indexOf(start);
    if (b < 0)
        return QString();
    const int e = s.indexOf(end, b + start.size());
    const int stop = e < 0 ? b + start.size() : e + end.size();
    const QString block = s.mid(b, stop - b);
    s.remove(b, stop - b);
    return block;
}

// Drops the first style block, which the writer replaces. A start marker
// without an end stays in the page, and of several start markers before the
// first end only the nearest opens the block: the text before it stays.
void cutStyleBlock(QString& s)
{
    const int first = s.indexOf(kStyleInPrefix);
    const int e = first < 0 ? -1 : s.indexOf(kStyleOut, first + kStyleInPrefix.size());
    if (e < 0)
        return;
    const int b = s.lastIndexOf(kStyleInPrefix, e - kStyleInPrefix.size());
    s.remove(b, e + kStyleOut.size() - b);
}

// One element such as "<H1 ...>text</H1>" found by its start.
struct Element {
    bool found = false;
    QString startTag;
    QString content;
};

// Takes the first element beginning with `open` out of s; s becomes the
// text before it followed by the text after its end tag. *before receives
// the text before it.
Element takeElement(QString& s, const QString& open, const QString& close, QString* before = nullptr)
{
    Element el;
    const int b = s.indexOf(open);
    if (b < 0)
        return el;
    el.found = true;
    const QString lead = s.left(b);
    if (before)
        *before = lead;
    const int gt = s.indexOf(u'>', b);
    if (gt < 0) {
        el.startTag = s.mid(b);
        s = lead;
        return el;
    }
    el.startTag = s.mid(b, gt + 1 - b);
    const int e = s.indexOf(close, gt + 1);
    if (e < 0) {
        el.content = s.mid(gt + 1);
        s = lead;
        return el;
    }
    el.content = s.mid(gt + 1, e - gt - 1);
    const int endGt = s.indexOf(u'>', e);
    s = lead + (endGt < 0 ? QString() : s.mid(endGt + 1));
    return el;
}

// Index just past the start tag `name` ("<HEAD", "<HTML") in s, found in
// any letter case and only as a whole tag name; -1 when absent.
int afterStartTag(const QString& s, const QString& upper, const QString& name)
{
    for (int i = upper.indexOf(name); i >= 0; i = upper.indexOf(name, i + 1)) {
        const int n = i + name.size();
        if (n < s.size() && (s[n] == u'>' || s[n].isSpace())) {
            const int gt = s.indexOf(u'>', n);
            return gt < 0 ? -1 : gt + 1;
        }
    }
    return -1;
}

// Where the head opens: after the HEAD start tag, else after the HTML start
// tag, else after a leading "<!...>" declaration, else at the start.
int headAnchor(const QString& s)
{
    const QString upper = text::upper(s);
    for (const QString& name : {QStringLiteral("<HEAD"), QStringLiteral("<HTML")}) {
        const int after = afterStartTag(s, upper, name);
        if (after >= 0)
            return after;
    }
    const int lead = s.size() - text::trimLeft(s).size();
    if (s.mid(lead, 2) == QStringLiteral("<!")) {
        const int gt = s.indexOf(u'>', lead);
        if (gt >= 0)
            return gt + 1;
    }
    return 0;
}

// Steps for the blocks; returns the note text.
QString cutBlocks(PageModel& m, QString& s)
{
    m.PageHeaderSection = cutBlock(s, kHeaderIn, kHeaderOut);
    m.PageFooterSection = cutBlock(s, kFooterIn, kFooterOut);
    cutStyleBlock(s);
    const int b = s.indexOf(QStringLiteral("<!--NOTE_IN"));
    if (b < 0)
        return QString();
    const int from = b + kNoteIn.size();
    int e = s.indexOf(kNoteOut, from);
    int stop = e < 0 ? -1 : e + kNoteOut.size();
    if (e < 0) {  // no end marker: the note runs up to the body's end
        e = s.indexOf(QStringLiteral("</BODY>"), from);
        if (e < 0)
            e = s.size();
        stop = e;
    }
    const QString note = s.mid(from, e - from);
    s.remove(b, stop - b);
    return note;
}

// Splits off the head and the title text; s continues after the title.
QString cutHeadAndTitle(PageModel& m, QString& s)
{
    QString head;
    m.PageTitleSection.clear();
    const int t = text::upper(s).indexOf(QStringLiteral("<TITLE"));
    const int gt = t < 0 ? -1 : s.indexOf(u'>', t);
    if (gt >= 0) {
        head = s.left(t);
        const QString rest = s.mid(gt + 1);
        const int e = rest.indexOf(QStringLiteral("</"));
        if (e >= 0) {
            m.PageTitleSection = rest.left(e);
            s = rest.mid(e + 8);
        } else {
            s = rest;
        }
    } else {
        const int a = headAnchor(s);
        head = s.left(a);
        s = s.mid(a);
    }
    return head;
}

void readAuthorMeta(PageModel& m, const QString& head)
{
    const int c = head.indexOf(QStringLiteral("CONTENT=\"Pagora_TEXT"));
    if (c >= 0) {
        m.PageHeadStart = head.left(c);
        const int gt = head.indexOf(u'>', c);
        m.PageHeadRest = gt < 0 ? QString() : head.mid(gt);
        return;
    }
    const int a = headAnchor(head);
    m.PageHeadStart = head.left(a) + QStringLiteral("<META NAME=\"author\" ");
    m.PageHeadRest = QStringLiteral(">") + head.mid(a);
}

void readPageSize(PageModel& m)
{
    const bool a4 = m.Memo82.contains(QStringLiteral("CONTENT=\"Pagora_TEXT_A4"));
    m.PageWidth = a4 ? kPageWidthA4 : kPageWidthB4;
    m.PageSizeMetaSection = a4 ? kSizeMetaA4 : kSizeMetaB4;
    m.Memo1Width = m.PageWidth;
    m.SearchCacheKey = QStringLiteral("xxx");
}

bool isOnlyBlank(const QString& s)
{
    for (QChar c : s)
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n')
            return false;
    return true;
}

// s starts right after the BODY start tag. The body lead is the text before
// a leading comment-and-paragraph block, which is dropped. Any other body
// text outside the three blocks is carried over with the lead, unless it is
// only line breaks and blanks.
void readBodyLeadAndTail(PageModel& m, const QString& s)
{
    const int end = s.indexOf(QStringLiteral("</BODY>"));
    m.PageTail = end < 0 ? s : s.mid(end);
    const QString body = end < 0 ? QString() : s.left(end);
    m.PageBodyLead.clear();
    QString rest = body;
    const int c = body.indexOf(QStringLiteral("<!--"));
    const int ce = c < 0 ? -1 : body.indexOf(QStringLiteral("-->"), c + 4);
    if (ce >= 0) {
        const int g1 = body.indexOf(u'>', ce + 3);
        const int g2 = g1 < 0 ? -1 : body.indexOf(u'>', g1 + 1);
        if (g1 > 0 && body[g1 - 1] == u'P' && g2 >= 2 && body.mid(g2 - 2, 3) == QStringLiteral("/P>")) {
            m.PageBodyLead = body.left(c);
            rest = body.mid(g2 + 1);
        }
    }
    if (!isOnlyBlank(rest))
        m.PageBodyLead += rest;
}

int pageStyleOf(const QString& source)
{
    for (int style = 1; style <= 4; ++style)
        if (source.contains(styleStartMarker(style)))
            return style;
    return 0;
}

// Takes the next table cell ("<TD ...>" up to "</TD") from t; t continues
// after the "<" of the end tag.
bool takeCell(QString& t, QString* cell)
{
    const int d = t.indexOf(QStringLiteral("<TD"));
    if (d < 0)
        return false;
    const int gt = t.indexOf(u'>', d);
    const int e = gt < 0 ? -1 : t.indexOf(QStringLiteral("</TD"), gt + 1);
    if (e < 0) {
        *cell = gt < 0 ? QString() : t.mid(gt + 1);
        t.clear();
        return true;
    }
    *cell = t.mid(gt + 1, e - gt - 1);
    t = t.mid(e + 1);
    return true;
}

void readTable(PageModel& m, QString& n)
{
    m.ETAGHYO1.clear();
    m.ETAGHYO1Tag = 0;
    const int t = n.indexOf(QStringLiteral("<TABLE"));
    if (t < 0)
        return;
    const int tagEnd = n.indexOf(u'>', t);
    const QString startTag = tagEnd < 0 ? n.mid(t + 6) : n.mid(t + 6, tagEnd - t - 6);
    const int a = startTag.indexOf(QStringLiteral("align"));
    const int q1 = a < 0 ? -1 : startTag.indexOf(u'"', a);
    const int q2 = q1 < 0 ? -1 : startTag.indexOf(u'"', q1 + 1);
    if (q2 >= 0)
        m.ETAGHYO1 = QStringLiteral("align=\"") + startTag.mid(q1 + 1, q2 - q1 - 1) + QStringLiteral("\"");

    const QString before = n.left(t);
    const int et = n.indexOf(QStringLiteral("</TABLE"), t);
    QString table = et < 0 ? n.mid(t) : n.mid(t, et - t);
    const int afterGt = et < 0 ? -1 : n.indexOf(u'>', et);
    const QString after = afterGt < 0 ? QString() : n.mid(afterGt + 1);
    table.replace(QStringLiteral("<BR>"), kCrLf);

    auto fields = m.tableFields();
    takeCell(table, fields[0]);
    for (int i = 1; i < kTableFieldCount; ++i) {
        if (!takeCell(table, fields[i]))
            break;
        m.ETAGHYO1Tag = 1;
    }
    n = before + table + after;
}

// The display size from the IMG tag's width or height, or the picture's.
QString sizeFrom(const QString& content, const QString& name, int pictureSize)
{
    const auto value = attributeValue(content, name);
    if (value) {
        const auto digits = text::leadingInt(*value);
        if (digits)
            return QString::number(*digits);
    }
    return QString::number(pictureSize);
}

void readPicture(PageModel& m, const QString& content)
{
    const auto src = attributeValue(content, QStringLiteral("src"));
    if (src && !src->isEmpty() && !m.PageFolder.isEmpty()) {
        const QString file = FindReferencedFile(m.PageFolder, *src);
        if (!file.isEmpty()) {
            m.Gname = *src;
            QImageReader reader(file);
            reader.setAutoTransform(false);
            const QSize size = reader.size();
            // A picture over the decode limit is no picture to the editor:
            // nothing is shown and no size is taken from its header.
            if (size.isValid() && withinPictureLimit(size)) {
                m.Image1File = file;
                m.Image1Width = size.width();
                m.Image1Height = size.height();
                m.Image1Tag = 1;
            }
        }
    }
    m.GX = sizeFrom(content, QStringLiteral("width"), m.Image1Width);
    m.GY = sizeFrom(content, QStringLiteral("height"), m.Image1Height);
    m.PanelImage1Width = m.GX.toInt();
    m.PanelImage1Height = m.GY.toInt();
    m.GXTag = 1;
}

// Image or link paragraph: the first paragraph of the note, kept only when
// it holds a src or href. A paragraph with text and no paragraph after it
// is the text paragraph instead: dropping it would lose the page's text.
void readImageParagraph(PageModel& m, QString& n, QString& startTag, QString& content)
{
    const QString whole = n;
    const Element p = takeElement(n, QStringLiteral("<P"), QStringLiteral("</P"));
    if (!p.found)
        return;
    const QString body = breaksFromMarkup(p.content);
    const QString lower = text::lower(body);
    if (!lower.contains(QStringLiteral("src=")) && !lower.contains(QStringLiteral("href="))) {
        startTag = QStringLiteral("<P>");
        content.clear();
        if (!p.content.isEmpty() && !n.contains(QStringLiteral("<P")))
            n = whole;
        return;
    }
    startTag = p.startTag;
    content = body;
    readPicture(m, content);
}

void readTitleFields(PageModel& m)
{
    m.TitlePrefix.clear();
    QString t = m.PageTitleSection;
    const int q = t.indexOf(u'"');
    if (q >= 0) {
        t = t.mid(q + 1);
        const int q2 = t.indexOf(u'"');
        m.TitlePrefix = QStringLiteral("\"") + t.left(q2 + 1);
        t = t.mid(q2 + 1);
    }
    QString hint, second;
    const int h = t.indexOf(u'?');
    if (h >= 0) {
        hint = t.mid(h + 1);
        t = t.left(h);
    }
    const int s = t.indexOf(u'#');
    if (s >= 0) {
        second = t.mid(s + 1);
        t = t.left(s);
    }
    m.Edit1 = UnescapeTitleText(t);
    m.Edit5 = UnescapeTitleText(second);
    m.Edit6 = UnescapeTitleText(hint);
}

// A link around the paragraph content goes into Edit2 (target) and Edit3.
void readLink(PageModel& m, QString& content)
{
    m.Edit2.clear();
    const QString open = QStringLiteral("<A href=\"");
    const int a = content.indexOf(open);
    if (a < 0) {
        m.Edit3.clear();
        return;
    }
    QString rest = content.mid(a + open.size());
    const int q = rest.indexOf(QStringLiteral("\">"));
    m.Edit2 = q < 0 ? rest : rest.left(q);
    rest = q < 0 ? QString() : rest.mid(q + 2);
    const int e = rest.indexOf(QStringLiteral("</A>"));
    content = e < 0 ? rest : rest.left(e);
    m.Edit3 = content;
}

void readNote(PageModel& m, QString n)
{
    const Element h1 = takeElement(n, QStringLiteral("<H1"), QStringLiteral("</H1"));
    m.ETAGH1 = h1.found ? h1.startTag : QStringLiteral("<H1>");
    m.PageH1Section = h1.found ? breaksFromMarkup(h1.content) : QString();
    QString lead;
    const Element h2 = takeElement(n, QStringLiteral("<H2"), QStringLiteral("</H2"), &lead);
    m.ETAGH2 = h2.found ? h2.startTag : QStringLiteral("<H2>");
    m.PageH2Section = h2.found ? breaksFromMarkup(h2.content) : QString();
    m.PageNoteLead = h2.found ? lead : QString();
    // The lead is written back as it stands, so the table and the paragraphs
    // are looked for only after it: a paragraph of the lead taken for the
    // picture paragraph would push the text paragraph out and lose it, and a
    // table or paragraph read from it would be written twice.
    if (h2.found)
        n = n.mid(lead.size());

    QString imageTag, imageContent;
    if (n.isEmpty())
        imageTag = QStringLiteral("<P>");
    for (QString* field : m.tableFields())
        field->clear();
    readTable(m, n);
    readImageParagraph(m, n, imageTag, imageContent);

    const Element p = takeElement(n, QStringLiteral("<P"), QStringLiteral("</P"));
    m.ETAGP1 = p.found ? p.startTag : QStringLiteral("<P>");
    m.Memo2 = p.found ? breaksFromMarkup(p.content) : QString();

    m.Memo4 = m.PageH1Section;
    m.Memo5 = m.PageH2Section;
    m.ETAGSRC1 = imageTag;
    readLink(m, imageContent);
    m.Edit7 = imageContent;
}

} // namespace

void LoadPageIntoEditor(PageModel& m, const QString& path)
{
    m.Label5 = path;
    if (!path.isEmpty())
        m.PageFolder = QFileInfo(path).absolutePath();
    m.Gname.clear();
    m.Image1Tag = 0;
    m.Image1File.clear();
    // A page without a picture shows no size: nothing of the page read before.
    m.GX.clear();
    m.GY.clear();
    m.GXTag = 0;
    m.Image1Width = m.Image1Height = 0;
    m.PanelImage1Width = m.PanelImage1Height = 0;

    const QuizRestore kind = RestoreQuizNotation(m.Memo82);
    m.CheckBox1 = kind.CheckBox1;
    m.CheckBox2 = kind.CheckBox2;
    m.Panel19Raised = kind.Panel19Raised;
    QString s = kind.text;

    const QString note = cutBlocks(m, s);
    const QString head = cutHeadAndTitle(m, s);
    readAuthorMeta(m, head);
    readPageSize(m);

    const int b = s.indexOf(QStringLiteral("<BODY"));
    m.PageBodyTagSection.clear();
    if (b >= 0) {
        const int gt = s.indexOf(u'>', b);
        const int stop = gt < 0 ? s.size() : gt + 1;
        m.PageBodyTagSection = s.left(stop);
        s = s.mid(stop);
    }
    readBodyLeadAndTail(m, s);

    m.GroupBox1Tag = pageStyleOf(m.Memo82);
    readNote(m, note);
    readTitleFields(m);
}

} // namespace store
