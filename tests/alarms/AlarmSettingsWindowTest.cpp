// The alarm settings window and the event editor, off screen, on an in-memory file. The file
// rules and the time texts are checked in AlarmListTest; here the window must mirror the list,
// write every change into it and ask before deleting.

#include "alarms/widgets/AlarmSettingsWindow.h"

#include "alarms/core/AlarmList.h"
#include "alarms/widgets/AlarmEventDialog.h"
#include "platform/fake/FakeFileStore.h"
#include "support/ModalAnswer.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <functional>

using namespace veskor;

namespace {

using Events = std::vector<AlarmEvent>;
const std::filesystem::path kFile = "/data/Veskor32.aev";
const std::string kTwoEvents = "07:05\r\n\xe8\x61j\r\n1\r\n0\r\n12:30\r\nLunch\r\n0\r\n-1\r\n";
const Events kTwoEventsList{{"07:05", "\xe8\x61j", true, 0}, {"12:30", "Lunch", false, -1}};

struct Rig {
    AlarmList list;
    FakeFileStore files;
    QStringList errors;
    AlarmSettingsWindow window{
        list, files, kFile,
        AlarmReports{[this](const QString& e, const QString& detail) { errors << e << detail; },
                     [this](const QString& e) { errors << e; },
                     [this](const QString& e) { errors << e; }}};

    explicit Rig(const std::string& file = kTwoEvents) {
        files.files[kFile] = file;
        window.show();
    }
    QTableWidget* table() { return window.findChild<QTableWidget*>("eventList"); }
    QString cell(int row, int column) { return table()->item(row, column)->text(); }
    void click(const char* button) { window.findChild<QToolButton*>(button)->click(); }
    // The enabled ones of edit, delete and clear, then the status text: "-DC 2 event(s)".
    QString controls() {
        QString seen;
        for (const char* name : {"editButton", "deleteButton", "clearButton"}) {
            seen += window.findChild<QToolButton*>(name)->isEnabled() ? name[0] : '-';
        }
        return seen + ' ' + window.findChild<QLabel*>("statusText")->text();
    }
};

using test::answering;

// Closes the event editor with OK after `change`, or with Cancel when there is none.
std::function<void(QWidget*)> editor(const std::function<void(AlarmEventDialog&)>& change = {}) {
    return [change](QWidget* modal) {
        auto* dialog = qobject_cast<AlarmEventDialog*>(modal);
        if (change) {
            change(*dialog);
        }
        for (auto* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == (change ? "OK" : "Cancel")) {
                QTest::mouseClick(button, Qt::LeftButton);
            }
        }
    };
}
void keep(AlarmEventDialog& /*dialog*/) {}

// Answers a confirmation with the button captioned `reply`; returns what the box showed.
QString confirming(const QString& reply, const std::function<void()>& act) {
    QString seen;
    answering(
        [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            seen = box->windowTitle() + '|' + box->text() + '|' + box->defaultButton()->text();
            QCOMPARE(box->icon(), QMessageBox::Question);
            for (QAbstractButton* button : box->buttons()) {
                seen += '|' + button->text();
            }
            for (QAbstractButton* button : box->buttons()) {
                if (button->text() == reply) {
                    button->click();
                }
            }
        },
        act);
    return seen;
}

bool showsPicture(const QTableWidgetItem* item) {
    const QImage image = item->icon().pixmap(16, 16).toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).alpha() > 0) {
                return true;
            }
        }
    }
    return false;
}

// A real double click: QTest's own sends only the second press.
void doubleClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
}

} // namespace

class AlarmSettingsWindowTest final : public QObject {
    Q_OBJECT

private slots:
    void showingReadsTheFileAndTheRowsMirrorTheList() {
        Rig rig;
        QCOMPARE(rig.list.events(), kTwoEventsList);
        QTableWidget* table = rig.table();
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QString("      Time"));
        QCOMPARE(rig.cell(0, 1) + ' ' + rig.cell(1, 0), QString("čaj 12:30"));
        QCOMPARE(table->item(0, 0)->checkState(), Qt::Checked);
        QCOMPARE(table->item(1, 0)->checkState(), Qt::Unchecked);
        QVERIFY(showsPicture(table->item(0, 0)) && !showsPicture(table->item(1, 0)));
        QCOMPARE(rig.controls(), QString("--c 2 event(s)"));
        table->selectRow(1);
        QCOMPARE(rig.controls(), QString("edc 2 event(s)"));

