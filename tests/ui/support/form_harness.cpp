#include "support/form_harness.h"

#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/formula_bar.h"
#include "ui/window/tform1.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

namespace tavlor::test {

std::unique_ptr<TForm1> showForm(std::vector<std::string> commandLine) {
    auto form = std::make_unique<TForm1>();
    form->setCommandLine(std::move(commandLine));
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form.get()))
        qFatal("the main window did not become active");
    if (!QTest::qWaitFor([&] { return !form->Timer1()->isActive(); }))
        qFatal("the start-up timer did not tick");
    if (!form->S()->editorOpen())
        qFatal("the in-cell editor is not open after start-up");
    return form;
}

std::string cell(const TForm1& form, int col, int row) {
    return form.document().sheet().cell(col, row);
}

void putCell(TForm1& form, int col, int row, const std::string& bytes) {
    form.document().sheet().setCell(col, row, bytes);
    form.S()->showCell(col, row);
}

void markSaved(TForm1& form) {
    form.document().takeSnapshot();
    form.document().markUnmodified();
}

Counts counts(const TForm1& form) {
    return {form.document().extentRuns(), form.document().changeChecks()};
}

Counts operator-(const Counts& a, const Counts& b) {
    return {a.extent - b.extent, a.checks - b.checks};
}

EventLog::EventLog(TForm1& form) {
    auto* grid = form.S();
    const auto name = [](int col, int row) {
        return QString(QChar(u'A' + col - 1)) + QString::number(row);
    };
    connect(grid, &tavlor::ui::SheetGrid::selectCell, this, [this, name](int col, int row, bool*) {
        m_entries << QStringLiteral("select ") + name(col, row);
    });
    connect(grid, &tavlor::ui::SheetGrid::setEditText, this,
            [this, name](int col, int row, const QString&) {
                m_entries << QStringLiteral("edit ") + name(col, row);
            });
    connect(grid, &tavlor::ui::SheetGrid::cellClick, this,
            [this] { m_entries << QStringLiteral("click"); });
    connect(form.LabeledEdit1(), &QLineEdit::textChanged, this,
            [this](const QString& text) { m_entries << QStringLiteral("fx ") + text; });
}

QStringList EventLog::take() {
    QStringList entries;
    entries.swap(m_entries);
    return entries;
}

std::string fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll().toStdString();
}

void addBoolRows(const char* column, std::initializer_list<std::pair<const char*, bool>> rows) {
    QTest::addColumn<bool>(column);
    for (const auto& [name, value] : rows)
        QTest::newRow(name) << value;
}

QWidget* focused() {
    return QApplication::focusWidget();
}

void wheel(QWidget* target, int notches) {
    wheelAngle(target, QPoint(0, 120 * notches));
}

void wheelAngle(QWidget* target, QPoint angle) {
    const QPoint at = target->rect().center();
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

char* toString(const Counts& counts) {
    return QTest::toString(
        QStringLiteral("{extent %1, checks %2}").arg(counts.extent).arg(counts.checks));
}

} // namespace tavlor::test
