#include "ui/grid/sheet_grid.h"

#include "core/sheet/cell_size_limit.h"
#include "core/sheet/sheet.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/fixed_size_header.h"
#include "ui/grid/header_edge_resizer.h"
#include "ui/grid/sheet_model.h"
#include "ui/text/bytetext.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

#include <stdexcept>

namespace tavlor::ui {

namespace {
constexpr int kDefaultColWidth = 100;
constexpr int kDefaultRowHeight = 20;
} // namespace

SheetGrid::SheetGrid(const tavlor::Sheet& sheet, const tavlor::TextCodec& codec, QWidget* parent)
    : QTableView(parent), m_sheet(sheet), m_codec(codec),
      m_model(new SheetModel(sheet, codec, this)) {
    setHorizontalHeader(new FixedSizeHeader(Qt::Horizontal, this));
    setVerticalHeader(new FixedSizeHeader(Qt::Vertical, this));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setTabKeyNavigation(false);
    setShowGrid(true);
    setGridStyle(Qt::SolidLine);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLayoutDirection(Qt::LeftToRight);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    // The view moves when the thumb is let go, not while it is dragged.
    horizontalScrollBar()->setTracking(false);
    verticalScrollBar()->setTracking(false);
    viewport()->setCursor(Qt::CrossCursor);

    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionsClickable(false);
        header->setSectionsMovable(false);
        header->setHighlightSections(false);
        header->setMinimumSectionSize(4);
        header->setSectionResizeMode(QHeaderView::Interactive);
        // Installed before the grid's own filter, which therefore sees every press first.
        if (header == horizontalHeader())
            new HeaderEdgeResizer(header, [this](int height) { setRowHeightOf(0, height); });
        else
            new HeaderEdgeResizer(header, [this](int width) { setColWidth(0, width); });
        header->viewport()->installEventFilter(this);
        connect(header, &QHeaderView::sectionResized, this, [this] { placeEditor(); });
    }
    horizontalHeader()->setDefaultSectionSize(kDefaultColWidth);
    horizontalHeader()->setFixedHeight(kDefaultRowHeight);
    verticalHeader()->setDefaultSectionSize(kDefaultRowHeight);
    verticalHeader()->setFixedWidth(kDefaultColWidth);
    // The model comes last: the headers then make their 9,999 sections with these settings
    // instead of changing each of them, one signal per section, for every setting above.
    setModel(m_model);

    showCurrentHeaders();

    m_editor = new CellEditor(this, viewport());
    m_editor->hide();
    connect(m_editor, &QLineEdit::textEdited, this, [this] { onEditorEdited(); });

    setCurrentIndex(m_model->index(0, 0));
    showSelection();
}

SheetGrid::~SheetGrid() = default;

void SheetGrid::setCol(int col) {
    if (col < 1 || col > tavlor::Sheet::kLastCol)
        throw std::out_of_range("Grid index out of range");
    moveTo(col, m_row);
}

void SheetGrid::setRow(int row) {
    if (row < 1 || row > tavlor::Sheet::kLastRow)
        throw std::out_of_range("Grid index out of range");
    moveTo(m_col, row);
}

bool SheetGrid::selectionAllowed(int col, int row) {
    if (col == m_col && row == m_row)
        return false;
    bool canSelect = true;
    emit selectCell(col, row, &canSelect);
    return canSelect;
}

void SheetGrid::moveTo(int col, int row, bool keepAnchor) {
    if (!selectionAllowed(col, row))
        return;
    m_col = col;
    m_row = row;
    if (!keepAnchor) {
        m_anchorCol = col;
        m_anchorRow = row;
    }
    showSelection();
    if (m_editorOpen) {
        commitEditor();
        openEditor();
    }
    emit cellClick();
}

void SheetGrid::redrawCell(int col, int row) {
    m_model->cellChanged(col, row);
}

