#include "tools/search_stream.h"

#include "store/files.h"
#include "store/page_encoding.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace tools {

namespace {

// Opened non-blocking and regular files only, as every page read: a pipe
// named like a page never hangs the search.
class PageFile {
public:
    explicit PageFile(const QString& path)
        : fd_(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK))
    {
        struct stat st {};
        if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > store::kLargestPage)) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~PageFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;
    bool isOpen() const { return fd_ >= 0; }
    // Fills into[0..count) from offset as far as the file goes; -1 on a fault.
    qsizetype read(char* into, qsizetype count, qint64 offset) const
    {
        qsizetype used = 0;
        while (used < count) {
            const ssize_t got = ::pread(fd_, into + used, size_t(count - used), off_t(offset + used));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return -1;
            if (got == 0)
                break;
            used += got;
        }
        return used;
    }

private:
    int fd_;
};

// A window on the file: the bytes [base, base + held) in a buffer, the
// last `overlap` of them kept in front of the next piece.
struct Window {
    std::vector<char>& buffer;
    qint64 base = 0;
    qsizetype held = 0;
    bool atEnd = false;

    qint64 end() const { return base + qint64(held); }
    QByteArrayView view(qint64 from, qint64 to) const
    {
        return QByteArrayView(buffer.data() + (from - base), qsizetype(to - from));
    }
    // The next piece after the bytes kept; false on a read fault.
    bool advance(const PageFile& file, qsizetype piece, qsizetype overlap)
    {
        const qsizetype keep = std::min(held, overlap);
        std::memmove(buffer.data(), buffer.data() + held - keep, size_t(keep));
        base += held - keep;
        held = keep;
        const qsizetype got = file.read(buffer.data() + held, piece, base + held);
        if (got < 0)
            return false;
        held += got;
        atEnd = got < piece;
        return true;
    }
};

// Two buffers a thread: the read through the file and the look at its comments.
std::vector<char>& threadBuffer(int slot, qsizetype size)
{
    thread_local std::vector<char> buffers[2];
    std::vector<char>& buffer = buffers[slot];
    if (qsizetype(buffer.size()) < size)
        buffer.resize(size_t(size));
    return buffer;
}

// The word and the comment marks through the file, window by window, as
// the search of the bytes with comments cut out would find them: a match
// counts when no cut stretch ("<!-" through the "-" of the next "->") takes
// any of its bytes. The word holds no ">", so no match spans a cut.
class CommentAwareFinder {
public:
    CommentAwareFinder(QByteArrayView word, bool caseless) : word_(word), caseless_(caseless) {}

    // True when the bytes so far hold a counted match.
    bool scan(const Window& w)
    {
        const qint64 end = w.end();
        const qsizetype n = word_.size();
        for (;;) {
            if (!open_) {
                const qint64 s = find(w, "<!-", std::max(p_, w.base), end);
                // Without a mark here, one may yet begin in the last two
                // bytes: a match must end before them.
                const qint64 limit = s >= 0 ? s : w.atEnd ? end : end - 2;
                const qint64 f = std::max(from_, w.base);
                if (limit - f >= n && findWord(w.view(f, limit)) >= 0)
                    return true;
                if (s < 0) {
                    p_ = std::max(p_, end - 2);
                    from_ = std::max(from_, limit - (n - 1));
                    return false;
                }
                open_ = true;
                closeFrom_ = s + 3;
            } else {
                const qint64 e = find(w, "->", std::max(closeFrom_, w.base), end);
                if (e < 0) {
                    closeFrom_ = std::max(closeFrom_, end - 1);
                    return false;
                }
                open_ = false;
                keptFrom_ = p_ = from_ = e + 1; // the ">" stays
            }
        }
    }
    // A comment left open at the end is kept: everything from keptFrom() on counts.
    bool openAtEnd() const { return open_; }
    qint64 keptFrom() const { return keptFrom_; }
    qsizetype findWord(QByteArrayView hay) const
    {
        return caseless_ ? findCaselessAscii(hay, word_) : findBytes(hay, word_);
    }

private:
    static qint64 find(const Window& w, QByteArrayView mark, qint64 from, qint64 to)
    {
        if (to - from < mark.size())
            return -1;
        const qsizetype at = findBytes(w.view(from, to), mark);
        return at < 0 ? -1 : from + at;
    }

