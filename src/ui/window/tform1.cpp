#include "ui/window/tform1.h"

#include "core/desktop/uri_list.h"
#include "core/files/file_error.h"
#include "ui/desktop/application_title.h"
#include "ui/desktop/resources_init.h"
#include "ui/desktop/startup_frame_keeper.h"
#include "ui/desktop/window_placement.h"
#include "ui/dialogs/copyable_message_box.h"
#include "ui/encoding/document_encoding_control.h"
#include "ui/grid/sheet_grid.h"
#include "ui/recovery/recovery_timer.h"
#include "ui/text/bytetext.h"
#include "ui/text/formula_bar.h"
#include "ui/view/status_panels.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTimer>

#include <exception>

using tavlor::ui::toText;

namespace {
constexpr int kFormulaBarMargin = 70;    // client width - 70 puts the right edge 1 pixel inside
constexpr int kStartupFrameWatch = 3000; // how long a window manager may take to frame the window
} // namespace

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent), AppTitle(tavlor::ui::programTitle()), m_document(nullptr),
      m_recoveryUi(this, m_documentUi,
                   [this](const QString& text) { m_StatusBar->setPanelText(0, text); }) {
    tavlorInitResources();
    setObjectName(QStringLiteral("Form1"));
    QFont windowFont(QStringLiteral("Tahoma"));
    windowFont.setPixelSize(11);
    setFont(windowFont);
    setWindowIcon(QIcon(QStringLiteral(":/tavlor/icons/tavlor-48.png")));
    // Files dropped on the window are opened (WMDropFiles).
    setAcceptDrops(true);

    buildActions();
    buildLayout();
    buildSheetView();
    buildMenu();
    createCommandParts();
    wireEvents();

    m_Timer1 = new QTimer(this);
    m_Timer1->setObjectName(QStringLiteral("Timer1"));
    m_Timer1->setInterval(1);
    connect(m_Timer1, &QTimer::timeout, this, guarded(&TForm1::Timer1Timer));
    m_Timer1->start();
    m_recoveryTimer = new tavlor::ui::RecoveryTimer(this, guarded(&TForm1::writeRecovery));

    runGuarded([this] { FormCreate(); });
}

TForm1::~TForm1() {
    m_document.setView(nullptr);
    // The edit commands follow the application's focus and clipboard: they stop first.
    delete m_editCommands;
    m_editCommands = nullptr;
    // The controls read the document: they go while it still exists.
    delete takeCentralWidget();
}

void TForm1::FormCreate() {
    setWindowTitle(AppTitle);
    tavlor::ui::setApplicationTitle(windowTitle());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // The size counts the frame, which the platform window knows once it exists.
        create();
        const QSize frame = tavlor::ui::startupFrameSize(screen->availableGeometry().size());
        const QSize extra = frameGeometry().size() - geometry().size();
        resize(frame - extra);
    }
    // CurrentFileName starts empty: the document workflow begins unnamed.
    m_S->setColWidth(0, 30);
    m_document.sheet().writeHeaders();
    m_S->refreshHeaders();
    m_document.resetSnapshot();
    m_Label1->resize(kLabel1Width, m_Label1->height());
}

void TForm1::FormResize() {
    m_LabeledEdit1->resize(width() - kFormulaBarMargin, m_LabeledEdit1->height());
}

void TForm1::Timer1Timer() {
    m_Timer1->stop();
    // The top of the primary screen's work area: panels and docks keep theirs.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    move(x(), area.top() + 1);
    // An X11 window manager frames the window only after this; keep the outer rectangle meant
    // here. Other platforms place windows themselves.
    if (screen && QGuiApplication::platformName() == QStringLiteral("xcb"))
        new tavlor::ui::StartupFrameKeeper(
            this, QRect(QPoint(x(), area.top() + 1), tavlor::ui::startupFrameSize(area.size())),
            kStartupFrameWatch);
    releaseStartupBoxes();
}

