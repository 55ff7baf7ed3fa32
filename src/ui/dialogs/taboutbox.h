#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;

/** The about dialog: icon, maker, name and version, copyright, the web and mail links that light
 *  up under the pointer, and the licence remark; modal, fixed, closed only by OK. */
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kWebAddress = "http://www.vorlane.example/";
    static constexpr const char* kWebHost = "www.vorlane.example";
    static constexpr const char* kMailAddress = "tavlor@vorlane.example";

    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* Label5() const { return m_Label5; }
    QLabel* Label7() const { return m_Label7; }
    QPushButton* BitBtn1() const { return m_BitBtn1; }
    /** Whether link is drawn highlighted: red and underlined. */
    static bool isHighlighted(const QLabel* link);

    /** Puts the application's icon into the icon frame. */
    void FormCreate();
    /** Pointer over the background, the icon, a plain text line or OK: both links plain. */
    void FormMouseMove();
    /** Pointer over the web link: it lights up, the mail link goes plain. */
    void Label5MouseMove();
    /** Pointer over the mail link: it lights up, the web link goes plain. */
    void Label7MouseMove();
    /** Opens the web address through the desktop. */
    void Label5Click();
    /** Opens a mail to the mail address through the desktop. */
    void Label7Click();

public slots:
    /** Escape does nothing: the dialog has no cancel button and closes only by OK. */
    void reject() override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLabel* addText(const QString& text, int left, int top);
    static void setHighlighted(QLabel* link, bool highlighted);

    QLabel* m_Image1 = nullptr;
    QLabel* m_Label5 = nullptr;
    QLabel* m_Label7 = nullptr;
    QPushButton* m_BitBtn1 = nullptr;
    QList<QWidget*> m_formMoveSources;
};
