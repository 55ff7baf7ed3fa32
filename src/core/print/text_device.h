#pragma once

#include <string_view>

namespace tavlor {

/** Width and height of a measured run of text, in device units. */
struct TextExtent {
    int width = 0;
    int height = 0;
};

/** A page-oriented output that the print layout draws text runs on; the printer in the program,
 *  a recording stand-in in tests. Units are device pixels from the top-left of the printable area.
 */
class TextDevice {
public:
    virtual ~TextDevice() = default;

    /** Starts the job with page 1 and selects the print font. Throws when the output cannot be
     *  opened; nothing after a successful start throws. */
    virtual void beginJob() = 0;
    /** Ends the last page and the job. */
    virtual void endJob() = 0;
    /** Ends the current page and begins the next one. */
    virtual void newPage() = 0;

    /** Printable width W and height H of a page. */
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    /** The print font's average character width (tab stops are 8 of them apart). */
    virtual int averageCharWidth() const = 0;
    /** The print font's character cell height (an empty line advances by it). */
    virtual int charHeight() const = 0;

    /** Width and height of run in the print font; the height is the font's, whatever the text. */
    virtual TextExtent measure(std::string_view run) const = 0;
    /** Draws run with its top-left corner at (x, y). */
    virtual void draw(int x, int y, std::string_view run) = 0;
};

} // namespace tavlor