        // Each showing starts again from the file, without a selection; a missing file keeps
        // the list; a bad sound line keeps the rows read up to it.
        rig.window.hide();
        rig.files.files[kFile] = "08:00\r\nWalk\r\n1\r\n-1\r\n";
        rig.window.show();
        QCOMPARE(rig.controls(), QString("--c 1 event(s)"));
        rig.window.hide();
        rig.files.files.clear();
        rig.window.show();
        QCOMPARE(rig.cell(0, 1), QString("Walk"));
        QVERIFY(rig.errors.isEmpty());
        rig.window.hide();
        rig.files.files[kFile] = "09:00\r\nOne\r\n1\r\n0\r\n10:00\r\nTwo\r\n1\r\nloud\r\n";
        rig.window.show();
        QCOMPARE(rig.errors.value(0), QString("Load failed."));
        QCOMPARE(rig.cell(1, 1), QString("Two"));

        // A message of millions of characters is shown by its start; the list keeps it whole.
        Rig huge("07:05\r\n" + std::string(3'000'000, 'x') + "\r\n1\r\n0\r\n");
        QCOMPARE(huge.cell(0, 1).size(), 1000);
        QCOMPARE(huge.list.at(0).message.size(), 3'000'000U);
    }

    void addAppendsWhatTheEditorHolds() {
        Rig rig("");
        QCOMPARE(rig.controls(), QString("--- 0 event(s)"));
        // A double click below the rows, with nothing selected, opens nothing.
        QVERIFY(!answering(editor(keep), [&] { doubleClick(rig.table()->viewport(), {99, 99}); }));

        QVERIFY(answering(editor(), [&] { rig.click("addButton"); }));
        QCOMPARE(rig.list.count(), 0);
        QVERIFY(answering(editor(keep), [&] { rig.click("addButton"); }));
        QCOMPARE(rig.list.events(), (Events{{"00:00", "", false, -1}}));
        const auto coffee = [](AlarmEventDialog& dialog) {
            QCOMPARE(dialog.message(), QString()); // filled anew
            dialog.fill(6, 0, "Káva", true, true);
        };
        QVERIFY(answering(editor(coffee), [&] { rig.click("addButton"); }));
        QCOMPARE(rig.list.at(1), (AlarmEvent{"06:00", "K\xe1va", true, 0}));
        QCOMPARE(rig.cell(1, 1), QString("Káva"));
        QCOMPARE(rig.controls(), QString("--c 2 event(s)"));
    }

    void editChangesTheSelectedRowInPlace() {
        Rig rig;
        rig.table()->selectRow(0);
        const auto late = [](AlarmEventDialog& dialog) {
            QCOMPARE(QString("%1:%2 ").arg(dialog.hour()).arg(dialog.minute()) + dialog.message(),
                     QString("7:5 čaj"));
            QVERIFY(dialog.isActive() && dialog.hasSound());
            dialog.findChild<QSpinBox*>("hourField")->setValue(23);
            dialog.findChild<QSpinBox*>("minuteField")->setValue(59);
        };
        QVERIFY(answering(editor(late), [&] { rig.click("editButton"); }));
        QCOMPARE(rig.list.events(), (Events{{"23:59", "\xe8\x61j", true, 0}, kTwoEventsList[1]}));
        QCOMPARE(rig.cell(0, 0), QString("23:59"));

        // A double click on a row edits it.
        const auto lunch = [](AlarmEventDialog& dialog) { QCOMPARE(dialog.hour(), 12); };
        const QPoint second = rig.table()->visualItemRect(rig.table()->item(1, 1)).center();
        QVERIFY(answering(editor(lunch), [&] { doubleClick(rig.table()->viewport(), second); }));

        // A hand-written time without digits where the editor looks opens nothing.
        rig.list.replace(1, {"ab:cd", "x", false, 0});
        QVERIFY(!answering(editor(keep), [&] { rig.click("editButton"); }));
        QCOMPARE(rig.errors, QStringList{"'ab' is not a valid integer value"});
    }

    void theListsKeys() {
        Rig rig;
        QTableWidget* table = rig.table();
        table->setFocus();
        const auto key = [&](Qt::Key k) { QTest::keyClick(table, k); };
        key(Qt::Key_Down);
        QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), 0);
        key(Qt::Key_End);
        QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), 1);
        key(Qt::Key_Home);
        QCOMPARE(table->selectionModel()->selectedRows().value(0).row(), 0);
        const auto first = [](AlarmEventDialog& dialog) { QCOMPARE(dialog.hour(), 7); };
        QVERIFY(answering(editor(first), [&] { key(Qt::Key_Return); }));
        QVERIFY(answering(editor(keep), [&] { key(Qt::Key_Insert); }));
        QCOMPARE(rig.list.count(), 3);
        QCOMPARE(confirming("&No", [&] { key(Qt::Key_Delete); }),
                 QString("Confirm|Delete this alarm event?|&No|&Yes|&No"));
    }

    void deleteAndClearAskFirst() {
        Rig rig;
        rig.table()->selectRow(0);
        QCOMPARE(confirming("&No", [&] { rig.click("deleteButton"); }),
                 QString("Confirm|Delete this alarm event?|&No|&Yes|&No"));
        QCOMPARE(rig.list.count(), 2);
        confirming("&Yes", [&] { rig.click("deleteButton"); });
        QCOMPARE(rig.list.events(), Events{kTwoEventsList[1]});
        QCOMPARE(rig.cell(0, 1) + ' ' + rig.controls(), QString("Lunch --c 1 event(s)"));

        QCOMPARE(confirming("&No", [&] { rig.click("clearButton"); }),
                 QString("Confirm|Delete all alarm events?|&No|&Yes|&No"));
        QCOMPARE(rig.list.count(), 1);
        confirming("&Yes", [&] { rig.click("clearButton"); });
        QCOMPARE(rig.list.count(), 0);
        QCOMPARE(rig.table()->rowCount(), 0);
        QCOMPARE(rig.controls(), QString("--- 0 event(s)"));
    }

    void checkBoxWritesTheListAndClosingSavesIt() {
        Rig rig;
        rig.table()->setFocus();
        rig.table()->setCurrentCell(1, 0);
        QTest::keyClick(rig.table(), Qt::Key_Space);
        QVERIFY(rig.list.at(1).active);
        rig.click("closeButton");
        QVERIFY(!rig.window.isVisible());
        QCOMPARE(rig.files.files[kFile],
                 "07:05\r\n\xe8\x61j\r\n1\r\n0\r\n12:30\r\nLunch\r\n1\r\n-1\r\n");

        // Opened and closed again without an edit: nothing is written.
        rig.files.saves.clear();
        rig.window.show();
        rig.window.close();
        QVERIFY(rig.files.saves.empty());

        // A failed save keeps the edit in the window, for the next close to save.
        rig.window.show();
        confirming("&Yes", [&] { rig.click("clearButton"); });
        rig.files.noPermission = true;
        rig.window.close();
        QCOMPARE(rig.errors,
                 (QStringList{"Save failed.", "/data/Veskor32.aev: Permission denied"}));
        rig.window.show();
        QCOMPARE(rig.table()->rowCount(), 0);
        rig.files.noPermission = false;
        rig.window.close();
        QCOMPARE(rig.files.files[kFile], "");
    }

    void spinFieldsTakeDigitsAndSignsAndClampOnLeaving() {
        QStringList errors;
        AlarmEventDialog dialog([&errors](const QString& e) { errors << e; });
        dialog.fill(7, 5, "", false, false);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* hour = dialog.findChild<QSpinBox*>("hourField");
        auto* minute = dialog.findChild<QSpinBox*>("minuteField");
        QCOMPARE(QApplication::focusWidget(), hour);

        // Types over the field's text: what it shows then, and after Tab left it.
        const auto type = [](QSpinBox* field, const QString& keys) {
            field->setFocus();
            field->selectAll();
            QTest::keyClicks(field, keys);
            const QString typed = field->text();
            QTest::keyClick(field, Qt::Key_Tab);
            return typed + " > " + field->text();
        };
        QCOMPARE(type(hour, "1a 2"), QString("12 > 12"));
        QCOMPARE(type(hour, "99"), QString("99 > 23"));
        QCOMPARE(type(hour, "-5"), QString("-5 > 0"));
        QCOMPARE(type(hour, "+7"), QString("+7 > 7"));
        QCOMPARE(type(minute, "12+"), QString("12+ > 12+"));
        QCOMPARE(type(minute, "99999999999999999999"), QString("99999999999999999999 > 59"));
        QCOMPARE(QApplication::focusWidget(), dialog.findChild<QLineEdit*>("messageEdit"));

        minute->setFocus();
        QTest::keyClick(minute, Qt::Key_Up); // no wrap
        QTest::keyClick(minute, Qt::Key_Down);
        QCOMPARE(minute->value(), 58);

        // OK refuses a field that holds no whole number, and a message the file cannot hold.
        minute->setFocus();
        minute->selectAll();
        QTest::keyClicks(minute, "12+");
        QTest::keyClick(minute, Qt::Key_Return);
        QCOMPARE(errors, QStringList{"'12+' is not a valid integer value"});
        QVERIFY(dialog.isVisible());
        minute->setValue(5);
        dialog.findChild<QLineEdit*>("messageEdit")->setText(QString::fromUtf8("Čaj \u2603"));
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QVERIFY2(errors.last().startsWith(QString::fromUtf8("The message cannot hold '\u2603'")),
                 qPrintable(errors.last()));
        dialog.findChild<QLineEdit*>("messageEdit")->setText(QString::fromUtf8("Čaj"));

        // Enter confirms what is typed, brought into range as leaving would.
        hour->setFocus();
        hour->selectAll();
        QTest::keyClicks(hour, "30");
        QTest::keyClick(hour, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.hour(), 23);
    }
};

QTEST_MAIN(AlarmSettingsWindowTest)
#include "AlarmSettingsWindowTest.moc"