void TForm1::releaseStartupBoxes() {
    // Once the window stands visible in its place, after the moves above have been handled.
    if (!m_shownOnce || m_Timer1->isActive() || m_startupBoxesReleased)
        return;
    m_startupBoxesReleased = true;
    QTimer::singleShot(0, this, [this] {
        m_documentUi.releaseBoxes();
        runGuarded([this] { offerRecovery(); });
    });
}

void TForm1::Exit1Click() {
    close();
}

QString TForm1::panelText(int index) const {
    return m_StatusBar->panelText(index);
}

void TForm1::runGuarded(const std::function<void()>& body) {
    try {
        body();
    } catch (const tavlor::FileError& error) {
        showError(error.what());
    } catch (const std::exception& error) {
        showError(error.what());
    }
}

void TForm1::showError(const std::string& message) {
    const QString caption =
        tavlor::ui::applicationTitle().isEmpty() ? AppTitle : tavlor::ui::applicationTitle();
    m_documentUi.showBox([this, caption, text = toText(tavlor::displayedMessage(message))] {
        // Copies itself on Ctrl+C like the other boxes; activation goes back to the window after.
        tavlor::ui::CopyableMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok,
                                           this);
        box.setObjectName(QStringLiteral("ErrorBox"));
        box.exec();
        m_documentUi.giveBackActivation();
    });
}

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // Long hints of menu items and toolbar buttons go to panel 0.
        m_StatusBar->setPanelText(0, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    if (event->type() == QEvent::WindowActivate) {
        // Back in the window: say so when another program changed the document's file meanwhile.
        if (const auto notice = m_workflow.changeNotice())
            m_StatusBar->setPanelText(0, toText(*notice));
    }
    return QMainWindow::event(event);
}

void TForm1::setVisible(bool visible) {
    if (visible && !m_shownOnce) {
        m_shownOnce = true;
        firstShow();
    }
    QMainWindow::setVisible(visible);
    if (visible && isVisible() && m_S && !m_S->ownsFocus() &&
        QApplication::focusWidget() == nullptr)
        m_S->setFocus(Qt::ActiveWindowFocusReason);
    if (visible)
        releaseStartupBoxes(); // when the first tick came before the window showed
}

void TForm1::firstShow() {
    // Errors and warnings of the start-up load show over the window once it stands in its place.
    m_documentUi.holdBoxesDuring([this] { runGuarded([this] { FormShow(); }); });
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        const QSize frame = frameGeometry().size();
        move(tavlor::ui::centredFramePosition(area, screen->virtualGeometry().topLeft(), frame));
    }
    m_S->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool canClose = false;
    runGuarded([&] { canClose = FormCloseQuery(); });
    if (canClose) {
        // Saved, or the user chose not to: nothing is left to recover.
        m_recoveryTimer->cancel();
        m_recovery.discard();
        event->accept();
    } else
        event->ignore();
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    runGuarded([this] { FormResize(); });
}

namespace {
// The dropped local files as the exact bytes of their names (a QString path would not keep a name
// that is not UTF-8).
std::vector<std::string> droppedPaths(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasFormat(QStringLiteral("text/uri-list")))
        return {};
    const QByteArray list = mime->data(QStringLiteral("text/uri-list"));
    return tavlor::localFilePaths(std::string_view(list.constData(), list.size()));
}
} // namespace

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedPaths(event->mimeData()).empty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TForm1::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = droppedPaths(event->mimeData());
    if (paths.empty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    runGuarded([&] { WMDropFiles(paths); });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // No tooltips in the main window: the short hint is not shown anywhere.
    if (event->type() == QEvent::ToolTip)
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::showEncoding(tavlor::TextEncoding encoding) {
    if (m_encodingControl)
        m_encodingControl->showEncoding(encoding);
    // Same bytes, other text: the grid and the editor show the cells anew, with no event.
    m_S->refreshAll();
    m_S->resyncWithSheet();
    // The recovery file keeps the encoding with the cells.
    if (m_recoveryTimer && m_document.isModified())
        m_recoveryTimer->noteChange();
}

tavlor::ui::EncodingChooser* TForm1::encodingChooser() const {
    return m_encodingControl->chooser();
}
