#pragma once

#include "core/print/text_device.h"
#include "core/text/text_codec.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tavlor {

/** The line-printer layout: places pieces of text on the device from the top-left corner down,
 *  acting on tab, carriage return, line feed and form feed, and breaking runs at a character
 *  of the document's encoding when they are wider than the page. */
class PrintLayout {
public:
    /** Reads W and H from the device (which must have begun its job) and starts at (0, 0). */
    explicit PrintLayout(TextDevice& device, TextEncoding encoding = TextEncoding::Utf8);

    /** Lays out one piece of text; a run that a piece boundary cuts is printed as two runs. The
     *  bytes of a character cut at the end of a piece wait for the next piece. */
    void layOut(std::string_view piece);
    /** Prints what is still waiting for the rest of its character (the text ended there). */
    void finish();

    int x() const { return m_x; }
    int y() const { return m_y; }
    int lineHeight() const { return m_h; }

    /** Byte length of the longest run of whole characters of text[0..end) that is shorter than end:
     *  steps back over one character of the encoding (one byte where the bytes are not text). */
    static std::size_t previousCharEnd(std::string_view text, std::size_t end,
                                       TextEncoding encoding = TextEncoding::Utf8);
    /** Byte length of the first whole character of text (0 for empty text). */
    static std::size_t firstCharLength(std::string_view text,
                                       TextEncoding encoding = TextEncoding::Utf8);

private:
    void printRun(std::string_view run);
    void moveToNextTabStop();
    void endLine();
    void beginNewPage();

    TextDevice& m_device;
    TextCodec m_codec;
    std::string m_pending; // the start of a character that the last piece cut short
    int m_pageWidth = 0;   // W
    int m_pageHeight = 0;  // H
    int m_x = 0;
    int m_y = 0;
    int m_h = 0; // height of the current line; 0 while nothing is drawn on it
};

} // namespace tavlor
