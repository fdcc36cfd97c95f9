#include "tools/search_bytes.h"

#include "store/files.h"
#include "store/page_encoding.h"
#include "store/text.h"
#include "tools/search_cache.h"

#include <QFileInfo>
#include <cstring>
#include <utility>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace tools {

namespace {

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool equalCaseless(const char* at, QByteArrayView needle)
{
    for (qsizetype i = 0; i < needle.size(); ++i) {
        if (lowerAscii(at[i]) != needle[i])
            return false;
    }
    return true;
}

bool containsBytes(QByteArrayView haystack, QByteArrayView needle)
{
    return findBytes(haystack, needle) >= 0;
}

// How often a byte turns up in pages, roughly: the later bytes of a
// multi-byte character are spread over many values, leads and spaces are everywhere.
int commonness(unsigned char c)
{
    if (c >= 0x84 && c <= 0xBF)
        return 0;
    if (c >= 0x80 || c <= ' ' || c == '<' || c == '>' || c == '/' || c == '=' || c == '"')
        return 3;
    if (c >= 'a' && c <= 'z')
        return 2;
    return 1;
}

// The two places of the needle whose bytes are rarest: candidates must match at both.
std::pair<qsizetype, qsizetype> rarePlaces(QByteArrayView needle)
{
    qsizetype a = needle.size() - 1;
    for (qsizetype i = needle.size() - 1; i >= 0; --i) {
        if (commonness(uchar(needle[i])) < commonness(uchar(needle[a])))
            a = i;
    }
    qsizetype b = a == 0 ? 1 : 0;
    for (qsizetype i = needle.size() - 1; i >= 0; --i) {
        if (i != a && commonness(uchar(needle[i])) < commonness(uchar(needle[b])))
            b = i;
    }
    return {a, b};
}

#if defined(__x86_64__)
// Thirty-two places at a time where the processor can: returns where the
// places looked at end, leaving the rest to the caller, or -2 - at for a
// match at `at`.
__attribute__((target("avx2"))) qsizetype findWide(const char* data, qsizetype size, QByteArrayView needle,
                                                   qsizetype a, qsizetype b)
{
    const qsizetype n = needle.size();
    const __m256i byteA = _mm256_set1_epi8(needle[a]);
    const __m256i byteB = _mm256_set1_epi8(needle[b]);
    const qsizetype last = size - n;
    qsizetype i = 0;
    for (; i + 31 <= last; i += 32) {
        const __m256i atA = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + a));
        const __m256i atB = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + b));
        unsigned mask = unsigned(
            _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(atA, byteA), _mm256_cmpeq_epi8(atB, byteB))));
        while (mask != 0) {
            const qsizetype at = i + __builtin_ctz(mask);
            if (std::memcmp(data + at, needle.data(), size_t(n)) == 0)
                return -2 - at;
            mask &= mask - 1;
        }
    }
    return i;
}
#endif

#if defined(__x86_64__)
// The same for a word in either case: places where its first two bytes
// match in either case compared in full.
__attribute__((target("avx2"))) qsizetype findCaselessWide(const char* data, qsizetype size, QByteArrayView needle)
{
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
    const __m256i lo0 = _mm256_set1_epi8(needle[0]), up0 = _mm256_set1_epi8(upper(needle[0]));
    const __m256i lo1 = _mm256_set1_epi8(needle[1]), up1 = _mm256_set1_epi8(upper(needle[1]));
    const qsizetype last = size - needle.size();
    qsizetype i = 0;
    for (; i + 33 <= size; i += 32) {
        const __m256i b0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
        const __m256i b1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + 1));
        const __m256i first = _mm256_or_si256(_mm256_cmpeq_epi8(b0, lo0), _mm256_cmpeq_epi8(b0, up0));
        const __m256i second = _mm256_or_si256(_mm256_cmpeq_epi8(b1, lo1), _mm256_cmpeq_epi8(b1, up1));
        unsigned mask = unsigned(_mm256_movemask_epi8(_mm256_and_si256(first, second)));
        while (mask != 0) {
            const qsizetype at = i + __builtin_ctz(mask);
            if (at <= last && equalCaseless(data + at, needle))
                return -2 - at;
            mask &= mask - 1;
        }
    }
    return i;
}
#endif

bool holdsPair(const QByteArray& bytes, char lead, char next)
{
    const char* end = bytes.constData() + bytes.size();
    for (const char* p = bytes.constData(); (p = static_cast<const char*>(std::memchr(p, lead, size_t(end - p)))); ++p) {
        if (p + 1 < end && p[1] == next)
            return true;
    }
    return false;
}

// Letters outside ASCII whose upper case is an ASCII letter (dotless i and
// long s): in a page holding them an ASCII word can match in the text only.
bool holdsLettersUpperCasedToAscii(const QByteArray& bytes)
{
    return holdsPair(bytes, '\xC4', '\xB1') || holdsPair(bytes, '\xC5', '\xBF');
}

} // namespace

ByteWord byteWordFor(const QString& word)
{
    ByteWord w;
    if (word.isEmpty())
        return w;
    const QByteArray exact = rawSearchBytes(word);
    if (!exact.isEmpty()) {
        w.kind = ByteWord::Exact;
        w.bytes = exact;
        return w;
    }
    for (const QChar c : word) {
        // '>' takes part in cutting comments: a match may span a cut.
        if (c.unicode() >= 0x80 || c == QLatin1Char('>'))
            return w;
    }
    w.kind = ByteWord::CaselessAscii;
    w.bytes = word.toLatin1().toLower();
    return w;
}

