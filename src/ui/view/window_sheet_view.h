#pragma once

#include "core/document/sheet_view.h"

#include <QObject>
#include <QString>

#include <functional>
#include <string>

class QLabel;

namespace tavlor {
class SheetDocument;
} // namespace tavlor

namespace tavlor::ui {

class FormulaBar;
class SheetGrid;
class StatusPanels;

/** The window as the document's view: keeps the grid, the formula bar, the cell-name label and the
 *  status panels in step with the document, and hands the user's edits in the in-cell editor and
 *  the formula bar to the document, each once. */
class WindowSheetView : public QObject, public tavlor::SheetView {
public:
    /** The controls it updates; the window owns them and outlives this. */
    struct Controls {
        SheetGrid* grid = nullptr;
        FormulaBar* formulaBar = nullptr;
        QLabel* cellName = nullptr;
        int cellNameWidth = 0; // the label's width, whatever cell it names
        StatusPanels* panels = nullptr;
    };
    /** What the window keeps for itself: its one error boundary, which every handler runs in, and
     *  its answers to a new encoding and to changed content. */
    struct Window {
        std::function<void(const std::function<void()>&)> guard;
        std::function<void(tavlor::TextEncoding)> showEncoding;
        std::function<void()> contentChanged;
    };

    /** Listens to the controls' events from now on. */
    WindowSheetView(tavlor::SheetDocument& document, const Controls& controls, Window window,
                    QObject* parent = nullptr);

    /** Panel 0 shows hint; an empty hint clears the previous one if panel 0 still shows it. */
    void showCellHint(const std::string& hint);
    /** True unless the program is changing the formula bar's text: its next change is the user's.
     */
    bool formulaBarIsTheUsers() const { return m_barChange == BarChange::ByUser; }

    // tavlor::SheetView: the cells in the grid and the boxes.
    void showEditedCell(int col, int row, tavlor::EditSource source) override;
    void mirrorCell(int col, int row) override;
    void setCurrentCol(int col) override;
    void setCurrentRow(int row) override;
    void clearFormulaBar() override;
    void forgetEditHistory() override;
    // tavlor::SheetView: the status panels, and what the window answers itself.
    void showModified(bool modified) override;
    void showTotals(const std::string& text) override;
    void contentChanged() override;
    void showEncoding(tavlor::TextEncoding encoding) override;

private:
    /** Who changes the formula bar's text: the user (the text goes into the current cell), the
     *  program showing a cell (the bar's change handling only measures and checks) or the program
     *  showing the user's edit from the in-cell editor (no change handling at all). */
    enum class BarChange { ByUser, Shown, Quiet };
    class BarChangeScope;

    /** Before (col, row) becomes current: formula bar, row/column panels and cell name. */
    void selectCell(int col, int row);
    /** The editor's text for cell (col, row), on every change of the user's and when it leaves the
     *  cell: its bytes enter the document, unless the editor shows part of a huge cell. */
    void editorTextGiven(int col, int row, const QString& text);
    /** After a move: the formula bar shows the current cell. */
    void cellClicked();
    /** The formula bar's text changed: the user's bytes, or only the program's, enter the document.
     */
    void formulaBarChanged();
    /** After the user typed, pasted or cut in the in-cell editor or the formula bar: panel 0 says
     *  when the current cell's new text will read back split from the file, and why. */
    void hintSplitCell();
    /** Panel 0 says why cell (col, row) is not edited in place when it is huge. */
    void hintHugeCell(int col, int row);
    /** The formula bar shows cell, read-only when it is huge. */
    void showInFormulaBar(const std::string& cell);
    /** Connects the controls' events to the handlers above, each run in the window's boundary. */
    void connectControls();

    tavlor::SheetDocument& m_document;
    Controls m_controls;
    Window m_window;
    BarChange m_barChange = BarChange::ByUser;
    QString m_cellHint; // the hint about the current cell that panel 0 shows, if any
};

} // namespace tavlor::ui
