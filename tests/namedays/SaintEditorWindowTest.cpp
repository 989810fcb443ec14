// The name-day editor, off screen, on the built-in table and an in-memory file. The file format
// and the table's own search are checked in the core's tests; here the rows must mirror the
// table, edits must count and go back, and a change must be saved once the window closes.

#include "namedays/widgets/SaintEditorWindow.h"

#include "namedays/core/SaintFile.h"
#include "namedays/core/SaintTable.h"
#include "platform/fake/FakeFileStore.h"
#include "support/ModalAnswer.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

using namespace veskor;

namespace {

const std::filesystem::path kFile = "/data/Veskor32.sd";

QTableWidget* listOf(QWidget& window) {
    return window.findChild<QTableWidget*>("nameList");
}

// Edits a name in place; Return commits, Escape cancels.
void edit(QWidget& window, int row, const QString& text, Qt::Key finish = Qt::Key_Return) {
    QTableWidget* list = listOf(window);
    list->editItem(list->item(row, 0));
    auto* editor = qobject_cast<QLineEdit*>(list->indexWidget(list->model()->index(row, 0)));
    QVERIFY(editor != nullptr);
    editor->setText(text);
    QTest::keyClick(editor, finish);
    QApplication::processEvents(); // the delegate commits through a queued call
}

using test::answering;

struct Rig {
    SaintTable table{builtInSaints()};
    SaintEditorWindow window{table};

    Rig() { window.show(); }
    QTableWidget* list() { return listOf(window); }
    QLineEdit* field() { return window.findChild<QLineEdit*>("findField"); }
    QString text(int row, int column) { return list()->item(row, column)->text(); }
    // The selected row's date after searching for `name`, or the message box's kind and text.
    QString find(const QString& name) {
        field()->setText(name);
        QString seen;
        answering(
            [&](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                seen = box->windowTitle() + '|' + box->text();
                QCOMPARE(box->icon(), QMessageBox::Information);
                box->button(QMessageBox::Ok)->click();
            },
            [&] { window.findChild<QToolButton*>("findButton")->click(); });
        return seen.isEmpty() ? text(list()->currentRow(), 1) : seen;
    }
};

} // namespace

class SaintEditorWindowTest final : public QObject {
    Q_OBJECT

private slots:
    void fillsTheTableInOrder() {
        Rig rig;
        QCOMPARE(rig.list()->rowCount(), 366);
        QCOMPARE(rig.text(0, 0), QString("Nový rok"));
        QCOMPARE(rig.text(0, 1), QString("1.1"));
        QCOMPARE(rig.text(59, 1), QString("29.2"));
        QCOMPARE(rig.text(60, 1), QString("1.3"));
        QCOMPARE(rig.text(365, 1), QString("31.12"));
        QCOMPARE(rig.window.windowTitle(), QString("Saint's Days"));

        // A longer file's extra rows go on in a thirteenth month.
        SaintTable longer(std::vector<std::string>(368, "x"));
        SaintEditorWindow window(longer);
        QCOMPARE(listOf(window)->item(367, 1)->text(), QString("2.13"));
    }

    void inPlaceEditsCountOnlyWhenTheyChangeAName() {
        Rig rig;
        edit(rig.window, 1, "Karina");
        edit(rig.window, 1, "Nobody", Qt::Key_Escape);
        QCOMPARE(rig.text(1, 0), QString("Karina"));
        QVERIFY(!rig.window.isModified());

        edit(rig.window, 1, "karina"); // letter case counts
        QVERIFY(rig.window.isModified());
        edit(rig.window, 59, "Žofie");
        QCOMPARE(rig.table.at(1), std::string("Karina")); // not before the window closes
        rig.window.close();
        QCOMPARE(rig.table.at(1), std::string("karina"));
        QCOMPARE(rig.table.at(59), std::string("\x8eofie"));

        // Rows left alone keep their bytes, even those without a character.
        SaintTable odd(std::vector<std::string>{"A\x81", "B"});
        SaintEditorWindow window(odd);
        window.show();
        edit(window, 1, "C");
        window.close();
        QCOMPARE(odd.items(), (std::vector<std::string>{"A\x81", "C"}));

        // The file holds Windows-1250 lines: other characters cannot be typed.
        QTableWidget* list = rig.list();
        list->editItem(list->item(2, 0));
        auto* editor = qobject_cast<QLineEdit*>(list->indexWidget(list->model()->index(2, 0)));
        editor->end(false);
        editor->insert("a✓b");
        editor->insert("\n");
        editor->insert("ž");
        QCOMPARE(editor->text(), QString("Radmilaž"));
    }

