#include "ui/desktop/application_title.h"

#include "core/desktop/window_title.h"

namespace tavlor::ui {

QString programTitle() {
    const std::string_view title = tavlor::WindowTitle::AppTitle;
    return QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
}

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
