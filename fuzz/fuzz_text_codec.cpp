// Feeds arbitrary bytes to every encoding's codec and checks that cells are shown losslessly: the
// text made of the bytes gives back the same bytes, the UTF-8 form of valid UTF-8 is the bytes
// themselves, and the character steps the editor takes through a cell stay inside it.
#include "core/text/text_codec.h"
#include "core/text/text_encoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const tavlor::TextEncoding encoding : tavlor::kTextEncodings) {
        const tavlor::TextCodec codec(encoding);
        const std::u16string text = codec.decode(bytes);
        require(text.size() <= bytes.size());
        // A cell of a UTF-16 document is whole units: the reader leaves out a half character
        // and the encoding menu refuses UTF-16 for a document with an odd cell.
        if (bytes.size() % codec.unitSize() == 0) {
            std::string back;
            require(codec.encode(text, back));
            require(back == bytes);
        }
        require(!codec.firstUnheld(text));

        const std::size_t first = codec.firstCharLength(bytes);
        require(first <= bytes.size() && (first > 0) == !bytes.empty());
        const std::size_t tail = codec.incompleteTail(bytes);
        require(tail <= bytes.size());
        if (!bytes.empty())
            require(codec.previousCharEnd(bytes, bytes.size()) < bytes.size());
        if (codec.isUtf8() && tail == 0 && codec.toUtf8(bytes) != bytes)
            std::abort();
    }
    return 0;
}
