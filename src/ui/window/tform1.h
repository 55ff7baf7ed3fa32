#pragma once

#include "core/document/document_workflow.h"
#include "core/document/sheet_document.h"
#include "core/document/sheet_load_ahead.h"
#include "core/recovery/document_recovery.h"
#include "core/recovery/recovery_store.h"
#include "ui/commands/action_registry.h"
#include "ui/commands/edit_commands.h"
#include "ui/dialogs/qt_document_ui.h"
#include "ui/recovery/qt_recovery_ui.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTabBar;
class QTimer;
class QToolBar;

namespace tavlor::ui {
class DocumentEncodingControl;
class FormulaBar;
class SheetGrid;
class EncodingChooser;
class FindDialog;
class PrintController;
class RecoveryTimer;
class StatusPanels;
class ToolBarStyle;
class WindowSheetView;
} // namespace tavlor::ui

/** The main window: toolbar, formula panel, the sheet grid S, the tab strip and the status bar,
 *  with every command of the program; it owns the document and the view that keeps grid, formula
 *  bar and status panels in step with it. */
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    /** The window's command of id (a row of the command table), shared by menu items, toolbar
     *  buttons and shortcuts. */
    QAction* action(std::string_view id) const { return m_ActionList1.action(id); }
    /** A row of the window's command table (tform1_command_table.h). */
    struct Command;

    /** The find dialog, created with the window and reused (tform1_commands.cpp). */
    tavlor::ui::FindDialog* FindDialog() const { return m_FindDialog; }
    /** The current printer and its jobs. */
    tavlor::ui::PrintController* printController() const { return m_printController; }

    /** The fixed program title shown in the caption and the error boxes. */
    const QString AppTitle;
    /** The open document's path (bytes, as given); empty when the sheet is unnamed. */
    const std::string& CurrentFileName() const;

    // Controls, for the other parts of the window and for tests.
    tavlor::ui::SheetGrid* S() const { return m_S; }
    tavlor::ui::FormulaBar* LabeledEdit1() const { return m_LabeledEdit1; }
    QLabel* LabeledEdit1Label() const { return m_fxLabel; }
    QLabel* Label1() const { return m_Label1; }
    QWidget* Panel1() const { return m_Panel1; }
    QToolBar* ToolBar1() const { return m_ToolBar1; }
    QTabBar* TabSet1() const { return m_TabSet1; }
    tavlor::ui::StatusPanels* StatusBar() const { return m_StatusBar; }
    QTimer* Timer1() const { return m_Timer1; }
    const tavlor::ui::EditCommands* editCommands() const { return m_editCommands; }
    QString panelText(int index) const;
    tavlor::SheetDocument& document() { return m_document; }
    const tavlor::SheetDocument& document() const { return m_document; }
    /** The document's view: grid, formula bar, cell name and status panels kept in step. */
    const tavlor::ui::WindowSheetView& sheetView() const { return *m_sheetView; }

    // Entry points run from outside the window: main, drops, tests.
    /** Opens dropped files, given as the bytes of their paths (tform1_documents.cpp). */
    void WMDropFiles(const std::vector<std::string>& paths);
    /** The command-line arguments after the program path; FormShow opens the file they name,
     *  taking its cells from ahead when that read the same file. */
    void setCommandLine(std::vector<std::string> arguments,
                        std::unique_ptr<tavlor::SheetLoadAhead> ahead = nullptr);
    /** The save prompt, the Open and Save dialogs, the caption and the load warning. */
    tavlor::ui::QtDocumentUi& documentUi() { return m_documentUi; }
    // Find and About (tform1_commands.cpp).
    void Find1Click();
    void ToolButton10Click();
    void About1Click();
    // The edit commands act on the focused text box (edit_commands.cpp).
    void EditUndo1Execute() { m_editCommands->EditUndo1Execute(); }
    void EditDelete1Execute() { m_editCommands->EditDelete1Execute(); }

    /** The document's encoding: its status-bar field and menu, and the change of it. */
    tavlor::ui::DocumentEncodingControl& encodingControl() { return *m_encodingControl; }
    /** The status-bar field and the menu of encodings. */
    tavlor::ui::EncodingChooser* encodingChooser() const;

    // Unsaved work kept in a recovery file (tform1_recovery.cpp).
    /** Writes the unsaved changes to the recovery file now: the process may be ended next. */
    void keepUnsavedWork();
    /** When a change reaches the recovery file: quiet milliseconds after the last change, at most
     *  longest milliseconds after the first one not yet written. */
    void setRecoveryDelays(int quiet, int longest);
    /** Waits until a recovery write that runs beside the window has ended. */
    void finishRecoveryWrite();
    /** Where this window's recovery file goes; empty before the first write. */
    const std::string& recoveryFile() const { return m_recoveryStore.ownFile(); }

