#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavlor {

/** Length of the well-formed UTF-8 sequence that starts at text[at] (1 to 4), or 0 when the byte
 *  there does not start one: no overlong forms, no surrogates, nothing above U+10FFFF. On success
 *  *codePoint (when given) receives the character. */
std::size_t utf8SequenceLength(std::string_view text, std::size_t at,
                               char32_t* codePoint = nullptr);

/** True when every byte of text is below 0x80. */
bool isPlainAscii(std::string_view text);

/** True when every byte of text belongs to a well-formed UTF-8 sequence (plain ASCII is). */
bool isWellFormedUtf8(std::string_view text);

/** Number of bytes at the end of text (0 to 3) that begin a well-formed UTF-8 sequence which the
 *  text cuts short: the bytes to keep back until the rest of the character arrives. */
std::size_t incompleteUtf8Tail(std::string_view text);

/** Appends the UTF-8 form of character. */
void appendUtf8(std::string& out, char32_t character);

} // namespace tavlor
