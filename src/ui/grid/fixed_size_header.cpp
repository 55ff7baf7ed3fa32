#include "ui/grid/fixed_size_header.h"

namespace tavlor::ui {

FixedSizeHeader::FixedSizeHeader(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {}

QSize FixedSizeHeader::sizeHint() const {
    return minimumSize();
}

} // namespace tavlor::ui
