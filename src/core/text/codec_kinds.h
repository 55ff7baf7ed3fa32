#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tavlor {

/** One family's mapping between bytes and UTF-16 text, behind TextCodec. A byte that is not text
 *  decodes to U+DC00 + byte and encodes back to that byte. */
class CodecKind {
public:
    virtual ~CodecKind() = default;

    virtual bool keepsAsciiBytes() const { return true; }
    virtual std::size_t unitSize() const { return 1; }
    /** out has room for bytes.size() units; returns the units written. */
    virtual std::size_t decode(std::string_view bytes, char16_t* out) const = 0;
    /** Appends the bytes of character; false when the encoding cannot hold it. */
    virtual bool encode(char32_t character, std::string& out) const = 0;
    virtual bool holds(char32_t character) const = 0;
    /** False when some character cannot be held: the only case holds() needs asking. */
    virtual bool holdsEverything() const { return true; }

    virtual std::size_t firstCharLength(std::string_view bytes) const;
    virtual std::size_t previousCharEnd(std::string_view bytes, std::size_t end) const;
    virtual std::size_t incompleteTail(std::string_view bytes) const;
};

/** UTF-8: well-formed sequences are characters, every other byte stands for itself. */
std::shared_ptr<const CodecKind> makeUtf8Kind();
/** An 8-bit code page read from the system's converter iconvName; bytes it leaves undefined
 *  stand for themselves. Throws std::runtime_error when the system has no such converter. */
std::shared_ptr<const CodecKind> makeCodePageKind(const char* iconvName);
/** UTF-16 in one byte order: every code unit is kept, a lone surrogate too; an odd last byte
 *  stands for itself. */
std::shared_ptr<const CodecKind> makeUtf16Kind(bool bigEndian);

} // namespace tavlor
