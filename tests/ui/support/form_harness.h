#pragma once

#include <QMetaType>
#include <QObject>
#include <QPoint>
#include <QStringList>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TForm1;
class QString;
class QWidget;

namespace tavlor::test {

/** Builds and shows a main window offscreen (opening the file commandLine names, if any), waits
 *  until it is active with the grid's editor open on A1, and lets the start-up timer tick. */
std::unique_ptr<TForm1> showForm(std::vector<std::string> commandLine = {});

/** The bytes of sheet cell (col, row). */
std::string cell(const TForm1& form, int col, int row);
/** Writes cell (col, row) as the program does (no grid events) and redraws it. */
void putCell(TForm1& form, int col, int row, const std::string& bytes);

/** Marks the present content as saved, as a load or a save does (snapshot taken, panel 1 empty). */
void markSaved(TForm1& form);

/** Genislik runs and change checks so far. */
struct Counts {
    std::uint64_t extent = 0;
    std::uint64_t checks = 0;
    bool operator==(const Counts&) const = default;
};
Counts counts(const TForm1& form);
Counts operator-(const Counts& a, const Counts& b);

/** Records the grid's events and the formula bar's changes in the order they happen, as
 *  "select B7", "edit A1", "click", "fx <text>". Connected after the window's own handlers. */
class EventLog : public QObject {
    Q_OBJECT
public:
    explicit EventLog(TForm1& form);
    QStringList take();

private:
    QStringList m_entries;
};

/** The whole content of the file at path, or "<unreadable>" when it cannot be opened. */
std::string fileBytes(const QString& path);

/** The widget that has the keyboard focus (nullptr when none). */
QWidget* focused();
/** Sends notches of the mouse wheel (positive: away from the user) to the middle of target. */
void wheel(QWidget* target, int notches);
/** Sends one wheel event of this angle (x sideways, y up and down; 120 is one notch). */
void wheelAngle(QWidget* target, QPoint angle);

/** Adds a bool column of this name to the test's data, with one named row per value in order. */
void addBoolRows(const char* column, std::initializer_list<std::pair<const char*, bool>> rows);

/** Lets QCOMPARE print Counts. */
char* toString(const Counts& counts);

} // namespace tavlor::test

Q_DECLARE_METATYPE(tavlor::test::Counts)