    QByteArrayView word_;
    bool caseless_;
    bool open_ = false;
    qint64 p_ = 0;         // where the next "<!-" is looked for
    qint64 from_ = 0;      // where the next match may start
    qint64 closeFrom_ = 0; // where the open comment's "->" is looked for
    qint64 keptFrom_ = 0;  // where the bytes kept since the last cut begin
};

// Any match of the word from `from` to the end, comments or not.
std::optional<bool> anyMatchFrom(const PageFile& file, const CommentAwareFinder& finder, qsizetype wordSize,
                                 qint64 from, qsizetype piece)
{
    const qsizetype overlap = std::max<qsizetype>(wordSize - 1, 1);
    Window w{threadBuffer(1, piece + overlap)};
    w.base = from;
    do {
        if (!w.advance(file, piece, overlap))
            return std::nullopt;
        if (finder.findWord(w.view(w.base, w.end())) >= 0)
            return true;
    } while (!w.atEnd);
    return false;
}

bool holdsLettersUpperCasedToAscii(QByteArrayView bytes)
{
    return findBytes(bytes, "\xC4\xB1") >= 0 || findBytes(bytes, "\xC5\xBF") >= 0;
}

// Whether the file holds a match outside comments, read from its start.
std::optional<bool> countedMatch(const PageFile& file, const ByteWord& word, qsizetype piece)
{
    const qsizetype n = word.bytes.size();
    CommentAwareFinder finder(word.bytes, word.kind == ByteWord::CaselessAscii);
    // Enough for a word with a comment mark's first two bytes after it.
    const qsizetype overlap = std::max<qsizetype>(n + 1, 3);
    Window w{threadBuffer(1, piece + overlap)};
    do {
        if (!w.advance(file, piece, overlap))
            return std::nullopt;
        if (finder.scan(w))
            return true;
    } while (!w.atEnd);
    if (!finder.openAtEnd())
        return false;
    return anyMatchFrom(file, finder, n, finder.keptFrom(), piece);
}

} // namespace

qsizetype utf8CompleteLength(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    for (qsizetype k = 1; k <= std::min<qsizetype>(3, n); ++k) {
        const uchar c = uchar(bytes[n - k]);
        if (c < 0x80)
            return n;
        if (c >= 0xC0) {
            const qsizetype length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
            return k < length ? n - k : n;
        }
    }
    return n;
}


