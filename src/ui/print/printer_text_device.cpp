#include "ui/print/printer_text_device.h"

#include "ui/text/bytetext.h"

#include <QApplication>
#include <QPalette>
#include <QPrinter>

#include <cmath>
#include <stdexcept>

namespace tavlor::ui {

PrinterTextDevice::PrinterTextDevice(QPrinter& printer, const tavlor::TextCodec& codec)
    : m_printer(printer), m_codec(codec) {}

PrinterTextDevice::~PrinterTextDevice() {
    if (m_painter.isActive())
        m_painter.end();
}

QFont PrinterTextDevice::printFont(int verticalDpi) {
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(static_cast<int>(std::lround(9.0 * verticalDpi / 72.0)));
    return font;
}

void PrinterTextDevice::beginJob() {
    m_printer.setDocName(QString());
    if (!m_painter.begin(&m_printer))
        throw std::runtime_error("the printer cannot be opened");
    m_width = m_printer.width();
    m_height = m_printer.height();
    m_font = printFont(m_printer.logicalDpiY());
    m_painter.setFont(m_font);
    m_painter.setPen(QApplication::palette().color(QPalette::WindowText));
    m_metrics.emplace(m_font, &m_printer);
}

void PrinterTextDevice::endJob() {
    // What the printer reports after the job has begun is not the user's concern.
    if (m_painter.isActive())
        m_painter.end();
}

void PrinterTextDevice::newPage() {
    m_printer.newPage();
    // The window stays responsive while a long job is laid out.
    QCoreApplication::processEvents();
}

int PrinterTextDevice::averageCharWidth() const {
    return m_metrics ? m_metrics->averageCharWidth() : 0;
}

int PrinterTextDevice::charHeight() const {
    return m_metrics ? m_metrics->height() : 0;
}

tavlor::TextExtent PrinterTextDevice::measure(std::string_view run) const {
    if (!m_metrics)
        return {};
    return {m_metrics->horizontalAdvance(toText(run, m_codec)), m_metrics->height()};
}

void PrinterTextDevice::draw(int x, int y, std::string_view run) {
    if (m_painter.isActive() && m_metrics)
        m_painter.drawText(QPoint(x, y + m_metrics->ascent()), toText(run, m_codec));
}

} // namespace tavlor::ui