protected:
    bool event(QEvent* event) override;
    void setVisible(bool visible) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kLabel1Width = 46; // the cell-name label, whatever its text

    // Start-up and window handlers (tform1.cpp).
    /** Runs once the window is built: flags, caption, size, header column, header cells. */
    void FormCreate();
    /** Keeps the formula bar's right edge one pixel inside the client area. */
    void FormResize();
    /** First tick after start-up: moves the window to the top of the screen, once. */
    void Timer1Timer();
    void Exit1Click();

    // Document commands (tform1_documents.cpp).
    void FileNew1Execute() { runSettled(&tavlor::DocumentWorkflow::newDocument); }
    void FileOpen1Execute() { runSettled(&tavlor::DocumentWorkflow::open); }
    void FileSave1Execute() { runSettled(&tavlor::DocumentWorkflow::save); }
    void SaveAs1Click() { runSettled(&tavlor::DocumentWorkflow::saveAs); }
    /** Runs a command of the document workflow; the recovery file settles after it, also when an
     *  error ended it. */
    void runSettled(void (tavlor::DocumentWorkflow::*command)());
    /** Whether the window may close (asks to save unsaved changes). */
    bool FormCloseQuery();
    /** Runs once, on first show, before the window is centred. */
    void FormShow();

    // Other commands (tform1_commands.cpp).
    void FilePrint1Execute();
    void FilePrintSetup1Execute();
    void FindDialogFind();
    void VersionHistory1Click();

    // Unsaved work (tform1_recovery.cpp).
    /** The recovery timer's write; a failure is noted once in panel 0. */
    void writeRecovery();
    /** After the start-up boxes: offers what earlier runs that did not end properly left. */
    void offerRecovery();
    /** The content changed: the recovery write comes due. */
    void contentChanged();

    /** Runs body; a FileError or other exception ends it and shows the error box. */
    void runGuarded(const std::function<void()>& body);
    /** A slot that runs handler (a member of TForm1) through runGuarded. */
    template <typename Handler> auto guarded(Handler handler) {
        return [this, handler](auto&&...) { runGuarded([this, handler] { (this->*handler)(); }); };
    }
    /** The error box: application title as caption, stop icon, OK. */
    void showError(const std::string& message);

    /** A new encoding: the chooser, the grid and the editor show it. */
    void showEncoding(tavlor::TextEncoding encoding);

    /** The window's commands, one row each (tform1_command_table.cpp). */
    static std::span<const Command> commandTable();

    // Building the window (tform1_layout.cpp, tform1_actions.cpp).
    void buildLayout();
    void buildToolBar();
    void buildFormulaPanel(QWidget* parent);
    /** The document's view over the controls; the document reports to it from now on. */
    void buildSheetView();
    void buildActions();
    void buildMenu();
    void wireEvents();
    void firstShow();
    /** Shows the boxes held back during the start-up load, once the window is placed. */
    void releaseStartupBoxes();
    /** Creates the find dialog and the printing (tform1_commands.cpp). */
    void createCommandParts();
    /** Builds the encoding's menu and field and makes both text boxes refuse what the document's
     *  encoding cannot hold (tform1_actions.cpp). */
    void buildEncodingControl();

    tavlor::ui::ActionRegistry m_ActionList1; // the command list: every row's action, by id
    tavlor::SheetDocument m_document;
    tavlor::ui::QtDocumentUi m_documentUi{this};
    tavlor::DocumentWorkflow m_workflow{m_document, m_documentUi};
    tavlor::RecoveryStore m_recoveryStore{tavlor::RecoveryStore::defaultFolder()};
    tavlor::DocumentRecovery m_recovery{m_document, m_workflow, m_recoveryStore};
    tavlor::ui::QtRecoveryUi m_recoveryUi;
    tavlor::ui::RecoveryTimer* m_recoveryTimer = nullptr;
    std::vector<std::string> m_commandLine;
    std::unique_ptr<tavlor::SheetLoadAhead> m_loadAhead; // the start-up file, read meanwhile
    tavlor::ui::SheetGrid* m_S = nullptr;
    tavlor::ui::FormulaBar* m_LabeledEdit1 = nullptr;
    QLabel* m_fxLabel = nullptr;
    QLabel* m_Label1 = nullptr;
    QWidget* m_Panel1 = nullptr;
    QToolBar* m_ToolBar1 = nullptr;
    tavlor::ui::ToolBarStyle* m_toolBarStyle = nullptr;
    QTabBar* m_TabSet1 = nullptr;
    tavlor::ui::StatusPanels* m_StatusBar = nullptr;
    QTimer* m_Timer1 = nullptr;
    tavlor::ui::EditCommands* m_editCommands = nullptr;
    tavlor::ui::WindowSheetView* m_sheetView = nullptr;
    bool m_shownOnce = false;
    bool m_startupBoxesReleased = false;
    tavlor::ui::FindDialog* m_FindDialog = nullptr;
    tavlor::ui::PrintController* m_printController = nullptr;
    tavlor::ui::DocumentEncodingControl* m_encodingControl = nullptr;
};
