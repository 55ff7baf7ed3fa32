#include "ui/view/status_panels.h"

#include "ui/desktop/accessible_panel.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>

namespace tavlor::ui {

namespace {
struct PanelLayout {
    int width;
    bool lowered;
    Qt::Alignment alignment;
    const char16_t* initialText;
    const char16_t* longestText;    // the widest text the panel must show whole (none: empty)
    const char16_t* accessibleName; // what a screen reader calls the panel; its value is the text
};
// The last panel's width only counts as a minimum: it always runs to the right edge.
constexpr PanelLayout kLayout[StatusPanels::kPanelCount] = {
    {250, false, Qt::AlignLeft, u"", u"", u""}, // hints read as themselves
    {55, true, Qt::AlignHCenter, u"", u"Modified", u"Modified"},
    {30, true, Qt::AlignHCenter, u"1", u"9999", u"Row"},
    {30, true, Qt::AlignHCenter, u"1", u"26", u"Column"},
    {50, false, Qt::AlignLeft, u"", u"Total Rows:9999 Total Cols:26", u"Used extent"},
};
constexpr int kBarHeight = 19;
constexpr int kIndent = 2;
constexpr double kDesignFontPixels = 12.0;
// Room kept right of the trailing field for the size grip.
constexpr int kGripRoom = 14;
} // namespace

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar"));
    // The bar draws in the system's status-bar font, not in the window's font.
    QFont systemFont = QApplication::font(this);
    systemFont.setFamily(systemFont.family());
    systemFont.setPointSizeF(systemFont.pointSizeF());
    setFont(systemFont);
    setSizeGripEnabled(true);
    for (int i = 0; i < kPanelCount; ++i) {
        auto* label = new QLabel(this);
        if (i > 0) { // before any text: a screen reader may ask about the label from then on
            makeAccessiblePanel(label);
            label->setAccessibleName(QString::fromUtf16(kLayout[i].accessibleName));
        }
        label->setText(QString::fromUtf16(kLayout[i].initialText));
        label->setObjectName(QStringLiteral("Panel%1").arg(i));
        label->setAlignment(kLayout[i].alignment | Qt::AlignVCenter);
        label->setFrameStyle(kLayout[i].lowered ? (QFrame::Panel | QFrame::Sunken)
                                                : QFrame::NoFrame);
        label->setTextFormat(Qt::PlainText);
        label->setIndent(kIndent);
        label->setMinimumWidth(0);
        m_panels[static_cast<std::size_t>(i)] = label;
    }
    fitToFont();
}

void StatusPanels::setPanelText(int index, const QString& text) {
    QLabel* label = panel(index);
    if (label->text() == text)
        return;
    label->setText(text);
    if (index > 0 && QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(label, text);
        QAccessible::updateAccessibility(&changed);
    }
}

QString StatusPanels::panelText(int index) const {
    return panel(index)->text();
}

QLabel* StatusPanels::panel(int index) const {
    return m_panels.at(static_cast<std::size_t>(index));
}

void StatusPanels::setTrailingField(QWidget* field) {
    m_trailing = field;
    field->setParent(this);
    field->show();
    placePanels();
}

void StatusPanels::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    placePanels();
}

void StatusPanels::changeEvent(QEvent* event) {
    QStatusBar::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_panels[1] != nullptr)
        fitToFont();
}

void StatusPanels::fitToFont() {
    // The panels were made for a 9 pt font (12 pixels at 96 dpi) and keep their sizes up to it.
    const QFont& current = font();
    const double pixels =
        current.pixelSize() > 0 ? current.pixelSize() : current.pointSizeF() * logicalDpiY() / 72.0;
    const double factor = pixels / kDesignFontPixels;
    if (factor <= 1.0) {
        for (int i = 0; i < kPanelCount; ++i)
            m_widths[static_cast<std::size_t>(i)] = kLayout[i].width;
        m_totalsNeeded = 0;
        setFixedHeight(kBarHeight);
        placePanels();
        return;
    }
    // A larger font: every panel grows with it, and at least to its longest text (a centred text
    // needs only the frame beside it); the hint panel grows as much as the widest growth.
    const QFontMetrics metrics(current);
    const int chrome = 2 * m_panels[1]->frameWidth();
    double growth = factor;
    for (int i = 1; i < kPanelCount - 1; ++i) {
        const int needed =
            metrics.horizontalAdvance(QString::fromUtf16(kLayout[i].longestText)) + chrome;
        const int width = std::max(int(kLayout[i].width * factor + 0.5), needed);
        growth = std::max(growth, double(width) / kLayout[i].width);
        m_widths[static_cast<std::size_t>(i)] = width;
    }
    m_widths[0] = int(kLayout[0].width * growth + 0.5);
    m_widths[kPanelCount - 1] = kLayout[kPanelCount - 1].width;
    m_totalsNeeded = metrics.horizontalAdvance(QString::fromUtf16(kLayout[4].longestText)) +
                     2 * kIndent + chrome;
    setFixedHeight(std::max(kBarHeight, metrics.height() + 2 * m_panels[1]->frameWidth() + 2));
    placePanels();
}

void StatusPanels::placePanels() {
    const int fieldWidth =
        m_trailing ? std::max(m_trailing->sizeHint().width(), m_trailing->minimumWidth()) : 0;
    const int trailingWidth = m_trailing ? fieldWidth + kGripRoom : 0;
    // In a narrow window the grown hint panel gives way to the totals, down to half its normal
    // width: long hints are cut at its edge anyway.
    int hintWidth = m_widths[0];
    if (m_totalsNeeded > 0) {
        int others = 0;
        for (int i = 1; i < kPanelCount - 1; ++i)
            others += m_widths[static_cast<std::size_t>(i)];
        const int shortfall = m_totalsNeeded - (width() - trailingWidth - others - hintWidth);
        if (shortfall > 0)
            hintWidth = std::max(kLayout[0].width / 2, hintWidth - shortfall);
    }
    int left = 0;
    for (int i = 0; i < kPanelCount; ++i) {
        const bool last = i == kPanelCount - 1;
        const int fixed = i == 0 ? hintWidth : m_widths[static_cast<std::size_t>(i)];
        const int width = last ? std::max(fixed, this->width() - trailingWidth - left) : fixed;
        // A fixed size: a new text then repaints its panel only, instead of laying out the bar
        // and the window again.
        QLabel* label = m_panels[static_cast<std::size_t>(i)];
        label->setFixedSize(width, height());
        label->move(left, 0);
        left += width;
    }
    if (m_trailing)
        m_trailing->setGeometry(left, 0, fieldWidth, height());
    // Keep the size grip above the last panel.
    for (QObject* child : children()) {
        if (auto* widget = qobject_cast<QWidget*>(child); widget && widget->inherits("QSizeGrip"))
            widget->raise();
    }
}

} // namespace tavlor::ui
