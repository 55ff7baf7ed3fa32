#include "ui/commands/glyphs.h"

#include <QFile>

namespace tavlor::ui {

QIcon glyph(int index) {
    const QString path =
        QStringLiteral(":/tavlor/glyphs/%1.png").arg(index, 2, 10, QLatin1Char('0'));
    if (!QFile::exists(path))
        return {};
    return QIcon(path);
}

} // namespace tavlor::ui
