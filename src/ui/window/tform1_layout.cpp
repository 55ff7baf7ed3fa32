// The window's bands: toolbar, formula panel, grid, tab strip, status bar.
#include "ui/window/tform1_command_table.h"

#include "ui/commands/tool_bar_style.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/formula_bar.h"
#include "ui/view/status_panels.h"
#include "ui/view/window_sheet_view.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kToolBarHeight = 22;
constexpr int kPanelHeight = 28;
constexpr int kTabSetHeight = 21;
constexpr QSize kButtonSize{23, 22};

QFont pixelFont(const QString& family, int pixels, bool bold) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
} // namespace

void TForm1::buildLayout() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setAutoFillBackground(true);
    client->setBackgroundRole(QPalette::Button);
    auto* bands = new QVBoxLayout(client);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);

    buildToolBar();
    bands->addWidget(m_ToolBar1);

    m_Panel1 = new QWidget(client);
    m_Panel1->setObjectName(QStringLiteral("Panel1"));
    m_Panel1->setFixedHeight(kPanelHeight);
    buildFormulaPanel(m_Panel1);
    bands->addWidget(m_Panel1);

    m_S = new tavlor::ui::SheetGrid(m_document.sheet(), m_document.codec(), client);
    m_S->setObjectName(QStringLiteral("S"));
    m_S->setAccessibleName(QStringLiteral("Sheet"));
    m_S->setFont(pixelFont(QStringLiteral("Arial"), 12, true));
    m_S->editor()->setFont(m_S->font());
    bands->addWidget(m_S, 1);

    auto* tabStrip = new QWidget(client);
    tabStrip->setObjectName(QStringLiteral("TabStrip"));
    tabStrip->setFixedHeight(kTabSetHeight);
    m_TabSet1 = new QTabBar(tabStrip);
    m_TabSet1->setObjectName(QStringLiteral("TabSet1"));
    m_TabSet1->setShape(QTabBar::RoundedSouth);
    m_TabSet1->setDrawBase(false);
    m_TabSet1->setExpanding(false);
    m_TabSet1->setFocusPolicy(Qt::NoFocus);
    m_TabSet1->addTab(QStringLiteral("Page 1"));
    m_TabSet1->setCurrentIndex(0);
    m_TabSet1->move(0, 0);
    m_TabSet1->resize(m_TabSet1->sizeHint().width(), kTabSetHeight);
    bands->addWidget(tabStrip);

    setCentralWidget(client);

    m_StatusBar = new tavlor::ui::StatusPanels(this);
    setStatusBar(m_StatusBar);

    // The grid is first in the tab order, the formula bar the only other stop.
    setTabOrder(m_S, m_LabeledEdit1);
}

void TForm1::buildToolBar() {
    m_ToolBar1 = new QToolBar(this);
    m_ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBarStyle = new tavlor::ui::ToolBarStyle();
    m_toolBarStyle->setParent(m_ToolBar1);
    m_ToolBar1->setStyle(m_toolBarStyle);
    m_ToolBar1->setMovable(false);
    m_ToolBar1->setFloatable(false);
    m_ToolBar1->setFixedHeight(kToolBarHeight);
    m_ToolBar1->setIconSize(QSize(16, 16));
    m_ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_ToolBar1->setContentsMargins(0, 0, 0, 0);

    const auto place = [this](QAction* action, const char* name) {
        QWidget* widget = m_ToolBar1->widgetForAction(action);
        widget->setObjectName(QString::fromLatin1(name));
        widget->setStyle(m_toolBarStyle);
        widget->installEventFilter(this);
        if (auto* button = qobject_cast<QToolButton*>(widget)) {
            button->setFixedSize(kButtonSize);
            button->setAutoRaise(true);
            button->setFocusPolicy(Qt::NoFocus);
        }
    };
    for (const Command& command : commandTable()) {
        if (command.tool.button == nullptr)
            continue;
        if (command.tool.separatorBefore != nullptr)
            place(m_ToolBar1->addSeparator(), command.tool.separatorBefore);
        QAction* action = m_ActionList1.action(command.id);
        m_ToolBar1->addAction(action);
        place(action, command.tool.button);
    }
    m_ToolBar1->installEventFilter(this);
}

void TForm1::buildFormulaPanel(QWidget* panel) {
    m_Label1 = new QLabel(QStringLiteral("A1"), panel);
    m_Label1->setObjectName(QStringLiteral("Label1"));
    m_Label1->setFont(pixelFont(QStringLiteral("Tahoma"), 11, true));
    m_Label1->setAlignment(Qt::AlignCenter);
    m_Label1->setTextFormat(Qt::PlainText);
    // Fixed in size, so that showing another cell name repaints the label and nothing else.
    m_Label1->setFixedSize(kLabel1Width, 13);
    m_Label1->move(3, 4);

    m_LabeledEdit1 = new tavlor::ui::FormulaBar(panel);
    m_LabeledEdit1->setObjectName(QStringLiteral("LabeledEdit1"));
    m_LabeledEdit1->setGeometry(69, 0, 686 - 70, 21);

    // The "fx:" label stands 3 pixels left of the box, centred on it vertically.
    m_fxLabel = new QLabel(QStringLiteral("fx:"), panel);
    m_fxLabel->setObjectName(QStringLiteral("LabeledEdit1Label"));
    m_fxLabel->setTextFormat(Qt::PlainText);
    m_fxLabel->setBuddy(m_LabeledEdit1);
    m_fxLabel->setGeometry(52, 4, 14, 13);
}

void TForm1::buildSheetView() {
    m_sheetView = new tavlor::ui::WindowSheetView(
        m_document, {m_S, m_LabeledEdit1, m_Label1, kLabel1Width, m_StatusBar},
        {[this](const std::function<void()>& body) { runGuarded(body); },
         [this](tavlor::TextEncoding encoding) { showEncoding(encoding); },
         [this] { contentChanged(); }},
        this);
    m_document.setView(m_sheetView);
}
