// The selection dialog and the bar's three commands, off screen, with a fake session manager.

#include "platform/fake/FakeSessionService.h"
#include "session/widgets/ExitSelectionDialog.h"
#include "session/widgets/SessionCommands.h"
#include "support/BarRig.h"
#include "support/ModalAnswer.h"

#include <QCheckBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <cerrno>

using namespace veskor;

namespace veskor {
Feature sessionFeature(); // registered by app/
} // namespace veskor

namespace {

QPushButton* button(QWidget* dialog, const QString& text) {
    for (auto* candidate : dialog->findChildren<QPushButton*>()) {
        if (candidate->text() == text) {
            return candidate;
        }
    }
    return nullptr;
}

} // namespace

class SessionWidgetsTest final : public QObject {
    Q_OBJECT

    struct Bar : test::BarRig {
        std::shared_ptr<FakeSessionService> service = std::make_shared<FakeSessionService>();

        Bar() {
            FeatureServices served = featureServices();
            served.session = service;
            make(sessionFeature(), served);
            bar->show();
        }
        void run(const QString& item) const { QVERIFY2(click(item), qPrintable(item)); }
    };

private slots:
    void dialogLooksAsDesigned() {
        ExitSelectionDialog dialog;
        QCOMPARE(dialog.windowTitle(), QString("Exit Selection"));
        QCOMPARE(dialog.size(), QSize(135, 206));
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QCOMPARE(dialog.selection(), ExitSelection::Cancel);
        QVERIFY(!dialog.isUnconditional());
        QStringList tops;
        for (const char* text : {"&Logoff", "&Reboot", "&Shutdown", "&Poweroff", "&Cancel"}) {
            QPushButton* found = button(&dialog, text);
            QVERIFY2(found != nullptr, text);
            tops << QString::number(found->geometry().top());
        }
        QCOMPARE(tops.join(' '), QString("42 72 101 131 160"));
        QVERIFY(button(&dialog, "&Logoff")->isDefault());
        QCOMPARE(dialog.findChild<QCheckBox*>("unconditional")->text(), QString("Unconditional"));
    }

    void eachButtonReportsItsCode() {
        const std::pair<const char*, int> codes[] = {
            {"&Logoff", 1}, {"&Reboot", 2}, {"&Shutdown", 3}, {"&Poweroff", 4}, {"&Cancel", 0}};
        for (const auto& [text, code] : codes) {
            ExitSelectionDialog dialog;
            dialog.show();
            button(&dialog, text)->click();
            QCOMPARE(static_cast<int>(dialog.selection()), code);
            QVERIFY(!dialog.isVisible());
        }
    }

    void chooseShowsTheDialogWhereAskedAndReturnsTheChoice() {
        QPoint shownAt;
        ExitChoice choice;
        const bool opened = test::answering(
            [&](QWidget* modal) {
                shownAt = modal->pos();
                modal->findChild<QCheckBox*>("unconditional")->setChecked(true);
                button(modal, "&Poweroff")->click();
            },
            [&] { choice = ExitSelectionDialog::choose(250, 220, nullptr); });
        QVERIFY(opened);
        QCOMPARE(shownAt, QPoint(250, 220));
        QCOMPARE(choice.selection, ExitSelection::PowerOff);
        QVERIFY(choice.unconditional);

        // Escape is the cancel button.
        test::answering([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); },
                        [&] { choice = ExitSelectionDialog::choose(0, 0, nullptr); });
        QCOMPARE(choice.selection, ExitSelection::Cancel);
    }

    void menuCommandsEndTheSessionWithoutForce() {
        Bar shutdown;
        shutdown.run("Shutdown");
        QCOMPARE(shutdown.service->requests, std::vector<std::uint32_t>{1});
        QVERIFY(shutdown.bar->isVisible());

        Bar reboot;
        reboot.run("Reboot");
        QCOMPARE(reboot.service->requests, std::vector<std::uint32_t>{2});
        QVERIFY(reboot.bar->isVisible());
    }

    void logOffClosesTheBarOnceLogindAccepted() {
        Bar logOff;
        logOff.taskbar.requests.clear();
        bool openWhenAsked = false;
        logOff.service->onRequest = [&](std::uint32_t) { openWhenAsked = logOff.bar->isVisible(); };
        logOff.run("Log Off");
        QCOMPARE(logOff.service->requests, std::vector<std::uint32_t>{0});
        QVERIFY(openWhenAsked);
        QVERIFY(!logOff.bar->isVisible());
        QCOMPARE(logOff.taskbar.requests, std::vector{true});
    }

    void aRefusalIsShownWithItsReason() {
        const std::pair<const char*, QString> commands[] = {
            {"Shutdown", "Shutdown failed: Access denied"},
            {"Log Off", "Log Off failed: Access denied"}};
        for (const auto& [item, message] : commands) {
            Bar refused;
            refused.service->exitError = EACCES;
            refused.service->reason = "Access denied";
            QString shown;
            const bool boxed = test::answering(
                [&](QWidget* modal) {
                    shown = static_cast<QMessageBox*>(modal)->text();
                    static_cast<QMessageBox*>(modal)->accept();
                },
                [&] { refused.run(item); });
            QVERIFY2(boxed, item);
            QCOMPARE(shown, message);
            QVERIFY(refused.bar->isVisible());
        }
    }
};

QTEST_MAIN(SessionWidgetsTest)
#include "SessionWidgetsTest.moc"
