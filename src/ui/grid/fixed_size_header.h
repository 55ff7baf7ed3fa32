#pragma once

#include <QHeaderView>

namespace tavlor::ui {

/** A header of the grid whose breadth the program sets (setFixedWidth / setFixedHeight): it asks
 *  for that size, so laying out the grid never measures its sections' texts, 200 of them for the
 *  row numbers, only to be held to the fixed size anyway. */
class FixedSizeHeader : public QHeaderView {
    Q_OBJECT
public:
    FixedSizeHeader(Qt::Orientation orientation, QWidget* parent);

    QSize sizeHint() const override;
};

} // namespace tavlor::ui
