// The save prompt, the Open and Save dialogs, the caption and the load warning as the user sees
// them.
#include "support/modal_script.h"
#include "support/seen_box.h"
#include "ui/desktop/application_title.h"
#include "ui/dialogs/qt_document_ui.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

using tavlor::Answer;
using namespace tavlor::test;
using tavlor::ui::QtDocumentUi;

Q_DECLARE_METATYPE(Answer)

class TestDocumentsDialogs : public QObject {
    Q_OBJECT

private:
    /** Accepts the file dialog that shows next with name typed into its name box; records the name
     *  the dialog offered when it opened. */
    void acceptFileDialogWith(const QString& name) {
        m_script->then([this, name](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog != nullptr);
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(edit != nullptr);
            m_offered = edit->text();
            m_shownDialog = dialog;
            m_shownFolder = dialog->directory().absolutePath();
            if (name.isNull()) {
                dialog->reject();
                return;
            }
            edit->setText(name);
            QMetaObject::invokeMethod(dialog, "accept");
        });
    }

    ModalScript* m_script = nullptr;
    QMainWindow* m_window = nullptr;
    QtDocumentUi* m_ui = nullptr;
    QTemporaryDir m_dir;
    QString m_offered;
    QFileDialog* m_shownDialog = nullptr;
    QString m_shownFolder;