void SheetGrid::showCell(int col, int row) {
    m_model->cellChanged(col, row);
    if (m_editorOpen && col == m_editorCol && row == m_editorRow)
        showInEditor(m_sheet.cell(col, row));
}

void SheetGrid::refreshAll() {
    m_model->allChanged();
    viewport()->update();
}

void SheetGrid::resyncWithSheet() {
    viewport()->update();
    if (m_editorOpen && m_editorCol > 0 && m_editorRow > 0) {
        const std::string& cell = m_sheet.cell(m_editorCol, m_editorRow);
        const QString text = editorText(cell, m_codec);
        if (m_editor->text() != text)
            showInEditor(cell, text);
    }
}

void SheetGrid::refreshHeaders() {
    // Repainted, not re-measured: the header sections keep their sizes whatever they say.
    horizontalHeader()->viewport()->update();
    verticalHeader()->viewport()->update();
}

void SheetGrid::setColWidth(int col, int width) {
    if (col == 0) {
        verticalHeader()->setFixedWidth(width);
        updateGeometries(); // the cells move over at once, not at the next layout
    } else {
        setColumnWidth(col - 1, width);
    }
    placeEditor();
}

void SheetGrid::setRowHeightOf(int row, int height) {
    if (row == 0) {
        horizontalHeader()->setFixedHeight(height);
        updateGeometries();
    } else {
        setRowHeight(row - 1, height);
    }
    placeEditor();
}

int SheetGrid::colWidth(int col) const {
    return col == 0 ? verticalHeader()->width() : columnWidth(col - 1);
}

int SheetGrid::rowHeightOf(int row) const {
    return row == 0 ? horizontalHeader()->height() : rowHeight(row - 1);
}

QRect SheetGrid::cellRect(int col, int row) const {
    return visualRect(m_model->index(row - 1, col - 1));
}

bool SheetGrid::ownsFocus() const {
    return hasFocus() || m_editor->hasFocus();
}

void SheetGrid::openEditor() {
    m_editorCol = m_col;
    m_editorRow = m_row;
    m_editorOpen = true;
    showInEditor(m_sheet.cell(m_col, m_row));
    placeEditor();
    m_editor->show();
    if (hasFocus())
        m_editor->setFocus(Qt::OtherFocusReason);
}

void SheetGrid::closeEditor() {
    if (!m_editorOpen)
        return;
    commitEditor();
    m_editorOpen = false;
    m_editorCol = 0;
    m_editorRow = 0;
    // Hand the focus to the grid first, so that hiding the editor does not pass it on elsewhere.
    if (m_editor->hasFocus())
        setFocus(Qt::MouseFocusReason);
    m_editor->hide();
}

void SheetGrid::commitEditor() {
    if (m_editorCol < 1 || m_editorRow < 1)
        return;
    emit setEditText(m_editorCol, m_editorRow, m_editor->text());
}

void SheetGrid::showInEditor(const std::string& cell) {
    showInEditor(cell, editorText(cell, m_codec));
}

void SheetGrid::showInEditor(const std::string& cell, const QString& text) {
    m_editor->setReadOnly(tavlor::isHugeCell(cell));
    m_editor->setText(text);
    m_editor->selectAll();
}

void SheetGrid::onEditorEdited() {
    // Every user change of the editor's text is reported at once, to be stored.
    commitEditor();
}

void SheetGrid::placeEditor() {
    if (!m_editor)
        return;
    const int col = m_editorCol > 0 ? m_editorCol : m_col;
    const int row = m_editorRow > 0 ? m_editorRow : m_row;
    QRect rect = cellRect(col, row);
    if (showGrid())
        rect.adjust(0, 0, -1, -1);
    m_editor->setGeometry(rect);
}

