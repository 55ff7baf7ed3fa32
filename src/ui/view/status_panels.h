#pragma once

#include <QStatusBar>

#include <array>

class QLabel;

namespace tavlor::ui {

/** The status bar with its five fixed panels (hint, modified flag, row, column, totals); the last
 *  panel reaches the right edge, or the field set at the right end, and a size grip sits at the
 *  right end. A font larger than the panels were made for widens them (and heightens the bar)
 *  until their longest texts fit. */
class StatusPanels : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 5;

    explicit StatusPanels(QWidget* parent = nullptr);

    /** Sets panel index's text (only when it differs, so an unchanged panel is not repainted). */
    void setPanelText(int index, const QString& text);
    QString panelText(int index) const;
    QLabel* panel(int index) const;
    /** Places field at the right end of the bar, as wide as it asks to be; the last panel ends
     *  where it begins. */
    void setTrailingField(QWidget* field);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fitToFont();
    void placePanels();

    std::array<QLabel*, kPanelCount> m_panels{};
    std::array<int, kPanelCount> m_widths{};
    int m_totalsNeeded = 0; // the totals' widest text once the font has grown; 0 before
    QWidget* m_trailing = nullptr;
};

} // namespace tavlor::ui
