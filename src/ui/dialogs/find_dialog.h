#pragma once

#include <QDialog>
#include <QPoint>

#include <optional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavlor::ui {

/** The modeless find dialog of the main window: search text, the usual options (shown, kept and
 *  ignored by the search), Find Next and Cancel; it keeps its text and where it was closed. */
class FindDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxFindLength = 255;

    explicit FindDialog(QWidget* owner);

    /** Opens the dialog modeless, or brings it to the top when it is open already. The first
     *  opening centres it on the active window's screen at one third of the height; later ones
     *  put it where it was closed. */
    void showFind();

    QString findText() const;
    void setFindText(const QString& text);
    /** Where the dialog was last closed; none before the first closing. */
    std::optional<QPoint> rememberedPosition() const { return m_rememberedPosition; }

    QLineEdit* findEdit() const { return m_findWhat; }
    QPushButton* findNextButton() const { return m_findNext; }
    QPushButton* cancelButton() const { return m_cancel; }
    QCheckBox* wholeWordBox() const { return m_wholeWord; }
    QCheckBox* matchCaseBox() const { return m_matchCase; }
    QRadioButton* upButton() const { return m_up; }
    QRadioButton* downButton() const { return m_down; }

signals:
    /** Find Next was pressed (or Enter) with the current text. */
    void findNext();

public slots:
    /** Cancel, Escape or the close box: closes the dialog and remembers its position. */
    void done(int result) override;

private:
    QLineEdit* m_findWhat = nullptr;
    QCheckBox* m_wholeWord = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QPushButton* m_findNext = nullptr;
    QPushButton* m_cancel = nullptr;
    std::optional<QPoint> m_rememberedPosition;
};

} // namespace tavlor::ui