#if defined(__x86_64__)
// Sixteen bytes at a time, after Keiser and Lemire ("Validating UTF-8 in
// less than one instruction per byte"): each byte's high nibble, and the
// byte before it by both nibbles, look up the faults that pair can make;
// a fault shows where all three agree. The bytes two and three back say
// where a continuation must stand.
namespace {

constexpr char kTooShort = 1 << 0;
constexpr char kTooLong = 1 << 1;
constexpr char kOverlong3 = 1 << 2;
constexpr char kTooLarge = 1 << 3;
constexpr char kSurrogate = 1 << 4;
constexpr char kOverlong2 = 1 << 5;
constexpr char kTooLarge1000 = 1 << 6;
constexpr char kOverlong4 = 1 << 6;
constexpr char kTwoConts = char(1 << 7);
constexpr char kCarry = kTooShort | kTooLong | kTwoConts;

constexpr char kLarge = kCarry | kTooLarge | kTooLarge1000;
constexpr char kCont = kTooLong | kOverlong2 | kTwoConts;
// Faults by the high nibble of the byte before, its low nibble, and the byte's high nibble.
alignas(16) constexpr char kByte1High[16] = {
    kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong, kTooLong,
    kTwoConts, kTwoConts, kTwoConts, kTwoConts, kTooShort | kOverlong2, kTooShort,
    kTooShort | kOverlong3 | kSurrogate, kTooShort | kTooLarge | kTooLarge1000 | kOverlong4};
alignas(16) constexpr char kByte1Low[16] = {
    kCarry | kOverlong3 | kOverlong2 | kOverlong4, kCarry | kOverlong2, kCarry, kCarry,
    kCarry | kTooLarge, kLarge, kLarge, kLarge, kLarge, kLarge, kLarge, kLarge, kLarge,
    kLarge | kSurrogate, kLarge, kLarge};
alignas(16) constexpr char kByte2High[16] = {
    kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort, kTooShort,
    kCont | kOverlong3 | kTooLarge1000 | kOverlong4, kCont | kOverlong3 | kTooLarge,
    kCont | kSurrogate | kTooLarge, kCont | kSurrogate | kTooLarge,
    kTooShort, kTooShort, kTooShort, kTooShort};

__attribute__((target("ssse3"))) __m128i table(const char* t)
{
    return _mm_load_si128(reinterpret_cast<const __m128i*>(t));
}

__attribute__((target("ssse3"))) __m128i highNibble(__m128i v)
{
    return _mm_and_si128(_mm_srli_epi16(v, 4), _mm_set1_epi8(0x0F));
}

__attribute__((target("ssse3"))) __m128i faultsOf(__m128i input, __m128i previous)
{
    const __m128i prev1 = _mm_alignr_epi8(input, previous, 15);
    const __m128i byte1High = _mm_shuffle_epi8(table(kByte1High), highNibble(prev1));
    const __m128i byte1Low = _mm_shuffle_epi8(table(kByte1Low), _mm_and_si128(prev1, _mm_set1_epi8(0x0F)));
    const __m128i byte2High = _mm_shuffle_epi8(table(kByte2High), highNibble(input));
    const __m128i special = _mm_and_si128(_mm_and_si128(byte1High, byte1Low), byte2High);
    const __m128i prev2 = _mm_alignr_epi8(input, previous, 14);
    const __m128i prev3 = _mm_alignr_epi8(input, previous, 13);
    const __m128i mustContinue = _mm_or_si128(_mm_subs_epu8(prev2, _mm_set1_epi8(char(0xE0 - 0x80))),
                                              _mm_subs_epu8(prev3, _mm_set1_epi8(char(0xF0 - 0x80))));
    return _mm_xor_si128(_mm_and_si128(mustContinue, _mm_set1_epi8(char(0x80))), special);
}

// Checks the whole blocks of p[0..n): ok tells whether they hold no fault.
// Returns where the blocks end; a character cut there is left to the caller.
__attribute__((target("ssse3"))) qsizetype validBlocks(const char* p, qsizetype n, bool& ok)
{
    const __m128i lastIncomplete = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                                 char(0xF0 - 1), char(0xE0 - 1), char(0xC0 - 1));
    __m128i previous = _mm_setzero_si128();
    __m128i incomplete = _mm_setzero_si128();
    __m128i faults = _mm_setzero_si128();
    qsizetype i = 0;
    for (; i + 16 <= n; i += 16) {
        const __m128i input = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        if (_mm_movemask_epi8(input) == 0) {
            faults = _mm_or_si128(faults, incomplete);
        } else {
            faults = _mm_or_si128(faults, faultsOf(input, previous));
            incomplete = _mm_subs_epu8(input, lastIncomplete);
        }
        previous = input;
    }
    ok = _mm_movemask_epi8(_mm_cmpeq_epi8(faults, _mm_setzero_si128())) == 0xFFFF;
    return i;
}

// The same thirty-two bytes at a time; the bytes before each half come from
// the other half or the block before.
__attribute__((target("avx2"))) __m256i wideTable(const char* t)
{
    return _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(t)));
}

__attribute__((target("avx2"))) __m256i wideHighNibble(__m256i v)
{
    return _mm256_and_si256(_mm256_srli_epi16(v, 4), _mm256_set1_epi8(0x0F));
}

__attribute__((target("avx2"))) __m256i wideFaultsOf(__m256i input, __m256i previous)
{
    const __m256i before = _mm256_permute2x128_si256(previous, input, 0x21);
    const __m256i prev1 = _mm256_alignr_epi8(input, before, 15);
    const __m256i byte1High = _mm256_shuffle_epi8(wideTable(kByte1High), wideHighNibble(prev1));
    const __m256i byte1Low = _mm256_shuffle_epi8(wideTable(kByte1Low), _mm256_and_si256(prev1, _mm256_set1_epi8(0x0F)));
    const __m256i byte2High = _mm256_shuffle_epi8(wideTable(kByte2High), wideHighNibble(input));
    const __m256i special = _mm256_and_si256(_mm256_and_si256(byte1High, byte1Low), byte2High);
    const __m256i prev2 = _mm256_alignr_epi8(input, before, 14);
    const __m256i prev3 = _mm256_alignr_epi8(input, before, 13);
    const __m256i mustContinue = _mm256_or_si256(_mm256_subs_epu8(prev2, _mm256_set1_epi8(char(0xE0 - 0x80))),
                                                 _mm256_subs_epu8(prev3, _mm256_set1_epi8(char(0xF0 - 0x80))));
    return _mm256_xor_si256(_mm256_and_si256(mustContinue, _mm256_set1_epi8(char(0x80))), special);
}

