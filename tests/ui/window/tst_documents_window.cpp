// The document commands in the real window: drops, the close query, the start-up file, Save.
#include "core/files/file_stamp.h"
#include "support/form_harness.h"
#include "support/modal_script.h"
#include "support/seen_box.h"
#include "ui/desktop/application_title.h"
#include "ui/dialogs/qt_document_ui.h"
#include "ui/grid/cell_editor.h"
#include "ui/grid/sheet_grid.h"
#include "ui/text/formula_bar.h"
#include "ui/window/tform1.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <fstream>
#include <memory>
#include <sys/stat.h>

using namespace tavlor::test;

class TestDocumentsWindow : public QObject {
    Q_OBJECT

private:
    QString file(const QString& name, const QByteArray& bytes = {}) {
        const QString path = m_dir->filePath(name);
        if (!bytes.isNull())
            std::ofstream(path.toStdString(), std::ios::binary) << bytes.toStdString();
        return path;
    }
    /** Drags mime over the window's grid and drops it; returns whether the drag was accepted. */
    bool drop(QMimeData* mime) {
        QWidget* target = m_window->S();
        const QPoint at(20, 20);
        QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        return true;
    }
    QMimeData* filesMime(const QStringList& paths) {
        auto* mime = new QMimeData;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        mime->setUrls(urls);
        m_mimes.emplace_back(mime);
        return mime;
    }
    void makeModified() {
        m_window->document().sheet().setCell(1, 1, "edited");
        m_window->document().Genislik();
        m_window->document().changeCheck();
        QVERIFY(m_window->document().isModified());
    }
    QString a1() const { return QString::fromStdString(m_window->document().sheet().cell(1, 1)); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalScript> m_script;
    std::unique_ptr<TForm1> m_window;
    std::vector<std::unique_ptr<QMimeData>> m_mimes;

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_STATE_HOME", QFile::encodeName(m_dir->path())); // recovery files stay here
        m_script = std::make_unique<ModalScript>();
        m_window = std::make_unique<TForm1>();
        m_window->show();
    }
    void cleanup() {
        QCOMPARE(m_script->unexpected(), 0);
        QCOMPARE(m_script->pending(), std::size_t(0));
        m_window->document().markUnmodified(); // no prompt on the way out
        m_window.reset();
        m_script.reset();
        m_mimes.clear();
    }

