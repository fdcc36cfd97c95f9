#include "tools/search_bytes.h"

#include "store/files.h"
#include "store/text.h"
#include "tools/search_cache.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
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
    return ::memmem(haystack.data(), size_t(haystack.size()), needle.data(), size_t(needle.size())) != nullptr;
}

// Letters outside ASCII whose upper case is an ASCII letter (dotless i and
// long s): in a page holding them an ASCII word can match in the text only.
bool holdsLettersUpperCasedToAscii(const QByteArray& bytes)
{
    return containsBytes(bytes, "\xC4\xB1") || containsBytes(bytes, "\xC5\xBF");
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

bool containsCaselessAscii(QByteArrayView haystack, QByteArrayView needle)
{
    const qsizetype n = needle.size();
    if (n == 0)
        return true;
    if (haystack.size() < n)
        return false;
    const char first = needle[0];
    const bool letter = first >= 'a' && first <= 'z';
    const char firstUpper = letter ? char(first - 'a' + 'A') : first;
    const char* data = haystack.data();
    const qsizetype last = haystack.size() - n; // the last place a match can start
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i lo = _mm_set1_epi8(first);
    const __m128i up = _mm_set1_epi8(firstUpper);
    for (; i + 16 <= last + 1; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        unsigned mask = unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, lo), _mm_cmpeq_epi8(block, up))));
        while (mask != 0) {
            const int bit = __builtin_ctz(mask);
            if (equalCaseless(data + i + bit, needle))
                return true;
            mask &= mask - 1;
        }
    }
#endif
    for (; i <= last; ++i) {
        if ((data[i] == first || data[i] == firstUpper) && equalCaseless(data + i, needle))
            return true;
    }
    return false;
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

// How the search decodes a page, in one place: as UTF-8 (a byte order mark
// or none), bytes that fail to decode becoming U+FFFD.
bool decodedAsUtf8(const QByteArray& bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") || files::isValidUtf8(bytes);
}

QString searchText(const QByteArray& bytes)
{
    return cutComments(text::upper(files::decodeUtf8(bytes)));
}

} // namespace tools