qsizetype findCaselessAscii(QByteArrayView haystack, QByteArrayView needle)
{
    const qsizetype n = needle.size();
    if (n == 0)
        return 0;
    if (haystack.size() < n)
        return -1;
    const char* data = haystack.data();
    const qsizetype last = haystack.size() - n; // the last place a match can start
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen places at a time, those where the first two bytes match in
    // either case checked in full.
    if (n >= 2) {
#if defined(__x86_64__)
        static const bool avx2 = __builtin_cpu_supports("avx2");
        if (avx2) {
            i = findCaselessWide(data, haystack.size(), needle);
            if (i < -1)
                return -2 - i;
        }
#endif
        const auto either = [](char c) {
            return std::make_pair(_mm_set1_epi8(c), _mm_set1_epi8(c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c));
        };
        const auto [lo0, up0] = either(needle[0]);
        const auto [lo1, up1] = either(needle[1]);
        for (; i + 17 <= haystack.size(); i += 16) {
            const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
            const __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 1));
            const __m128i first = _mm_or_si128(_mm_cmpeq_epi8(b0, lo0), _mm_cmpeq_epi8(b0, up0));
            const __m128i second = _mm_or_si128(_mm_cmpeq_epi8(b1, lo1), _mm_cmpeq_epi8(b1, up1));
            unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(first, second)));
            while (mask != 0) {
                const qsizetype at = i + __builtin_ctz(mask);
                if (at <= last && equalCaseless(data + at, needle))
                    return at;
                mask &= mask - 1;
            }
        }
    }
#endif
    for (; i <= last; ++i) {
        if (equalCaseless(data + i, needle))
            return i;
    }
    return -1;
}

bool containsCaselessAscii(QByteArrayView haystack, QByteArrayView needle)
{
    return findCaselessAscii(haystack, needle) >= 0;
}

qsizetype findBytes(QByteArrayView haystack, QByteArrayView needle)
{
    const qsizetype n = needle.size();
    if (n == 0)
        return 0;
    if (haystack.size() < n)
        return -1;
    const char* data = haystack.data();
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen places at a time, those where the needle's two rarest bytes
    // stand where they should compared in full.
    if (n >= 2) {
        const auto [a, b] = rarePlaces(needle);
#if defined(__x86_64__)
        static const bool avx2 = __builtin_cpu_supports("avx2");
        if (avx2) {
            i = findWide(data, haystack.size(), needle, a, b);
            if (i < -1)
                return -2 - i;
        }
#endif
        const __m128i byteA = _mm_set1_epi8(needle[a]);
        const __m128i byteB = _mm_set1_epi8(needle[b]);
        const qsizetype last = haystack.size() - n;
        for (; i + 15 <= last; i += 16) {
            const __m128i atA = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + a));
            const __m128i atB = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + b));
            unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(atA, byteA), _mm_cmpeq_epi8(atB, byteB))));
            while (mask != 0) {
                const qsizetype at = i + __builtin_ctz(mask);
                if (std::memcmp(data + at, needle.data(), size_t(n)) == 0)
                    return at;
                mask &= mask - 1;
            }
        }
    }
#endif
    const void* found = ::memmem(data + i, size_t(haystack.size() - i), needle.data(), size_t(n));
    return found ? static_cast<const char*>(found) - data : -1;
}

ByteAnswer searchBytes(const QByteArray& bytes, const ByteWord& word)
{
    if (word.kind == ByteWord::TextOnly || !decodedAsUtf8(bytes))
        return ByteAnswer::NeedsText;
    switch (word.kind) {
    case ByteWord::Exact:
        // Bytes that fail to decode become U+FFFD, which the word never
        // holds, so without its bytes the text cannot hold it either.
        if (!containsBytes(bytes, word.bytes))
            return ByteAnswer::No;
        break;
    case ByteWord::CaselessAscii:
        if (holdsLettersUpperCasedToAscii(bytes))
            return ByteAnswer::NeedsText;
        // ASCII bytes decode to themselves whatever surrounds them.
        if (!containsCaselessAscii(bytes, word.bytes))
            return ByteAnswer::No;
        break;
    case ByteWord::TextOnly:
        return ByteAnswer::NeedsText;
    }
    // A match in the bytes: it counts unless it lies in a comment. Cutting
    // comments (ASCII marks, a ">" kept at each cut) from the bytes is
    // cutting them from the text.
    const QByteArray cut = cutComments(bytes);
    const bool found = word.kind == ByteWord::Exact ? containsBytes(cut, word.bytes) : containsCaselessAscii(cut, word.bytes);
    return found ? ByteAnswer::Yes : ByteAnswer::No;
}

// The page decoder reads a page with a UTF-8 byte order mark, or valid
// UTF-8, as UTF-8 (bytes that fail to decode after a mark becoming U+FFFD):
// for those pages the bytes answer as the text would.
bool decodedAsUtf8(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") || files::isValidUtf8(bytes);
}

std::optional<QByteArray> readSearchedPage(const QString& path)
{
    return store::readPageBytes(path);
}

QString searchText(const QByteArray& bytes)
{
    return cutComments(text::upper(store::pageTextOf(bytes)));
}

} // namespace tools
