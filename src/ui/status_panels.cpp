#include "status_panels.h"

#include <QApplication>
#include <QLabel>

namespace tavlor::ui {

namespace {
struct PanelLayout {
    int width;
    bool lowered;
    Qt::Alignment alignment;
    const char16_t* initialText;
};
// The last panel's width only counts as a minimum: it always runs to the right edge.
constexpr PanelLayout kLayout[StatusPanels::kPanelCount] = {
    {250, false, Qt::AlignLeft, u""},   {55, true, Qt::AlignHCenter, u""},
    {30, true, Qt::AlignHCenter, u"1"}, {30, true, Qt::AlignHCenter, u"1"},
    {50, false, Qt::AlignLeft, u""},
};
constexpr int kBarHeight = 19;
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
    setFixedHeight(kBarHeight);
    for (int i = 0; i < kPanelCount; ++i) {
        auto* label = new QLabel(QString::fromUtf16(kLayout[i].initialText), this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i));
        label->setAlignment(kLayout[i].alignment | Qt::AlignVCenter);
        label->setFrameStyle(kLayout[i].lowered ? (QFrame::Panel | QFrame::Sunken)
                                                : QFrame::NoFrame);
        label->setTextFormat(Qt::PlainText);
        label->setIndent(2);
        label->setMinimumWidth(0);
        m_panels[static_cast<std::size_t>(i)] = label;
    }
    placePanels();
}

void StatusPanels::setPanelText(int index, const QString& text) {
    QLabel* label = panel(index);
    if (label->text() != text)
        label->setText(text);
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

void StatusPanels::placePanels() {
    const int fieldWidth =
        m_trailing ? std::max(m_trailing->sizeHint().width(), m_trailing->minimumWidth()) : 0;
    const int trailingWidth = m_trailing ? fieldWidth + kGripRoom : 0;
    int left = 0;
    for (int i = 0; i < kPanelCount; ++i) {
        const bool last = i == kPanelCount - 1;
        const int width = last ? std::max(kLayout[i].width, this->width() - trailingWidth - left)
                               : kLayout[i].width;
        m_panels[static_cast<std::size_t>(i)]->setGeometry(left, 0, width, height());
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
