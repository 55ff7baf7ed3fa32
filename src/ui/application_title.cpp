#include "application_title.h"

namespace tavlor::ui {

namespace {
QString& storedTitle() {
    static QString title;
    return title;
}
} // namespace

QString applicationTitle() {
    return storedTitle();
}

void setApplicationTitle(const QString& title) {
    storedTitle() = title;
}

} // namespace tavlor::ui