private slots:
    void init() {
        m_window = new QMainWindow;
        m_window->show();
        m_ui = new QtDocumentUi(m_window);
        m_offered.clear();
        m_shownDialog = nullptr;
        m_script = new ModalScript;
    }
    void cleanup() {
        QCOMPARE(m_script->unexpected(), 0);
        QCOMPARE(m_script->pending(), std::size_t(0));
        delete m_script;
        delete m_ui;
        delete m_window;
    }

    void promptBox_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<Answer>("expected");
        QTest::newRow("Yes button") << QStringLiteral("yes") << Answer::Yes;
        QTest::newRow("No button") << QStringLiteral("no") << Answer::No;
        QTest::newRow("Cancel button") << QStringLiteral("cancel") << Answer::Cancel;
        QTest::newRow("Escape key") << QStringLiteral("escape") << Answer::Cancel;
        QTest::newRow("close button") << QStringLiteral("close") << Answer::Cancel;
    }
    void promptBox() {
        QFETCH(QString, how);
        QFETCH(Answer, expected);
        SeenBox seen;
        m_script->then([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box != nullptr);
            recordBox(*box, seen);
            if (how == QLatin1String("yes"))
                box->button(QMessageBox::Yes)->click();
            else if (how == QLatin1String("no"))
                box->button(QMessageBox::No)->click();
            else if (how == QLatin1String("cancel"))
                box->button(QMessageBox::Cancel)->click();
            else if (how == QLatin1String("escape"))
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        });
        const Answer answer = m_ui->askToSave("Do you want to save /tmp/a b.csv?");
        QCOMPARE(answer, expected);
        QCOMPARE(seen.caption, QStringLiteral("Confirmation"));
        QCOMPARE(seen.text, QStringLiteral("Do you want to save /tmp/a b.csv?"));
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.standardButtons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(seen.owner, static_cast<QWidget*>(m_window));
    }

    void dialogsAreSetUpOnce() {
        for (QFileDialog* dialog : {m_ui->OpenDialog(), m_ui->SaveDialog()}) {
            QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("Comma Separated (*.csv)")});
            QCOMPARE(dialog->defaultSuffix(), QStringLiteral("csv"));
            QCOMPARE(dialog->fileMode(), QFileDialog::AnyFile); // no must-exist check
            QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
            QCOMPARE(dialog->parentWidget(), static_cast<QWidget*>(m_window));
        }
        QCOMPARE(m_ui->OpenDialog(), m_ui->OpenDialog()); // made once, then reused
        QCOMPARE(m_ui->SaveDialog(), m_ui->SaveDialog());
        QVERIFY(m_ui->OpenDialog() != m_ui->SaveDialog());
        QCOMPARE(m_ui->OpenDialog()->acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(m_ui->SaveDialog()->acceptMode(), QFileDialog::AcceptSave);
    }

    void saveDialogAddsTheDefaultSuffixAndRemembersTheName() {
        acceptFileDialogWith(m_dir.filePath(QStringLiteral("x")));
        auto chosen = m_ui->chooseSavePath(std::string("Noname"));
        QCOMPARE(m_offered, QStringLiteral("Noname"));
        QCOMPARE(m_shownDialog, m_ui->SaveDialog());
        QVERIFY(chosen.has_value());
        QCOMPARE(QString::fromStdString(*chosen), m_dir.filePath(QStringLiteral("x.csv")));

        // Without a preset the dialog offers what it last returned; a typed extension is kept.
        acceptFileDialogWith(m_dir.filePath(QStringLiteral("y.txt")));
        chosen = m_ui->chooseSavePath(std::nullopt);
        QCOMPARE(m_offered, QStringLiteral("x.csv"));
        QCOMPARE(m_shownFolder, m_dir.path());
        QCOMPARE(QString::fromStdString(chosen.value()), m_dir.filePath(QStringLiteral("y.txt")));

        // A full-path preset opens in that folder with that name; cancelling returns nothing.
        acceptFileDialogWith(QString());
        chosen = m_ui->chooseSavePath(m_dir.filePath(QStringLiteral("book.csv")).toStdString());
        QCOMPARE(m_offered, QStringLiteral("book.csv"));
        QCOMPARE(m_shownFolder, m_dir.path());
        QVERIFY(!chosen.has_value());
    }

    void saveDialogReplacesWithoutAsking() {
        const QString existing = m_dir.filePath(QStringLiteral("there.csv"));
        std::ofstream(existing.toStdString()) << "x;\r\n";
        acceptFileDialogWith(existing);
        const auto chosen = m_ui->chooseSavePath(std::string("Noname"));
        QCOMPARE(QString::fromStdString(chosen.value()), existing);
    }

    void saveDialogsCompletionListClosesWithIt() {
        std::ofstream(m_dir.filePath(QStringLiteral("alpha.csv")).toStdString()) << "x;\r\n";
        QCompleter* completer = nullptr;
        // The folder's names arrive from a background reader; the completion list reopens itself
        // when they do, which must not happen once the dialog has closed.
        auto* names = m_ui->SaveDialog()->findChild<QFileSystemModel*>();
        QVERIFY(names != nullptr);
        QSignalSpy namesRead(names, &QFileSystemModel::directoryLoaded);
        m_script->then([&](QWidget* modal) {
            auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            completer = edit->completer();
            edit->clear();
            // Typed and confirmed before the folder's names have even been read.
            QTest::keyClicks(edit, QStringLiteral("alp"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        const auto chosen =
            m_ui->chooseSavePath(m_dir.filePath(QStringLiteral("x.csv")).toStdString());
        QCOMPARE(QString::fromStdString(chosen.value()), m_dir.filePath(QStringLiteral("alp.csv")));
        QVERIFY(completer != nullptr);
        QTRY_VERIFY(
            std::any_of(namesRead.cbegin(), namesRead.cend(), [&](const QVariantList& args) {
                return QDir(args.at(0).toString()) == QDir(m_dir.path());
            }));
        QVERIFY(!completer->popup()->isVisible());

        // Next time the list completes names again.
        bool completes = false;
        m_script->then([&](QWidget* modal) {
            auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            edit->setFocus();
            edit->clear();
            QTest::keyClicks(edit, QStringLiteral("alp"));
            completes = QTest::qWaitFor([&] { return completer->popup()->isVisible(); });
            qobject_cast<QDialog*>(modal)->reject();
        });
        QVERIFY(!m_ui->chooseSavePath(std::nullopt).has_value());
        QVERIFY(completes);
    }

    void openDialogTakesMissingFilesAndRemembersTheName() {
        acceptFileDialogWith(m_dir.filePath(QStringLiteral("missing")));
        auto chosen = m_ui->chooseOpenPath();
        QCOMPARE(m_shownDialog, m_ui->OpenDialog());
        QCOMPARE(QString::fromStdString(chosen.value()),
                 m_dir.filePath(QStringLiteral("missing.csv")));
        acceptFileDialogWith(QString());
        chosen = m_ui->chooseOpenPath();
        QCOMPARE(m_offered, QStringLiteral("missing.csv"));
        QCOMPARE(m_shownFolder, m_dir.path());
        QVERIFY(!chosen.has_value());
    }

    void namesThatAreNotUtf8AreRefusedNotChanged() {
        // The dialog lists caf\xE9.csv as "caf\uFFFD.csv"; that name would be another file.
        std::ofstream((m_dir.path() + QStringLiteral("/caf")).toStdString() + "\xE9.csv") << "x;";
        acceptFileDialogWith(m_dir.filePath(QStringLiteral("caf\uFFFD.csv")));
        SeenBox warning;
        m_script->then(answerBox(warning, QMessageBox::Ok));
        const auto entries = [this] {
            const std::filesystem::directory_iterator all(m_dir.path().toStdString());
            return std::distance(begin(all), end(all));
        };
        const auto before = entries();
        QVERIFY(!m_ui->chooseOpenPath().has_value());
        QVERIFY2(
            warning.text.startsWith(QStringLiteral("The file dialog cannot give the exact name")),
            qPrintable(warning.text));
        QCOMPARE(entries(), before); // nothing was created
    }

    void captionAndApplicationTitleStayEqual() {
        m_ui->setCaption("book1.csv - Vorlane Tavlor");
        QCOMPARE(m_window->windowTitle(), QStringLiteral("book1.csv - Vorlane Tavlor"));
        QCOMPARE(tavlor::ui::applicationTitle(), QStringLiteral("book1.csv - Vorlane Tavlor"));
        m_ui->setCaption("Vorlane Tavlor");
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Vorlane Tavlor"));
    }

    void loadWarningBox() {
        SeenBox seen;
        m_script->then(answerBox(seen, QMessageBox::Ok));
        m_ui->showLoadWarning("3 cells beyond column Z were not loaded.");
        QCOMPARE(seen.caption, QStringLiteral("Vorlane Tavlor"));
        QCOMPARE(seen.text, QStringLiteral("3 cells beyond column Z were not loaded."));
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(seen.standardButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
};

QTEST_MAIN(TestDocumentsDialogs)
#include "tst_documents_dialogs.moc"
