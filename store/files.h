#pragma once
// Files as the program keeps them: texts in UTF-8 with a byte-order mark and
// CR LF line ends, Shift_JIS read where old pages come from Japanese Windows,
// whole-file writes that never leave a half-written file, the sorted file
// lists of a folder, and copy, rename and trash that refuse to lose data.

#include <QByteArray>
#include <QByteArrayView>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <optional>

namespace files {

// One helper joins paths: no doubled "/", and the root "/" stays "/".
QString joinPath(const QString& folder, const QString& name);
// Turns "\" from page-supplied text into "/" (never apply to seitou output).
QString slashes(const QString& s);

// ---- encodings ----
bool isValidUtf8(QByteArrayView bytes);
QString decodeShiftJis(const QByteArray& bytes);
QByteArray encodeShiftJis(const QString& s);
// Decodes by the byte-order mark (UTF-8, UTF-16 LE/BE), else as Shift_JIS:
// the "default decoding" of a text-file load. The mark is stripped.
QString decodeDefault(const QByteArray& bytes);
// Decodes as UTF-8, stripping a UTF-8 mark; invalid bytes become U+FFFD.
QString decodeUtf8(const QByteArray& bytes);
// Valid UTF-8 (mark stripped) when it is, else Shift_JIS.
QString decodeUtf8OrShiftJis(const QByteArray& bytes);

// Splits at CR LF, lone CR or lone LF. A final line end adds no empty line.
QStringList splitLines(const QString& text);
// Every line followed by CR LF, the last too.
QString joinCrLf(const QStringList& lines);

// ---- reading ----
std::optional<QByteArray> readBytes(const QString& path);
std::optional<QString> readUtf8(const QString& path);
std::optional<QString> readDefault(const QString& path);
std::optional<QString> readUtf8OrShiftJis(const QString& path);

// The start of a file, for what stands at the head of a page (its title):
// at most maxBytes of it, and the file's whole size.
struct FileHead {
    QByteArray bytes;
    qint64 size = 0;
    bool isWhole() const { return bytes.size() >= size; }
};
std::optional<FileHead> readHead(const QString& path, qsizetype maxBytes);
// The whole file when it holds at most limit bytes. A larger file is not
// read: it gives its size and no bytes (isWhole() is false).
std::optional<FileHead> readUpTo(const QString& path, qint64 limit);

// A folder held open while many of its files are read (a folder listing
// reads every page for its title): names then resolve without walking the
// whole path again.
class OpenedFolder {
public:
    explicit OpenedFolder(const QString& folder);
    ~OpenedFolder();
    OpenedFolder(const OpenedFolder&) = delete;
    OpenedFolder& operator=(const OpenedFolder&) = delete;
    // name is relative to the folder; like readBytes otherwise.
    std::optional<QByteArray> readBytes(const QString& name) const;
    std::optional<FileHead> readHead(const QString& name, qsizetype maxBytes) const;