    void findsWholeNamesInAnyLetterCase() {
        Rig rig;
        rig.field()->setFocus();
        QCOMPARE(rig.find("nOVÝ ROK"), QString("1.1"));
        QCOMPARE(rig.find("Petr"), QString("22.2")); // not "Petr a Pavel"
        QCOMPARE(rig.find("státní SVÁTEK"), QString("8.5"));
        QCOMPARE(rig.list()->selectedItems().size(), 2); // the whole row
        QCOMPARE(rig.window.focusWidget(), rig.field());

        QCOMPARE(rig.find("Matylda"), QString("Information|Not found."));
        QCOMPARE(rig.list()->currentRow(), 128); // the selection stays

        rig.field()->clear();
        QVERIFY(!answering([](QWidget* modal) { modal->close(); },
                           [&] { rig.window.findChild<QToolButton*>("findButton")->click(); }));

        rig.field()->setText("karina"); // Alt+Down acts as the button
        rig.window.activateWindow();    // shortcuts need the focus
        QVERIFY(QTest::qWaitForWindowActive(&rig.window));
        QTest::keyClick(rig.field(), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(rig.list()->currentRow(), 1);
        rig.field()->setText("Petr"); // and so does Enter, without closing the window
        QTest::keyClick(rig.field(), Qt::Key_Return);
        QCOMPARE(rig.list()->currentRow(), 52);
        QVERIFY(rig.window.isVisible());
    }

    void homeAndEndGoToTheFirstAndLastName() {
        Rig rig;
        rig.list()->setCurrentCell(100, 0);
        QTest::keyClick(rig.list(), Qt::Key_End);
        QCOMPARE(rig.list()->currentRow(), 365);
        QTest::keyClick(rig.list(), Qt::Key_Home);
        QCOMPARE(rig.list()->currentRow(), 0);
        QCOMPARE(rig.list()->selectedItems().size(), 2);
    }

    void savesOnlyAChangedTable() {
        struct Case {
            QString name; // empty: closed without an edit
            bool noPermission;
            bool diskFull;
            QStringList reports;
        };
        const QList<Case> cases{
            {{}, false, false, {}},
            {"Karolína", false, false, {}},
            {"Karolína", true, false, {"Cannot create file /data/Veskor32.sd: Permission denied"}},
            {"Karolína", false, true, {"Stream write error: No space left on device"}},
        };
        for (const Case& c : cases) {
            SaintTable table{builtInSaints()};
            FakeFileStore files;
            files.noPermission = c.noPermission;
            files.diskFull = c.diskFull;
            QStringList reports;
            QVERIFY(answering(
                [&](QWidget* modal) {
                    if (!c.name.isEmpty()) {
                        edit(*modal, 1, c.name);
                    }
                    modal->close();
                },
                [&] {
                    editSaints(
                        table, files, kFile, [&](const QString& r) { reports << r; }, nullptr);
                }));
            QCOMPARE(reports, c.reports);
            QCOMPARE(files.saves.size(), c.name.isEmpty() ? 0U : 1U);
            const bool saved = !c.name.isEmpty() && c.reports.isEmpty();
            QCOMPARE(files.files.count(kFile), saved ? 1U : 0U);
            if (saved) {
                QCOMPARE(files.files[kFile], formatSaintFile(table.items()));
            }
            // A failed save still leaves the edit in the table.
            QCOMPARE(table.at(1), std::string(c.name.isEmpty() ? "Karina" : "Karol\xedna"));
        }
    }
};

QTEST_MAIN(SaintEditorWindowTest)
#include "SaintEditorWindowTest.moc"
