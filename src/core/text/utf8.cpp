#include "core/text/utf8.h"

#include <cstdint>
#include <cstring>

namespace tavlor {

namespace {

// The second byte's range after a lead byte; later continuation bytes are always 80..BF.
struct SecondByteRange {
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
};

// The lead bytes of the multi-byte sequences, by length. In a row, lowLead needs a second byte of
// at least secondLow (E0, F0: no overlong forms) and highLead one of at most secondHigh (ED: no
// surrogates, F4: nothing above U+10FFFF); 00 stands for no lead.
struct LeadRow {
    unsigned char first;
    unsigned char last;
    std::size_t length;
    unsigned char lowLead;
    unsigned char secondLow;
    unsigned char highLead;
    unsigned char secondHigh;
};

constexpr LeadRow kLeadRows[] = {
    {0xC2, 0xDF, 2, 0x00, 0x80, 0x00, 0xBF},
    {0xE0, 0xEF, 3, 0xE0, 0xA0, 0xED, 0x9F},
    {0xF0, 0xF4, 4, 0xF0, 0x90, 0xF4, 0x8F},
};

// Sequence length announced by a lead byte, 0 for bytes that never start a sequence.
std::size_t announcedLength(unsigned char lead, SecondByteRange& second) {
    if (lead < 0x80)
        return 1;
    for (const LeadRow& row : kLeadRows) {
        if (lead < row.first || lead > row.last)
            continue;
        if (lead == row.lowLead)
            second.low = row.secondLow;
        if (lead == row.highLead)
            second.high = row.secondHigh;
        return row.length;
    }
    return 0;
}

// True when the bytes text[at + 1 ..] that are present fit the sequence announced at text[at].
bool continuationsFit(std::string_view text, std::size_t at, std::size_t length,
                      SecondByteRange second) {
    for (std::size_t k = 1; k < length && at + k < text.size(); ++k) {
        const auto byte = static_cast<unsigned char>(text[at + k]);
        const unsigned char low = k == 1 ? second.low : 0x80;
        const unsigned char high = k == 1 ? second.high : 0xBF;
        if (byte < low || byte > high)
            return false;
    }
    return true;
}

} // namespace

std::size_t utf8SequenceLength(std::string_view text, std::size_t at, char32_t* codePoint) {
    if (at >= text.size())
        return 0;
    const auto lead = static_cast<unsigned char>(text[at]);
    SecondByteRange second;
    const std::size_t length = announcedLength(lead, second);
    if (length == 0 || at + length > text.size() || !continuationsFit(text, at, length, second))
        return 0;
    if (codePoint != nullptr) {
        static constexpr unsigned char kLeadMask[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
        char32_t cp = lead & kLeadMask[length];
        for (std::size_t k = 1; k < length; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3F);
        *codePoint = cp;
    }
    return length;
}

// Whole words at a time, the last one overlapping the one before, so the usual short cell takes one
// or two loads and few branches.
bool isPlainAscii(std::string_view text) {
    constexpr std::uint64_t kHigh8 = 0x8080808080808080ULL;
    const char* const p = text.data();
    const std::size_t n = text.size();
    std::uint64_t bits = 0;
    if (n >= 8) {
        std::uint64_t word = 0;
        for (std::size_t i = 0; i + 8 < n; i += 8) {
            std::memcpy(&word, p + i, 8);
            bits |= word;
        }
        std::memcpy(&word, p + n - 8, 8);
        return ((bits | word) & kHigh8) == 0;
    }
    if (n >= 4) {
        std::uint32_t head = 0;
        std::uint32_t tail = 0;
        std::memcpy(&head, p, 4);
        std::memcpy(&tail, p + n - 4, 4);
        return ((head | tail) & 0x80808080U) == 0;
    }
    for (std::size_t i = 0; i < n; ++i)
        bits |= static_cast<unsigned char>(p[i]);
    return (bits & 0x80) == 0;
}

bool isWellFormedUtf8(std::string_view text) {
    const char* const data = text.data();
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        // Plain ASCII eight bytes at a time: most cells never leave this loop.
        while (i + 8 <= size) {
            std::uint64_t word = 0;
            std::memcpy(&word, data + i, 8);
            if ((word & 0x8080808080808080ULL) != 0)
                break;
            i += 8;
        }
        if (i >= size)
            break;
        if (static_cast<unsigned char>(data[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::size_t incompleteUtf8Tail(std::string_view text) {
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const std::size_t at = text.size() - back;
        const auto byte = static_cast<unsigned char>(text[at]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: the lead is further back
        SecondByteRange second;
        const std::size_t length = announcedLength(byte, second);
        return length > back && continuationsFit(text, at, length, second) ? back : 0;
    }
    return 0;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace tavlor
