#include "ui/grid/sheet_model.h"

#include "core/sheet/sheet.h"
#include "ui/text/bytetext.h"

namespace tavlor::ui {

SheetModel::SheetModel(const tavlor::Sheet& sheet, const tavlor::TextCodec& codec, QObject* parent)
    : QAbstractTableModel(parent), m_sheet(sheet), m_codec(codec) {}

int SheetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : tavlor::Sheet::kLastRow;
}

int SheetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : tavlor::Sheet::kLastCol;
}

QVariant SheetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const std::string& cell = m_sheet.cell(index.column() + 1, index.row() + 1);
    if (cell.empty())
        return {};
    // Only the start of a long cell can be seen; line breaks and tabs are drawn as blanks.
    QString shown = toText(std::string_view(cell).substr(0, kShownBytes), m_codec);
    for (QChar& ch : shown) {
        if (ch == u'\r' || ch == u'\n' || ch == u'\t')
            ch = u' ';
    }
    return shown;
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role == Qt::BackgroundRole) {
        const int current = orientation == Qt::Horizontal ? m_currentCol : m_currentRow;
        if (section + 1 == current && m_currentHeaderBrush.style() != Qt::NoBrush)
            return m_currentHeaderBrush;
        return {};
    }
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Horizontal) {
        if (section >= tavlor::Sheet::kLastCol)
            return {};
        return toText(m_sheet.cell(section + 1, 0));
    }
    if (section >= tavlor::Sheet::kLastRow)
        return {};
    return toText(m_sheet.cell(0, section + 1));
}

Qt::ItemFlags SheetModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void SheetModel::cellChanged(int col, int row) {
    if (col < 1 || row < 1)
        return;
    const QModelIndex at = index(row - 1, col - 1);
    emit dataChanged(at, at, {Qt::DisplayRole});
}

void SheetModel::allChanged() {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

void SheetModel::setCurrentCell(int col, int row) {
    // No headerDataChanged: the views would lay themselves out again and repaint everything. The
    // grid repaints the two sections that change.
    m_currentCol = col;
    m_currentRow = row;
}

void SheetModel::setCurrentHeaderBrush(const QBrush& brush) {
    m_currentHeaderBrush = brush;
}

} // namespace tavlor::ui