void SheetGrid::showSelection() {
    m_model->setCurrentCell(m_col, m_row);
    const QModelIndex current = m_model->index(m_row - 1, m_col - 1);
    const QModelIndex anchor = m_model->index(m_anchorRow - 1, m_anchorCol - 1);
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    if (anchor == current)
        selectionModel()->clearSelection();
    else
        selectionModel()->select(QItemSelection(anchor, current),
                                 QItemSelectionModel::ClearAndSelect);
    scrollTo(current);
    repaintCurrentHeaders(false); // where the sections are after the scroll
    placeEditor();
}

void SheetGrid::pressAt(Qt::MouseButton button, const QPoint& pos) {
    m_pressing = true;
    closeEditor();
    setFocus(Qt::MouseFocusReason);
    if (button != Qt::LeftButton)
        return;
    const QModelIndex index = indexAt(pos);
    if (!index.isValid())
        return;
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    if (!selectionAllowed(col, row))
        return;
    m_col = m_anchorCol = col;
    m_row = m_anchorRow = row;
    showSelection();
    openEditor();
    emit cellClick();
}

void SheetGrid::releasePress() {
    if (!m_pressing)
        return;
    m_pressing = false;
    if (!hasFocus() && !m_editor->hasFocus())
        return;
    openEditor();
    m_editor->setFocus(Qt::MouseFocusReason);
}

void SheetGrid::mousePressEvent(QMouseEvent* event) {
    pressAt(event->button(), event->position().toPoint());
    event->accept();
}

void SheetGrid::mouseMoveEvent(QMouseEvent* event) {
    // A press never starts a block of cells: editing is on.
    event->accept();
}

void SheetGrid::mouseReleaseEvent(QMouseEvent* event) {
    releasePress();
    event->accept();
}

void SheetGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    pressAt(event->button(), event->position().toPoint());
    event->accept();
}

bool SheetGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontalHeader()->viewport() || watched == verticalHeader()->viewport()) {
        // A press on a header cell commits and hides the editor and selects nothing; the header
        // itself still resizes rows and columns.
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) {
            m_pressing = true;
            closeEditor();
            setFocus(Qt::MouseFocusReason);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            releasePress();
        }
    }
    return QTableView::eventFilter(watched, event);
}

void SheetGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (m_pressing)
        return;
    // The editor opens the first time the grid gets the focus and stays open from then on.
    if (!m_editorOpen)
        openEditor();
    m_editor->setFocus(event->reason());
}

void SheetGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
}

void SheetGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    placeEditor();
}

void SheetGrid::showCurrentHeaders() {
    // The current row's and column's header sections stand out, tinted with the selection colour.
    const QColor button = palette().color(QPalette::Button);
    const QColor highlight = palette().color(QPalette::Highlight);
    const auto mix = [](int a, int b) { return (a * 3 + b * 2) / 5; };
    m_model->setCurrentHeaderBrush(QColor(mix(button.red(), highlight.red()),
                                          mix(button.green(), highlight.green()),
                                          mix(button.blue(), highlight.blue())));
    repaintCurrentHeaders(true);
}

void SheetGrid::repaintCurrentHeaders(bool all) {
    // The sections that lose the tint and those that gain it, nothing else: the headers keep their
    // measured sizes and the cells are not laid out again.
    const auto repaintSection = [](QHeaderView* header, int section) {
        QWidget* area = header->viewport();
        const int start = header->sectionViewportPosition(section);
        const int size = header->sectionSize(section);
        if (header->orientation() == Qt::Horizontal)
            area->update(start, 0, size, area->height());
        else
            area->update(0, start, area->width(), size);
    };
    if (m_tintedCol != m_col || all) {
        repaintSection(horizontalHeader(), m_tintedCol - 1);
        repaintSection(horizontalHeader(), m_col - 1);
    }
    if (m_tintedRow != m_row || all) {
        repaintSection(verticalHeader(), m_tintedRow - 1);
        repaintSection(verticalHeader(), m_row - 1);
    }
    m_tintedCol = m_col;
    m_tintedRow = m_row;
}

void SheetGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        showCurrentHeaders();
}

void SheetGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeEditor();
}

} // namespace tavlor::ui