    // A folder a listing may also write in: held open with no link followed
    // on the way, and only where it settles inside one of within. Any other
    // folder is held for reading only, as above.
    OpenedFolder(const QString& folder, const QStringList& within);
    bool isWritable() const { return writable_; }
    // Replaces name in the held folder through a temporary file renamed over
    // it, without walking the folder's path again: a link swapped in for the
    // folder since it was opened is not followed. False (old file kept) for a
    // folder held for reading only, a name that is a link, or a failure.
    [[nodiscard]] bool writeBytes(const QString& name, const QByteArray& bytes) const;
    // Renames one file of the held folder to another name in it, never
    // replacing a file, without walking the folder's path again (a folder
    // held for reading only refuses).
    [[nodiscard]] bool renameNoReplace(const QString& fromName, const QString& toName) const;
    // Puts fromName in place of the existing plain file toName in one step;
    // refuses when toName is missing or a link (its target would stay).
    [[nodiscard]] bool replaceFile(const QString& fromName, const QString& toName) const;
private:
    int openFile(const QString& name) const;
    QString folder_;
    int fd_ = -1;
    bool writable_ = false;
};

// ---- writing (a failed write leaves the old file whole) ----
// Every write and copy below goes to a temporary file in the target's folder
// and renames it over the target. within names the folders the write must
// stay in (the data root, the desktop copy folder, the current folder last,
// or the folder of a file the person chose in a dialog): the target must
// lie inside one of them once every link on the way is followed
// (confine::settledInsideAny), and an empty within writes nothing. The
// folder is then opened without following a link on the way (a link swapped
// in after the place was checked is not followed), and a target that is
// itself a link is refused.
// QSaveFile for writers that need one (downloads): opens file for writing
// unless its path is a symbolic link (dangling or not) or lies outside
// within. QSaveFile walks the path again when it commits: prefer the
// helpers below wherever the whole file is at hand.
[[nodiscard]] bool openReplacing(QSaveFile& file, const QStringList& within);
[[nodiscard]] bool writeBytes(const QString& path, const QByteArray& bytes, const QStringList& within);
// Commits a save file that was written piece by piece; false (old file kept)
// when any write or the final flush failed.
[[nodiscard]] bool commitChecked(QSaveFile& file);
// UTF-8 with BOM; text split into lines (splitLines) and written with CR LF.
[[nodiscard]] bool writeTextBom(const QString& path, const QString& text, const QStringList& within);
[[nodiscard]] bool writeLinesBom(const QString& path, const QStringList& lines, const QStringList& within);
// UTF-8 without BOM, CR LF (value and history files).
[[nodiscard]] bool writeTextNoBom(const QString& path, const QString& text, const QStringList& within);
// Appends bytes (answer rows) straight to the file; creates it when missing.
// A row that cannot be written whole is taken back: the file keeps its old
// length. Refuses a link.
[[nodiscard]] bool appendBytes(const QString& path, const QByteArray& bytes, const QStringList& within);
// The folder and its parents, each made inside the one before it without
// following a link; only where the folder lies inside one of within,
// checked before anything is made. A failure is logged, so callers
// that go on without the folder need not check.
bool makeFolder(const QString& path, const QStringList& within);

// Removes for good a file the program itself made moments ago and leaves
// no trace of (a recording too short to keep); every other delete goes to
// the trash. The folder must lie inside one of within and is opened with no
// link followed on the way; a name that is not a file is left alone.
[[nodiscard]] bool removeOwnFile(const QString& path, const QStringList& within);

// ---- folder listings ----
// "*.ht*;*.jp*;" style masks: split at ";", empty pieces ignored,
// case-insensitive; "*.*" matches every name.
bool matchesMask(const QString& name, const QString& mask);
// Order of a sorted Windows list box: case ignored, punctuation before digits
// before letters ("1_y" before "10_x"), Japanese by collation, ties by the
// exact name. Returns <0, 0, >0.
int compareNames(const QString& a, const QString& b);
void sortNames(QStringList& names);
// Plain files (no folders, no hidden dot files) of folder matching mask,
// sorted with compareNames. An unreadable folder gives an empty list.
// Names that are not valid UTF-8 are left out (they could not be opened,
// renamed or deleted by the name shown); the log names the folder once.
QStringList listFiles(const QString& folder, const QString& mask);
// Sub-folders (no dot folders, no links), sorted with compareNames; names
// that are not valid UTF-8 are left out as above.
QStringList listFolders(const QString& folder);
// True once for a folder whose listing left names out: the caller that can
// tell the person does so then.
bool firstNoticeOfUnreadableNames(const QString& folder);

// The exact name in folder when it exists, else a case-insensitive match in
// the same folder; "" when neither exists. Returns the full path.
QString findFile(const QString& folder, const QString& name);
// Same for a full path: its folder part is taken as it stands.
QString findPath(const QString& path);

// ---- copy, rename, trash ----
// Both name one existing file (canonical paths agree, links resolved).
bool sameFile(const QString& a, const QString& b);
// Copies through a temporary file beside the target and renames it over the
// target; keeps the source's modification time; refuses source == target.
// The target must lie inside one of within, as for the writes.
[[nodiscard]] bool copyFileOver(const QString& source, const QString& target, const QStringList& within);
// Refuses when target exists. Both folders must lie inside one of within;
// the rename is made between the folders as they were opened, with no link
// followed on the way (a link that is source itself is renamed as it is).
[[nodiscard]] bool renameNoReplace(const QString& source, const QString& target, const QStringList& within);
// To the desktop trash; false (file kept) when the trash refuses it.
[[nodiscard]] bool moveToTrash(const QString& path);

} // namespace files
