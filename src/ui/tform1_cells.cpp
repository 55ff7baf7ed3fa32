// The handlers that keep the formula bar, the cell-name label and the status panels in step with
// the grid's current cell.
#include "tform1.h"

#include "bytetext.h"
#include "formula_bar.h"
#include "sheet_grid.h"
#include "status_panels.h"

#include <QLabel>

using tavlor::ui::toBytes;
using tavlor::ui::toText;

namespace {
constexpr int kLabel1Width = 46;

// Clears a guard flag when its handler ends, also when the handler ends with an error.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};
} // namespace

void TForm1::SSelectCell(int ACol, int ARow, bool& CanSelect) {
    (void)CanSelect; // every cell may be selected
    FlagScope selecting(SelectSync);
    const tavlor::Sheet& sheet = m_document.sheet();
    m_LabeledEdit1->assign(toText(sheet.cell(ACol, ARow), m_document.codec()));
    m_StatusBar->setPanelText(2, QString::number(ARow));
    m_StatusBar->setPanelText(3, QString::number(ACol));
    m_Label1->setText(toText(sheet.cellName(ACol, ARow)));
    m_Label1->resize(kLabel1Width, m_Label1->height());
}

void TForm1::SSetEditText(int ACol, int ARow, const QString& Value) {
    (void)Value; // the cell already holds the editor's text
    {
        FlagScope syncing(EditTextSync);
        m_LabeledEdit1->assign(toText(m_document.sheet().cell(ACol, ARow), m_document.codec()));
    }
    m_document.Genislik();
}

void TForm1::SClick() {
    m_LabeledEdit1->assign(
        toText(m_document.sheet().cell(m_S->col(), m_S->row()), m_document.codec()));
}

void TForm1::LabeledEdit1Change() {
    if (!EditTextSync && !SelectSync) {
        // The bar refuses characters the encoding cannot hold, so the text always has bytes.
        if (auto bytes = toBytes(m_LabeledEdit1->text(), m_document.codec()))
            m_S->writeCell(m_S->col(), m_S->row(), std::move(*bytes));
    }
    m_document.Genislik();
    m_document.changeCheck();
}
