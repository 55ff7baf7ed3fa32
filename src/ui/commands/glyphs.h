#pragma once

#include <QIcon>

namespace tavlor::ui {

/** The 16 x 16 image of the shared image list at index; an empty icon for an unused index. */
QIcon glyph(int index);

} // namespace tavlor::ui
