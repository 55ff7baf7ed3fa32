#pragma once

#include "core/print/text_device.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <optional>

class QPrinter;

namespace tavlor {
class TextCodec;
}

namespace tavlor::ui {

/** The print job on a QPrinter as a text device: Arial bold 9 pt at the printer's resolution,
 *  text drawn in the window-text colour and read in the document's encoding; pending events are
 *  handled at every page end. */
class PrinterTextDevice : public tavlor::TextDevice {
public:
    PrinterTextDevice(QPrinter& printer, const tavlor::TextCodec& codec);
    PrinterTextDevice(const PrinterTextDevice&) = delete;
    PrinterTextDevice& operator=(const PrinterTextDevice&) = delete;
    ~PrinterTextDevice() override;

    /** The print font for a device with verticalDpi pixels per inch: 9 pt in device pixels,
     *  rounded (75 at 600 dpi). */
    static QFont printFont(int verticalDpi);

    void beginJob() override;
    void endJob() override;
    void newPage() override;
    int pageWidth() const override { return m_width; }
    int pageHeight() const override { return m_height; }
    int averageCharWidth() const override;
    int charHeight() const override;
    tavlor::TextExtent measure(std::string_view run) const override;
    void draw(int x, int y, std::string_view run) override;

private:
    QPrinter& m_printer;
    const tavlor::TextCodec& m_codec;
    QPainter m_painter;
    QFont m_font;
    std::optional<QFontMetrics> m_metrics;
    int m_width = 0;
    int m_height = 0;
};

} // namespace tavlor::ui
