#pragma once
// The full-text search on a page's raw bytes, without making its text: a
// word is looked for in the bytes where that gives the answer a search of
// the page's upper-cased text (comments cut out) would give. Where it does
// not, the caller makes the text (searchText) and searches that.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace tools {

// A search word as it can be looked for in bytes.
struct ByteWord {
    enum Kind {
        Exact,         // no letter case maps onto it: its UTF-8 bytes as they are
        CaselessAscii, // ASCII only: its bytes with ASCII letters in either case
        TextOnly,      // only in the page's text
    };
    Kind kind = TextOnly;
    QByteArray bytes; // UTF-8 (Exact) or lower-cased ASCII (CaselessAscii)
};
ByteWord byteWordFor(const QString& word);

// Answers for one page from its bytes.
enum class ByteAnswer { No, Yes, NeedsText };
ByteAnswer searchBytes(const QByteArray& bytes, const ByteWord& word);

// The text a page is searched in: its bytes decoded, upper-cased, comments cut out.
QString searchText(const QByteArray& bytes);
// A page's bytes for the search; nullopt when unreadable or larger than any
// page (a video or an archive named .htm): such a file is never read whole.
std::optional<QByteArray> readSearchedPage(const QString& path);
// True when the page's bytes are decoded as UTF-8 (then they can be searched
// as they are); pages in another encoding are searched in their text only.
bool decodedAsUtf8(const QByteArray& bytes);

// True when haystack holds needle (lower-cased ASCII) with ASCII letters in either case.
bool containsCaselessAscii(QByteArrayView haystack, QByteArrayView needle);
// Where needle first occurs in haystack, -1 when nowhere: bytes as they are,
// or (needle lower-cased ASCII) with ASCII letters in either case.
qsizetype findBytes(QByteArrayView haystack, QByteArrayView needle);
qsizetype findCaselessAscii(QByteArrayView haystack, QByteArrayView needle);

} // namespace tools