    void typedWorkIsKeptOfferedAfterAKillAndEndedByClosing() {
        m_window->setRecoveryDelays(3600 * 1000, 0); // written by the longest wait alone
        QTest::keyClicks(m_window->LabeledEdit1(), QStringLiteral("kept"));
        QTRY_VERIFY(!m_window->recoveryFile().empty() &&
                    fileBytes(QString::fromStdString(m_window->recoveryFile())).find("kept") !=
                        std::string::npos);
        m_window.reset(); // killed: the window never closed, its recovery file stays
        SeenBox asked;
        m_script->then([&asked](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box != nullptr);
            recordBox(*box, asked);
            QTest::keyClick(box, Qt::Key_Return); // Restore is the default
        });
        m_window = std::make_unique<TForm1>();
        m_window->show();
        QTRY_COMPARE(m_script->answered(), 1);
        QVERIFY(asked.ownerVisible);
        QCOMPARE(asked.buttons,
                 (QStringList{QStringLiteral("&Restore"), QStringLiteral("&Discard")}));
        QCOMPARE(a1(), QStringLiteral("kept"));
        QCOMPARE(m_window->panelText(1), QStringLiteral("Modified"));
        const QString own = QString::fromStdString(m_window->recoveryFile());
        QVERIFY(QFile::exists(own));
        m_script->then(answerBox(asked, QMessageBox::No));
        QVERIFY(m_window->close());
        QVERIFY(!QFile::exists(own));
    }

    void aRecoveryFileThatCannotBeWrittenIsToldInPanel0() {
        qputenv("XDG_STATE_HOME", QFile::encodeName(file(QStringLiteral("plain"), "no folder")));
        m_window = std::make_unique<TForm1>();
        m_window->show();
        m_window->setRecoveryDelays(0, 0);
        QTest::keyClicks(m_window->LabeledEdit1(), QStringLiteral("x"));
        QTRY_VERIFY(m_window->panelText(0).startsWith(
            QStringLiteral("Unsaved changes cannot be kept for recovery: Cannot create file")));
    }

    void dropOfThreeFilesOpensEachInTurn() {
        const QStringList paths{file(QStringLiteral("a.csv"), "a;\r\n"),
                                file(QStringLiteral("b.csv"), "b;\r\n"),
                                file(QStringLiteral("c.csv"), "c;x;\r\n")};
        QSignalSpy titles(m_window.get(), &QWidget::windowTitleChanged);
        QVERIFY(drop(filesMime(paths)));
        QCOMPARE(m_script->seen(), QStringList()); // no prompt on an unmodified sheet
        QCOMPARE(titles.size(), 3);
        QCOMPARE(titles.at(0).at(0).toString(), QStringLiteral("a.csv - Vorlane Tavlor"));
        QCOMPARE(titles.at(1).at(0).toString(), QStringLiteral("b.csv - Vorlane Tavlor"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("c.csv - Vorlane Tavlor"));
        QCOMPARE(tavlor::ui::applicationTitle(), QStringLiteral("c.csv - Vorlane Tavlor"));
        QCOMPARE(a1(), QStringLiteral("c"));
        QCOMPARE(QString::fromStdString(m_window->CurrentFileName()), paths.last());
        QCOMPARE(m_window->panelText(4), QStringLiteral("Total Rows:1 Total Cols:2"));
        QCOMPARE(m_window->panelText(1), QString());
    }

    void errorBoxIsCaptionedWithTheApplicationTitleAndCopiesItself() {
        // Open a file, then make its save fail: the box carries the caption of the open document.
        const QString path = file(QStringLiteral("ro.csv"), "a;\r\n");
        QVERIFY(drop(filesMime({path})));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("ro.csv - Vorlane Tavlor"));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup));
        SeenBox error;
        m_script->then(answerBox(error, QMessageBox::Ok, CopyBox::Yes));
        m_window->action("FileSave1")->trigger();
        QCOMPARE(error.caption, QStringLiteral("ro.csv - Vorlane Tavlor"));
        QCOMPARE(error.icon, QMessageBox::Critical);
        QVERIFY2(error.text.startsWith(QStringLiteral("Cannot create file \"") + path),
                 qPrintable(error.text));
        QVERIFY2(error.copied.contains(QStringLiteral("ro.csv - Vorlane Tavlor\n")),
                 qPrintable(error.copied));
        QVERIFY2(error.copied.contains(error.text + QStringLiteral("\n")),
                 qPrintable(error.copied));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    }

    void dropOfAFolderShowsTheOpenErrorAndOpensNothingAfterIt() {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
        const QString folder = m_dir->filePath(QStringLiteral("folder"));
        SeenBox error;
        m_script->then(answerBox(error, QMessageBox::Ok));
        QVERIFY(drop(filesMime({folder, file(QStringLiteral("a.csv"), "a;\r\n")})));
        QCOMPARE(error.caption, QStringLiteral("Vorlane Tavlor"));
        QCOMPARE(error.icon, QMessageBox::Critical);
        QVERIFY2(error.text.startsWith(QStringLiteral("Cannot open file \"") + folder +
                                       QStringLiteral("\". ")),
                 qPrintable(error.text));
        QVERIFY(error.text.endsWith(QLatin1Char('.')));
        QCOMPARE(a1(), QString());
        QCOMPARE(m_window->CurrentFileName(), std::string());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Vorlane Tavlor"));
    }

    void dropOnAModifiedSheetPromptsPerFileUntilOneOpens() {
        makeModified();
        const QStringList paths{file(QStringLiteral("a.csv"), "a;\r\n"),
                                file(QStringLiteral("b.csv"), "b;\r\n")};
        SeenBox first, second;
        m_script->then(answerBox(first, QMessageBox::Cancel))
            .then(answerBox(second, QMessageBox::No));
        QVERIFY(drop(filesMime(paths)));
        QCOMPARE(first.caption, QStringLiteral("Confirmation"));
        QCOMPARE(first.icon, QMessageBox::Question);
        QCOMPARE(first.text, QStringLiteral("Do you want to save the current file?"));
        QCOMPARE(second.text, first.text);
        QCOMPARE(a1(), QStringLiteral("b"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("b.csv - Vorlane Tavlor"));
    }

    void dropKeepsNamesThatAreNotUtf8() {
        const std::string path = m_dir->path().toStdString() + "/caf\xE9.csv";
        std::ofstream(path, std::ios::binary) << "latin;\r\n";
        auto* mime = new QMimeData;
        mime->setData(QStringLiteral("text/uri-list"),
                      QUrl::fromLocalFile(m_dir->path()).toEncoded() + "/caf%E9.csv\r\n");
        m_mimes.emplace_back(mime);
        QVERIFY(drop(mime));
        QCOMPARE(m_window->CurrentFileName(), path);
        QCOMPARE(a1(), QStringLiteral("latin"));
    }

    void otherDropsAreRefused() {
        auto* text = new QMimeData;
        text->setText(QStringLiteral("/etc/hostname"));
        m_mimes.emplace_back(text);
        QVERIFY(!drop(text));
        auto* web = new QMimeData;
        web->setUrls({QUrl(QStringLiteral("https://example.org/a.csv"))});
        m_mimes.emplace_back(web);
        QVERIFY(!drop(web));
        QCOMPARE(m_window->CurrentFileName(), std::string());
    }

    void closeQueryAsksBeforeExitAndCancelKeepsTheWindow() {
        makeModified();
        SeenBox asked;
        m_script->then(answerBox(asked, QMessageBox::Cancel));
        QVERIFY(!m_window->close());
        QCOMPARE(asked.text, QStringLiteral("Do you want to save the current file before exit?"));
        QVERIFY(m_window->isVisible());
        QCOMPARE(a1(), QStringLiteral("edited"));

        // Yes, then a Save dialog cancelled: still refused. Yes and a path: written, closed.
        SeenBox again, third;
        m_script->then(answerBox(again, QMessageBox::Yes)).then([](QWidget* modal) {
            QVERIFY(qobject_cast<QFileDialog*>(modal) != nullptr);
        });
        QVERIFY(!m_window->close());
        const QString target = file(QStringLiteral("kept.csv"));
        m_script->then(answerBox(third, QMessageBox::Yes)).then([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog != nullptr);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(target);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QVERIFY(m_window->close());
        QCOMPARE(fileBytes(target), std::string("edited;\r\n"));
    }

    void saveAsksForANameThenKeepsIt() {
        makeModified();
        m_script->then([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog != nullptr);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QCOMPARE(name->text(), QStringLiteral("Noname"));
            name->setText(m_dir->filePath(QStringLiteral("book")));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        m_window->action("FileSave1")->trigger();
        QCOMPARE(fileBytes(m_dir->filePath(QStringLiteral("book.csv"))),
                 std::string("edited;\r\n"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("book.csv - Vorlane Tavlor"));
        QCOMPARE(m_window->panelText(1), QString());
        m_window->document().sheet().setCell(2, 1, "more");
        m_window->document().Genislik();
        m_window->action("FileSave1")->trigger(); // named now: no dialog
        QCOMPARE(fileBytes(m_dir->filePath(QStringLiteral("book.csv"))),
                 std::string("edited;more;\r\n"));
    }

    void saveAsksBeforeReplacingAnotherFile() {
        const QString fruits = file(QStringLiteral("fruits.csv"), "apple;pear;\r\n");
        makeModified();
        SeenBox asked;
        QString offeredAgain;
        m_script
            ->then([&](QWidget* modal) {
                auto* dialog = qobject_cast<QFileDialog*>(modal);
                QVERIFY(dialog != nullptr);
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                    ->setText(m_dir->filePath(QStringLiteral("fruits")));
                QMetaObject::invokeMethod(dialog, "accept");
            })
            .then(answerBox(asked, QMessageBox::No))
            .then([&](QWidget* modal) {
                auto* dialog = qobject_cast<QFileDialog*>(modal);
                QVERIFY(dialog != nullptr);
                offeredAgain = dialog->selectedFiles().value(0);
                QMetaObject::invokeMethod(dialog, "reject");
            });
        m_window->action("FileSave1")->trigger();
        QCOMPARE(asked.text,
                 QStringLiteral("fruits.csv already exists. Do you want to replace it?"));
        QCOMPARE(offeredAgain, fruits);
        QCOMPARE(fileBytes(fruits), std::string("apple;pear;\r\n"));
        QCOMPARE(m_window->CurrentFileName(), std::string());
    }

    void reactivationTellsOfAFileChangedByAnotherProgram() {
        const QString path = file(QStringLiteral("a.csv"), "a;\r\n");
        QVERIFY(drop(filesMime({path})));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(m_window.get(), &activate);
        QCOMPARE(m_window->panelText(0), QString());
        file(QStringLiteral("a.csv"), "changed;\r\n");
        QApplication::sendEvent(m_window.get(), &activate);
        QCOMPARE(m_window->panelText(0),
                 QStringLiteral("a.csv has been changed by another program since it was opened "
                                "or saved."));
    }

    void commandLineFileOpensBeforeTheWindowShows() {
        const QString path = file(QStringLiteral("My Book.csv"), "p;q;\r\n;;r;\r\n");
        TForm1 window;
        // Read ahead, as the program does at start-up: the window takes its cells.
        window.setCommandLine({m_dir->filePath(QStringLiteral("My")).toStdString(), "Book.csv"},
                              std::make_unique<tavlor::SheetLoadAhead>(path.toStdString()));
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("My Book.csv - Vorlane Tavlor"));
        QCOMPARE(window.panelText(4), QStringLiteral("Total Rows:2 Total Cols:3"));
        QCOMPARE(QString::fromStdString(window.CurrentFileName()), path);
        window.document().markUnmodified();
    }

    void missingCommandLineFileShowsTheErrorOverThePlacedWindow() {
        TForm1 window;
        window.setCommandLine({"no-such-file.csv"});
        SeenBox error;
        m_script->then(answerBox(error, QMessageBox::Ok));
        window.show();
        QTRY_COMPARE(error.icon, QMessageBox::Critical);
        // Nothing stands alone before the window: it is visible and placed when the box shows.
        QVERIFY(error.ownerVisible);
        QCOMPARE(error.ownerAt.y(), 1);
        QVERIFY2(error.text.startsWith(
                     QStringLiteral("Cannot open file \"") +
                     QDir::current().absoluteFilePath(QStringLiteral("no-such-file.csv")) +
                     QStringLiteral("\". ")),
                 qPrintable(error.text));
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("Vorlane Tavlor"));
        QCOMPARE(window.CurrentFileName(), std::string());
        QCOMPARE(window.panelText(4), QStringLiteral("Total Rows:0 Total Cols:0"));
    }

    void anInterruptedSaveIsPutBackBeforeTheStartUpFileIsReadAndToldOverTheWindow() {
        // What a save in place killed half-way leaves: the file a mix, the old bytes and a record.
        const QString path = file(QStringLiteral("f.csv"), "new;ld;\r\n");
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("tavlor")));
        file(QStringLiteral("tavlor/f.csv.old-AAAAAA"), "old;old;\r\n");
        const tavlor::FileIdentity id = tavlor::FileIdentity::ofPath(path.toStdString());
        file(QStringLiteral("tavlor/f.csv.old-AAAAAA.record"),
             QByteArray::number(quint64(id.device)) + ' ' + QByteArray::number(quint64(id.inode)) +
                 " 10 6 1\n" + path.toLocal8Bit());
        qputenv("XDG_CACHE_HOME", m_dir->path().toLocal8Bit());
        TForm1 window;
        // The mix read ahead is not what the window shows.
        window.setCommandLine({path.toStdString()},
                              std::make_unique<tavlor::SheetLoadAhead>(path.toStdString()));
        SeenBox told;
        m_script->then(answerBox(told, QMessageBox::Ok));
        window.show();
        QTRY_COMPARE(told.text, QStringLiteral("A save of f.csv was interrupted; its earlier "
                                               "content was put back."));
        QVERIFY(told.ownerVisible);
        qunsetenv("XDG_CACHE_HOME");
        QCOMPARE(window.document().sheet().cell(2, 1), std::string("old"));
    }

    void undoHistoryEndsWithTheDocument() {
        // Typed and erased in the in-cell editor, then New (No): Undo has nothing to bring back.
        auto* editor = m_window->S()->editor();
        QTRY_VERIFY(editor->hasFocus());
        QTest::keyClicks(editor, QStringLiteral("abc"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(editor, Qt::Key_Backspace);
        SeenBox asked;
        m_script->then(answerBox(asked, QMessageBox::No));
        m_window->action("FileNew1")->trigger();
        QVERIFY(!editor->isUndoAvailable());
        // The same in the formula bar, then a dropped file: its A1 stays as loaded.
        auto* bar = m_window->LabeledEdit1();
        bar->setFocus();
        QTest::keyClicks(bar, QStringLiteral("xyz"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(bar, Qt::Key_Backspace);
        SeenBox again;
        m_script->then(answerBox(again, QMessageBox::No));
        QVERIFY(drop(filesMime({file(QStringLiteral("a.csv"), "a;\r\n")})));
        QVERIFY(!bar->isUndoAvailable());
        m_window->EditUndo1Execute();
        QCOMPARE(a1(), QStringLiteral("a"));
        QCOMPARE(m_window->panelText(1), QString());
    }

    void loadWarningFollowsTheOpen() {
        QByteArray wide;
        for (int i = 1; i <= 28; ++i)
            wide += "c" + QByteArray::number(i) + ";";
        const QString path = file(QStringLiteral("wide.csv"), wide + "\r\n");
        SeenBox warning;
        m_script->then(answerBox(warning, QMessageBox::Ok));
        QVERIFY(drop(filesMime({path})));
        QCOMPARE(warning.caption, QStringLiteral("Vorlane Tavlor"));
        QCOMPARE(warning.icon, QMessageBox::Warning);
        QVERIFY(!warning.text.isEmpty());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("wide.csv - Vorlane Tavlor"));
        QCOMPARE(m_window->panelText(1), QString());
    }
};

QTEST_MAIN(TestDocumentsWindow)
#include "tst_documents_window.moc"
