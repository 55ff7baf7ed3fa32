#pragma once

#include "core/print/text_device.h"

#include <string>
#include <vector>

namespace tavlor::test {

/** One drawn run as the fake device saw it. */
struct DrawnRun {
    int page = 0;
    int x = 0;
    int y = 0;
    std::string text;
    friend bool operator==(const DrawnRun&, const DrawnRun&) = default;
};

/** A text device with a fixed-pitch font that records what is drawn on which page: each byte is
 *  10 units wide, except 'i' (1 unit), so any x can be reached; every measured height is 12. */
class FakeTextDevice : public TextDevice {
public:
    FakeTextDevice(int width, int height) : m_width(width), m_height(height) {}

    void beginJob() override;
    void endJob() override;
    void newPage() override;
    int pageWidth() const override { return m_width; }
    int pageHeight() const override { return m_height; }
    int averageCharWidth() const override { return 10; }
    int charHeight() const override { return 12; }
    TextExtent measure(std::string_view run) const override;
    void draw(int x, int y, std::string_view run) override;

    /** Pages the job has had so far (1 once begun). */
    int pages() const { return m_pages; }
    int jobsBegun() const { return m_jobsBegun; }
    int jobsEnded() const { return m_jobsEnded; }
    const std::vector<DrawnRun>& drawn() const { return m_drawn; }
    /** Makes beginJob throw, as an output that cannot be opened. */
    void failToBegin() { m_failToBegin = true; }

private:
    int m_width = 0;
    int m_height = 0;
    int m_pages = 0;
    int m_jobsBegun = 0;
    int m_jobsEnded = 0;
    bool m_failToBegin = false;
    std::vector<DrawnRun> m_drawn;
};

} // namespace tavlor::test
