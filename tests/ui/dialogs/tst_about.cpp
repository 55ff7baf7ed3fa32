// The about box and the version history of the Help menu.
#include "core/files/program_folder.h"
#include "support/form_harness.h"
#include "support/modal_script.h"
#include "ui/dialogs/taboutbox.h"
#include "ui/window/tform1.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QtTest>

#include <functional>

using namespace tavlor::test;

/** Stands in for the desktop: records the addresses it is asked to open. */
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

namespace {

bool isPlainBlue(const QLabel* link) {
    return link->palette().color(QPalette::WindowText) == QColor(0, 0, 255) &&
           !link->font().underline();
}

QLabel* labelWithText(const QWidget* box, const QString& text) {
    for (QLabel* label : box->findChildren<QLabel*>()) {
        if (label->text() == text)
            return label;
    }
    return nullptr;
}

// Moves the pointer to point (in box coordinates) through the window system, so enter, leave,
// status tips and mouse tracking behave as for a real pointer.
void pointAt(TAboutBox* box, QPoint point) {
    QTest::mouseMove(box->windowHandle(), point);
    QCoreApplication::processEvents();
}

QPoint centreOf(const QWidget* child, const QWidget* box) {
    return child->mapTo(box, child->rect().center());
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void init() { m_form = showForm(); }
    void cleanup() { m_form.reset(); }

    void showsItsElementsWhereDesigned();
    void escapeAndClosingDoNothingOkCloses();
    void linksLightUpUnderThePointerAndHintInPanel0();
    void linkClicksOpenTheAddresses();
    void everyShowingIsANewDialogStartingBlue();
    void versionHistoryOpensTheFileBesideTheProgram();

private:
    /** Shows the about box through the Help menu and runs check on it; then OK closes it. */
    void withAboutBox(const std::function<void(TAboutBox*)>& check);

    std::unique_ptr<TForm1> m_form;
};

void TestAbout::withAboutBox(const std::function<void(TAboutBox*)>& check) {
    QPointer<TAboutBox> shown;
    ModalScript script;
    script.then([&](QWidget* modal) {
        shown = qobject_cast<TAboutBox*>(modal);
        QVERIFY(shown != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        check(shown);
        if (shown)
            shown->BitBtn1()->click();
    });
    m_form->action("About1")->trigger();
    QCOMPARE(script.answered(), 1);
    QVERIFY(shown.isNull()); // destroyed when it closed
}

void TestAbout::showsItsElementsWhereDesigned() {
    withAboutBox([this](TAboutBox* box) {
        QCOMPARE(box->windowTitle(), QStringLiteral("About Tavlor"));
        QCOMPARE(box->size(), QSize(234, 161));
        QCOMPARE(box->minimumSize(), QSize(234, 161));
        QCOMPARE(box->maximumSize(), QSize(234, 161));
        QVERIFY(box->isModal());
        QVERIFY(!m_form->isEnabled() || QApplication::activeModalWidget() == box);
        const Qt::WindowFlags flags = box->windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

        const QRect screen = box->screen()->geometry();
        const QSize frame = box->frameGeometry().size();
        QCOMPARE(box->frameGeometry().topLeft(),
                 QPoint(screen.left() + (screen.width() - frame.width()) / 2,
                        screen.top() + (screen.height() - frame.height()) / 2));

        const struct {
            const char* text;
            QPoint position;
        } texts[] = {{"Vorlane Software", {55, 8}}, {"Tavlor 1.10", {55, 24}},
                     {"Web Site:", {55, 64}},       {"www.vorlane.example", {108, 64}},
                     {"E-mail:", {55, 80}},         {"tavlor@vorlane.example", {108, 80}}};
        for (const auto& text : texts) {
            QLabel* label = labelWithText(box, QString::fromLatin1(text.text));
            QVERIFY2(label != nullptr, text.text);
            QCOMPARE(label->pos(), text.position);
        }
        const auto labels = box->findChildren<QLabel*>();
        for (QLabel* label : labels) // every text fits in the fixed client area
            QVERIFY2(box->rect().contains(label->geometry()), qPrintable(label->text()));
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](QLabel* label) {
            return label->pos() == QPoint(55, 40) &&
                   label->text().contains(QStringLiteral("Copyright")) &&
                   label->text().contains(QStringLiteral("Vorlane Software"));
        }));
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](QLabel* label) {
            return label->text().contains(QStringLiteral("license.txt"));
        }));
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](QLabel* label) {
            return label->geometry() == QRect(11, 11, 32, 32); // the icon
        }));
        const auto frames = box->findChildren<QFrame*>();
        QVERIFY(std::any_of(frames.begin(), frames.end(), [](QFrame* frame) {
            return frame->geometry() == QRect(10, 10, 34, 34) &&
                   frame->frameShadow() == QFrame::Sunken;
        }));

        QCOMPARE(box->Label5()->toolTip(), QStringLiteral("http://www.vorlane.example/"));
        QCOMPARE(box->Label7()->toolTip(), QStringLiteral("Mailto tavlor@vorlane.example"));
        QCOMPARE(box->Label5()->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(box->Label7()->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(isPlainBlue(box->Label5()));
        QVERIFY(isPlainBlue(box->Label7()));
        // Only the links carry tooltips.
        for (QWidget* child : box->findChildren<QWidget*>()) {
            if (child != box->Label5() && child != box->Label7())
                QVERIFY2(child->toolTip().isEmpty(), child->metaObject()->className());
        }

        QCOMPARE(box->BitBtn1()->text(), QStringLiteral("&OK"));
        QCOMPARE(box->BitBtn1()->geometry(), QRect(55, 128, 106, 25));
        QVERIFY(box->BitBtn1()->isDefault());
        QVERIFY(!box->BitBtn1()->icon().isNull());
    });
}

