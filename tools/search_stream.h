#pragma once
// The full-text search on a page file's bytes read in bounded pieces: what
// searchBytes answers for the whole file, without holding the file. Each
// piece is checked for UTF-8 (when the file has no byte order mark) and for
// the word, carrying over the bytes a word or a character can span; a file
// holding the word is read again from its start for its comments. A match
// outside comments in a file with a mark ends the read.

#include "tools/search_bytes.h"

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace tools {

// The answer for the file at path: Yes or No where the bytes give it (as
// searchBytes would, or the page's text would where that says NeedsText), else
// NeedsText. nullopt when the file cannot be read or is larger than any page.
// pieceBytes is the size of one read (small in tests, to cross many joins).
std::optional<ByteAnswer> searchPageFile(const QString& path, const ByteWord& word, qsizetype pieceBytes = 256 * 1024);

// Whether the file at path holds needle, read in pieces; nullopt when it
// cannot be read or is larger than any page.
std::optional<bool> fileHolds(const QString& path, QByteArrayView needle, qsizetype pieceBytes = 256 * 1024);

// True when bytes, which begin where a character begins, hold valid UTF-8
// as far as they go; a character cut at the end is left to the caller:
// utf8CompleteLength tells how many bytes end on a whole character.
bool validUtf8Run(QByteArrayView bytes);
qsizetype utf8CompleteLength(QByteArrayView bytes);

} // namespace tools