__attribute__((target("avx2"))) qsizetype validWideBlocks(const char* p, qsizetype n, bool& ok)
{
    const __m256i lastIncomplete = _mm256_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                                    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                                    char(0xF0 - 1), char(0xE0 - 1), char(0xC0 - 1));
    __m256i previous = _mm256_setzero_si256();
    __m256i incomplete = _mm256_setzero_si256();
    __m256i faults = _mm256_setzero_si256();
    qsizetype i = 0;
    for (; i + 32 <= n; i += 32) {
        const __m256i input = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
        if (_mm256_movemask_epi8(input) == 0) {
            faults = _mm256_or_si256(faults, incomplete);
        } else {
            faults = _mm256_or_si256(faults, wideFaultsOf(input, previous));
            incomplete = _mm256_subs_epu8(input, lastIncomplete);
        }
        previous = input;
    }
    ok = _mm256_testz_si256(faults, faults) != 0;
    return i;
}

// Sixty-four bytes at a time where the processor has the byte permutes:
// the bytes one to three back come from the block before by one permute each.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) __m512i broadTable(const char* t)
{
    return _mm512_maskz_broadcast_i32x4(__mmask16(0xFFFF), _mm_load_si128(reinterpret_cast<const __m128i*>(t)));
}

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) __m512i broadHighNibble(__m512i v)
{
    return _mm512_and_si512(_mm512_srli_epi16(v, 4), _mm512_set1_epi8(0x0F));
}

// Where the bytes k back stand in the block before followed by this one.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) __m512i backIndex(int k)
{
    alignas(64) char index[64];
    for (int j = 0; j < 64; ++j)
        index[j] = char(64 + j - k);
    return _mm512_load_si512(index);
}

__attribute__((target("avx512f,avx512bw,avx512vbmi"))) qsizetype validBroadBlocks(const char* p, qsizetype n,
                                                                                  bool& ok)
{
    alignas(64) char last[64];
    std::memset(last, -1, sizeof last);
    last[61] = char(0xF0 - 1);
    last[62] = char(0xE0 - 1);
    last[63] = char(0xC0 - 1);
    const __m512i lastIncomplete = _mm512_load_si512(last);
    const __m512i b1High = broadTable(kByte1High), b1Low = broadTable(kByte1Low), b2High = broadTable(kByte2High);
    const __m512i low = _mm512_set1_epi8(0x0F);
    const __m512i back1 = backIndex(1), back2 = backIndex(2), back3 = backIndex(3);
    __m512i previous = _mm512_setzero_si512();
    __m512i incomplete = _mm512_setzero_si512();
    __m512i faults = _mm512_setzero_si512();
    qsizetype i = 0;
    for (; i + 64 <= n; i += 64) {
        const __m512i input = _mm512_loadu_si512(p + i);
        if (_mm512_movepi8_mask(input) == 0) {
            faults = _mm512_or_si512(faults, incomplete);
        } else {
            const __m512i prev1 = _mm512_permutex2var_epi8(previous, back1, input);
            const __m512i special = _mm512_and_si512(
                _mm512_and_si512(_mm512_shuffle_epi8(b1High, broadHighNibble(prev1)),
                                 _mm512_shuffle_epi8(b1Low, _mm512_and_si512(prev1, low))),
                _mm512_shuffle_epi8(b2High, broadHighNibble(input)));
            const __m512i mustContinue =
                _mm512_or_si512(_mm512_subs_epu8(_mm512_permutex2var_epi8(previous, back2, input), _mm512_set1_epi8(char(0xE0 - 0x80))),
                                _mm512_subs_epu8(_mm512_permutex2var_epi8(previous, back3, input), _mm512_set1_epi8(char(0xF0 - 0x80))));
            faults = _mm512_or_si512(
                faults, _mm512_xor_si512(_mm512_and_si512(mustContinue, _mm512_set1_epi8(char(0x80))), special));
            incomplete = _mm512_subs_epu8(input, lastIncomplete);
        }
        previous = input;
    }
    ok = _mm512_test_epi8_mask(faults, faults) == 0;
    return i;
}

} // namespace
#endif