void TestAbout::escapeAndClosingDoNothingOkCloses() {
    bool stayedOpen = false;
    bool closedByEnter = false;
    ModalScript script;
    script.then([&](QWidget* modal) {
        auto* box = qobject_cast<TAboutBox*>(modal);
        QVERIFY(box != nullptr);
        QTest::keyClick(box, Qt::Key_Escape);
        box->close();
        box->reject();
        stayedOpen = box->isVisible();
        QTest::keyClick(box, Qt::Key_Return);
        closedByEnter = !box->isVisible();
    });
    m_form->About1Click();
    QCOMPARE(script.answered(), 1);
    QVERIFY(stayedOpen);
    QVERIFY(closedByEnter);
}

void TestAbout::linksLightUpUnderThePointerAndHintInPanel0() {
    withAboutBox([this](TAboutBox* box) {
        QLabel* web = box->Label5();
        QLabel* mail = box->Label7();
        pointAt(box, QPoint(200, 150)); // the pointer arrives over the background first
        pointAt(box, centreOf(web, box));
        QVERIFY(TAboutBox::isHighlighted(web));
        QVERIFY(isPlainBlue(mail));
        QCOMPARE(m_form->panelText(0), QStringLiteral("http://www.vorlane.example/"));

        pointAt(box, centreOf(mail, box)); // straight from one link onto the other
        QVERIFY(TAboutBox::isHighlighted(mail));
        QVERIFY(isPlainBlue(web));
        QCOMPARE(m_form->panelText(0), QStringLiteral("Mailto tavlor@vorlane.example"));

        pointAt(box, QPoint(200, 150)); // the background
        QVERIFY(isPlainBlue(web));
        QVERIFY(isPlainBlue(mail));
        QCOMPARE(m_form->panelText(0), QString());

        // The licence line and the thin frame have no mouse handling: the links keep their state.
        pointAt(box, centreOf(web, box));
        QLabel* licence = nullptr;
        for (QLabel* label : box->findChildren<QLabel*>()) {
            if (label->text().contains(QStringLiteral("license.txt")))
                licence = label;
        }
        QVERIFY(licence != nullptr);
        pointAt(box, centreOf(licence, box));
        QVERIFY(TAboutBox::isHighlighted(web));
        pointAt(box, QPoint(10, 27)); // the frame's left edge
        QVERIFY(TAboutBox::isHighlighted(web));

        // A plain text line, the icon and the OK button reset them.
        pointAt(box, centreOf(labelWithText(box, QStringLiteral("Web Site:")), box));
        QVERIFY(isPlainBlue(web));
        pointAt(box, centreOf(mail, box));
        pointAt(box, QPoint(27, 27)); // the icon
        QVERIFY(isPlainBlue(mail));
        pointAt(box, centreOf(web, box));
        pointAt(box, centreOf(box->BitBtn1(), box));
        QVERIFY(isPlainBlue(web));
    });
}

void TestAbout::linkClicksOpenTheAddresses() {
    UrlRecorder desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &desktop, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &desktop, "open");
    bool stayedOpen = false;
    withAboutBox([&](TAboutBox* box) {
        QTest::mouseClick(box->Label5(), Qt::LeftButton);
        QTest::mouseClick(box->Label7(), Qt::LeftButton);
        QTest::mouseClick(box->Label7(), Qt::RightButton); // only the left button clicks
        stayedOpen = box->isVisible();
    });
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QVERIFY(stayedOpen);
    QCOMPARE(desktop.opened, (QList<QUrl>{QUrl(QStringLiteral("http://www.vorlane.example/")),
                                          QUrl(QStringLiteral("mailto:tavlor@vorlane.example"))}));
}

void TestAbout::everyShowingIsANewDialogStartingBlue() {
    QPointer<TAboutBox> first;
    withAboutBox([&](TAboutBox* box) {
        first = box;
        box->Label5MouseMove();
        QVERIFY(TAboutBox::isHighlighted(box->Label5()));
    });
    QVERIFY(first.isNull());
    withAboutBox([](TAboutBox* box) {
        QVERIFY(isPlainBlue(box->Label5()));
        QVERIFY(isPlainBlue(box->Label7()));
    });
}

void TestAbout::versionHistoryOpensTheFileBesideTheProgram() {
    UrlRecorder desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
    m_form->action("VersionHistory1")->trigger();
    m_form->action("VersionHistory1")->trigger(); // every choice opens it again
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));

    const std::string program =
        QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    const QString beside = QFile::decodeName(tavlor::versionHistoryPath(program).c_str());
    const QString installed =
        QDir::cleanPath(QFile::decodeName(tavlor::installedVersionHistoryPath(program).c_str()));
    const QString expected =
        !QFileInfo::exists(beside) && QFileInfo::exists(installed) ? installed : beside;
    QCOMPARE(desktop.opened.size(), 2);
    QCOMPARE(desktop.opened.front().toLocalFile(), expected);
    QCOMPARE(QFileInfo(expected).fileName(), QStringLiteral("versions.txt"));
    QCOMPARE(QFileInfo(expected).absolutePath(), QCoreApplication::applicationDirPath());
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
