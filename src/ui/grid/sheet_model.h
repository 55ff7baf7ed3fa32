#pragma once

#include <QAbstractTableModel>
#include <QBrush>

namespace tavlor {
class Sheet;
class TextCodec;
} // namespace tavlor

namespace tavlor::ui {

/** Shows the sheet's data cells (model row r = sheet row r + 1, model column c = sheet column c +
 * 1) and its header cells as header texts, reading the sheet directly in the document's encoding;
 * it never copies a cell. */
class SheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    SheetModel(const tavlor::Sheet& sheet, const tavlor::TextCodec& codec,
               QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /** Tells the views that sheet cell (col, row) changed (data cells only). */
    void cellChanged(int col, int row);
    /** Tells the views that every cell may have changed (after a load or a clear). */
    void allChanged();
    /** The header sections of the current cell's column and row are drawn on this background.
     *  Neither tells the views: whoever changes them repaints the sections concerned. */
    void setCurrentCell(int col, int row);
    void setCurrentHeaderBrush(const QBrush& brush);

    /** The longest prefix of a cell the grid draws; the in-cell editor shows the whole text. */
    static constexpr std::size_t kShownBytes = 512;

private:
    const tavlor::Sheet& m_sheet;
    int m_currentCol = 1;
    int m_currentRow = 1;
    QBrush m_currentHeaderBrush;
    const tavlor::TextCodec& m_codec;
};

} // namespace tavlor::ui