bool validUtf8Run(QByteArrayView bytes)
{
    qsizetype from = 0;
#if defined(__x86_64__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    static const bool ssse3 = __builtin_cpu_supports("ssse3");
    static const bool avx512 = __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
    if ((avx2 || ssse3) && bytes.size() >= 64) {
        bool ok = true;
        const qsizetype k = avx512 ? validBroadBlocks(bytes.data(), bytes.size(), ok)
                            : avx2 ? validWideBlocks(bytes.data(), bytes.size(), ok)
                                   : validBlocks(bytes.data(), bytes.size(), ok);
        if (!ok)
            return false;
        // The character the blocks end in is checked again whole.
        from = k - 1;
        while (from > 0 && from > k - 4 && (uchar(bytes[from]) & 0xC0) == 0x80)
            --from;
    }
#endif
    return files::isValidUtf8(bytes.sliced(from));
}

std::optional<bool> fileHolds(const QString& path, QByteArrayView needle, qsizetype pieceBytes)
{
    const PageFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    const qsizetype overlap = std::max<qsizetype>(needle.size() - 1, 1);
    Window w{threadBuffer(0, pieceBytes + overlap)};
    do {
        if (!w.advance(file, pieceBytes, overlap))
            return std::nullopt;
        if (findBytes(w.view(w.base, w.end()), needle) >= 0)
            return true;
    } while (!w.atEnd);
    return false;
}

std::optional<ByteAnswer> searchPageFile(const QString& path, const ByteWord& word, qsizetype pieceBytes)
{
    const PageFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    if (word.kind == ByteWord::TextOnly)
        return ByteAnswer::NeedsText;
    const bool caseless = word.kind == ByteWord::CaselessAscii;
    // Dotless i and long s upper-case to "I" and "S": only words holding
    // those letters can match where the bytes do not.
    const bool pairsMatter = caseless && (word.bytes.contains('i') || word.bytes.contains('s'));
    const qsizetype n = word.bytes.size();
    const CommentAwareFinder raw(word.bytes, caseless);
    // Enough for a word, or a character cut at a join.
    const qsizetype overlap = std::max<qsizetype>(n - 1, 3);
    Window w{threadBuffer(0, pieceBytes + overlap)};
    bool marked = false; // a UTF-8 byte order mark: decoded as UTF-8 whatever follows
    qint64 validTo = 0, pairsFrom = 0, from = 0;
    std::optional<bool> counted; // whether a match outside comments is found, once any match is
    do {
        if (!w.advance(file, pieceBytes, overlap))
            return std::nullopt;
        if (w.base == 0)
            marked = w.view(0, w.end()).startsWith("\xEF\xBB\xBF");
        if (!marked) {
            // A page that is no UTF-8 is decoded otherwise: only its text answers.
            const QByteArrayView fresh = w.view(validTo, w.end());
            const qsizetype whole = w.atEnd ? fresh.size() : utf8CompleteLength(fresh);
            if (!validUtf8Run(fresh.first(whole)))
                return ByteAnswer::NeedsText;
            validTo += whole;
        }
        if (counted && *counted)
            continue;
        if (pairsMatter) {
            if (holdsLettersUpperCasedToAscii(w.view(std::max(pairsFrom, w.base), w.end())))
                return ByteAnswer::NeedsText;
            pairsFrom = w.end() - 1;
        }
        if (counted)
            continue;
        // Most pages never hold the word: comments are looked at only when they do.
        const qint64 f = std::max(from, w.base);
        if (w.end() - f >= n && raw.findWord(w.view(f, w.end())) >= 0) {
            counted = countedMatch(file, word, pieceBytes);
            if (!counted)
                return std::nullopt;
            if (*counted && marked)
                return ByteAnswer::Yes;
        }
        from = w.end() - (n - 1);
    } while (!w.atEnd);
    return counted && *counted ? ByteAnswer::Yes : ByteAnswer::No;
}

} // namespace tools
