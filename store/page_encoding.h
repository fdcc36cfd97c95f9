#pragma once
// How a page's bytes become text. Every reader of pages decides here, so
// that a page is read the same way by the listing, the editor, the page
// commands and the tools, and nothing that writes a page back writes a
// guess into it.
//
// The order: a byte-order mark, then valid UTF-8, then Shift_JIS for a page
// that declares it (or declares nothing) and decodes without a single error.
// A declared charset other than UTF-8 wins over bytes that merely happen to
// be valid UTF-8, as it does in the browser: such a page is shown in its
// declared charset and never rewritten, a Shift_JIS one included, since
// nobody can tell whether it was meant as UTF-8. Bytes with NULs and no mark
// (UTF-16 without one) are never rewritten either. A page that declares nothing and reads as plain Japanese
// in EUC-JP, where Shift_JIS fails or gives half-width katakana, is EUC-JP.
// A page that declares another charset is read in that charset where Qt
// knows it (a label Qt does not know counts as none). EUC-JP and other
// charsets are only for showing (titles); writers refuse them, as they
// refuse a page whose bytes decode no way at all.

#include <QByteArray>
#include <QString>
#include <optional>

namespace store {

// Larger files are videos or archives, never pages: neither the editor nor
// the listing reads them.
constexpr qint64 kLargestPage = 16 * 1024 * 1024;

enum class PageEncoding {
    Utf8,        // with or without a byte-order mark
    ShiftJis,    // declared or undeclared, decoded without loss
    Other,       // another declared charset or a UTF-16 mark, decoded
                 // without loss: shown, never rewritten
    Undecidable, // decodes no way without loss: left as it is
};

struct PageText {
    PageEncoding encoding = PageEncoding::Undecidable;
    // Byte-order mark stripped. Empty when undecidable, except after a UTF-8
    // mark, which the browser follows whatever comes after it.
    QString text;
    QByteArray charset;  // the declared charset as written; empty without one
    qsizetype charsetAt = -1; // byte offset of that name in the page
    bool hasBom = false;

    // The editor, page commands and tools may write the text back.
    bool canRewrite() const
    {
        return encoding == PageEncoding::Utf8 || encoding == PageEncoding::ShiftJis;
    }
    bool readable() const { return encoding != PageEncoding::Undecidable; }
    bool declaresShiftJis() const;
};

// The charset a META tag or an XML declaration names (the first one before
// the body; comments are skipped). Words in the page's text are no
// declaration.
struct CharsetDeclaration {
    QByteArray name;
    qsizetype at = -1;
};
CharsetDeclaration declaredCharset(const QByteArray& bytes);
// shift_jis and its aliases, in any letter case.
bool isShiftJisName(const QByteArray& name);

// Decides a page's encoding from its bytes. head: the bytes are the start
// of a longer page, so a character cut at their end is no error (it is
// left out of the text).
PageText decodePage(const QByteArray& bytes, bool head = false);

// Every read of a page for the program's own use (its title, its text,
// its links, an edit or a command) goes through here: the whole page, or
// nullopt when it cannot be read or is larger than kLargestPage. A larger
// file is never read, so a huge file named like a page costs nothing.
std::optional<QByteArray> readPageBytes(const QString& path);
// The file exists and is too large to be a page.
bool isOverPageLimit(const QString& path);

// Reads and decides a page; nullopt when it cannot be read.
std::optional<PageText> readPage(const QString& path);

// A page's text for readers that only look at it (its links, its title, a
// copy made from it): decoded as decided. A page that decodes no way gives
// its bytes read as UTF-8, so that its markup and links are still found; such
// a text is never written back. nullopt when the page cannot be read.
std::optional<QString> readPageText(const QString& path);
// The same for bytes already read.
QString pageTextOf(const QByteArray& bytes);

// A page a writer may write back (as UTF-8 with a byte-order mark). nullopt
// when it cannot be read, or when its encoding is not one the program
// writes or it is over kLargestPage: refusal then holds the message naming
// the page (else it is "").
std::optional<PageText> readPageToRewrite(const QString& path, QString& refusal);

// The message a writer shows when it refuses a page it cannot read safely.
QString undecidablePageMessage(const QString& path);
QString oversizedPageMessage(const QString& path);

} // namespace store
