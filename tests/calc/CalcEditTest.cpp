// The calculator field and its keypad off screen: how the keypad opens, where, and how it
// writes back; the panel that holds the field.

#include "calc/widgets/CalcEdit.h"

#include "calc/widgets/CalcPopup.h"
#include "calc/widgets/CalculatorPanel.h"
#include "ui/SidePanel.h"

#include <QAbstractButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

using namespace veskor;

namespace {

// A window with the field and a second one to take the focus away.
struct Host {
    Host() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        layout->addWidget(other);
        window.resize(261, 80);
        window.show();
        window.activateWindow();
    }
    QWidget window;
    CalcEdit* edit = new CalcEdit;
    QLineEdit* other = new QLineEdit;
};

CalcPopup* openPopup(CalcEdit& edit) {
    return qobject_cast<CalcPopup*>(edit.popup());
}

QRect globalRect(const QWidget& widget) {
    return {widget.mapToGlobal(QPoint(0, 0)), widget.size()};
}

} // namespace

class CalcEditTest : public QObject {
    Q_OBJECT
private slots:
    void typingKeepsTheSeparatorAndFocusSwitchesFormats() {
        Host host;
        QVERIFY(QTest::qWaitForWindowActive(&host.window));
        host.other->setFocus();
        QTRY_VERIFY(host.other->hasFocus());
        host.edit->setValue(1234.5);
        QCOMPARE(host.edit->text(), QString("1,234.50"));
        QVERIFY(host.edit->alignment() & Qt::AlignRight);
        host.edit->setFocus();
        QTRY_VERIFY(host.edit->hasFocus());
        QCOMPARE(host.edit->text(), QString("1234.50"));
        QCOMPARE(host.edit->selectedText(), host.edit->text());
        QVERIFY(host.edit->alignment() & Qt::AlignLeft);

        host.edit->setCursorPosition(5); // just after the separator
        QTest::keyClick(host.edit, Qt::Key_Backspace);
        QCOMPARE(host.edit->text(), QString("1234.50"));
        QTest::keyClick(host.edit, '9');
        QTest::keyClick(host.edit, 'q');
        QCOMPARE(host.edit->text(), QString("12349.50"));
        QSignalSpy changed(host.edit, &CalcEdit::changed);
        host.other->setFocus();
        QTRY_VERIFY(host.other->hasFocus());
        QCOMPARE(host.edit->text(), QString("12,349.50"));
        QCOMPARE(host.edit->value(), 12349.5);
        QCOMPARE(changed.count(), 1);

        host.edit->setReadOnly(true);
        QVERIFY(!host.edit->button()->isEnabled());
        host.edit->setFocus();
        QTest::keyClick(host.edit, Qt::Key_Down);
        QVERIFY(host.edit->popup() == nullptr);
    }

    void longValuesAreShownWhole() {
        // The typing limit of 13 characters must not cut what the program shows.
        Host host;
        QVERIFY(QTest::qWaitForWindowActive(&host.window));
        host.other->setFocus();
        QTRY_VERIFY(host.other->hasFocus());
        host.edit->setValue(12345678901.5);
        QCOMPARE(host.edit->text(), QString("12,345,678,901.50"));
        host.edit->setFocus();
        QTRY_VERIFY(host.edit->hasFocus());
        QCOMPARE(host.edit->text(), QString("12345678901.50"));
        QTest::keyClick(host.edit, '+');
        QTest::keyClicks(openPopup(*host.edit), "888888888888=");
        QTRY_VERIFY(host.edit->popup() == nullptr);
        QCOMPARE(host.edit->text(), QString("21234567789.50"));

        // A paste that would make the text longer than the typing limit is refused.
        host.edit->setValue(1);
        host.edit->selectAll();
        host.edit->insert("12345678901234");
        QCOMPARE(host.edit->text(), QString("1.00"));
    }

    void operatorKeyOpensTheKeypadWithItPending() {
        Host host;
        QVERIFY(QTest::qWaitForWindowActive(&host.window));
        host.edit->setValue(12.5);
        host.edit->setFocus();
        QTRY_VERIFY(host.edit->hasFocus());
        QTest::keyClick(host.edit, '+');
        CalcPopup* popup = openPopup(*host.edit);
        QVERIFY(popup != nullptr);
        QVERIFY(popup->isVisible());
        QCOMPARE(QApplication::activePopupWidget(), popup);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        QCOMPARE(popup->keypad().pendingOperator(), CalcOperator::Add);
        QCOMPARE(popup->keypad().accumulator(), 12.5);
        QCOMPARE(popup->key(KeypadKey::Separator)->text(), QString("."));

        QTest::keyClick(popup, '3');
        QCOMPARE(host.edit->text(), QString("3"));
        QTest::keyClick(popup, Qt::Key_Return);
        QTRY_VERIFY(host.edit->popup() == nullptr);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        QCOMPARE(host.edit->text(), QString("15.50"));
        QCOMPARE(host.edit->value(), 15.5);
    }

    void downAndTheButtonOpenItWithNothingPending() {
        Host host;
        QVERIFY(QTest::qWaitForWindowActive(&host.window));
        host.edit->setValue(8);
        host.edit->setFocus();
        QTRY_VERIFY(host.edit->hasFocus());
        QTest::keyClick(host.edit, Qt::Key_Down);
        QVERIFY(openPopup(*host.edit) != nullptr);
        QCOMPARE(openPopup(*host.edit)->keypad().pendingOperator(), CalcOperator::None);
        QTest::keyClick(openPopup(*host.edit), '5');
        QTest::keyClick(openPopup(*host.edit), Qt::Key_Escape);
        QTRY_VERIFY(host.edit->popup() == nullptr);
        QCOMPARE(host.edit->value(), 8.0);

        QTest::mouseClick(host.edit->button(), Qt::LeftButton);
        QVERIFY(openPopup(*host.edit) != nullptr);
        QCOMPARE(openPopup(*host.edit)->keypad().pendingOperator(), CalcOperator::None);
        QTest::keyClick(openPopup(*host.edit), Qt::Key_Escape);
        QTRY_VERIFY(host.edit->popup() == nullptr);
    }

    void placedBelowOrAboveNearTheScreensBottom() {
        Host host;
        QVERIFY(QTest::qWaitForWindowActive(&host.window));
        const QRect screen = host.window.screen()->geometry();
        host.edit->setPopupEdge(CalcEdit::PopupEdge::Right);
        host.window.move(screen.left() + 40, screen.top() + 40);
        QTRY_COMPARE(host.window.pos(), QPoint(screen.left() + 40, screen.top() + 40));
        QTest::mouseClick(host.edit->button(), Qt::LeftButton);
        QVERIFY(openPopup(*host.edit) != nullptr);
        QRect field = globalRect(*host.edit);
        QCOMPARE(openPopup(*host.edit)->geometry().top(), field.bottom() + 1);
        QCOMPARE(openPopup(*host.edit)->geometry().right(), field.right());
        QTest::keyClick(openPopup(*host.edit), Qt::Key_Escape);
        QTRY_VERIFY(host.edit->popup() == nullptr);

        host.window.move(screen.right() - 100, screen.bottom() - host.window.height() + 1);
        QTRY_COMPARE(host.window.y(), screen.bottom() - host.window.height() + 1);
        host.edit->setFocus();
        QTest::keyClick(host.edit, '*');
        QVERIFY(openPopup(*host.edit) != nullptr);
        field = globalRect(*host.edit);
        QCOMPARE(openPopup(*host.edit)->geometry().bottom(), field.top() - 1);
        QCOMPARE(openPopup(*host.edit)->geometry().right(), screen.right());
        QTest::keyClick(openPopup(*host.edit), Qt::Key_Escape);
        QTRY_VERIFY(host.edit->popup() == nullptr);
    }

    void mouseKeysAndAnOutsideClickCommit() {
        Host host;
        QVERIFY(QTest::qWaitForWindowActive(&host.window));
        host.edit->setFocus();
        QTRY_VERIFY(host.edit->hasFocus());
        QTest::keyClick(host.edit, Qt::Key_Down);
        CalcPopup* popup = openPopup(*host.edit);
        QVERIFY(popup != nullptr);
        // Every key lies inside the keypad, and no two overlap.
        QList<QAbstractButton*> keys = popup->findChildren<QAbstractButton*>();
        QCOMPARE(keys.size(), 23);
        for (QAbstractButton* key : keys) {
            QVERIFY(popup->rect().contains(key->geometry()));
            for (QAbstractButton* another : keys) {
                // Neighbours share a one-pixel edge, as the keypad is laid out.
                const QRect shared = key->geometry().intersected(another->geometry());
                QVERIFY(key == another || shared.width() <= 1 || shared.height() <= 1);
            }
        }
        QTest::mouseClick(popup->key(digitKey(7)), Qt::LeftButton);
        QTest::mouseClick(popup->key(KeypadKey::Multiply), Qt::LeftButton);
        QTest::mouseClick(popup->key(digitKey(6)), Qt::LeftButton);
        QCOMPARE(host.edit->text(), QString("6"));
        QTest::mouseClick(popup, Qt::RightButton, {}, QPoint(-5, 100));
        QVERIFY(host.edit->popup() != nullptr);
        QTest::mouseClick(popup, Qt::LeftButton, {}, QPoint(90, 60)); // between keys: nothing
        QVERIFY(host.edit->popup() != nullptr);
        QTest::mouseClick(popup, Qt::LeftButton, {}, QPoint(-5, 100));
        QTRY_VERIFY(host.edit->popup() == nullptr);
        QCOMPARE(host.edit->value(), 42.0);
    }

    void panelFocusesItsFieldWhenShown() {
        // The panel inside a window, as the bar holds it, with something else focused.
        QWidget bar;
        auto* other = new QLineEdit(&bar);
        const SidePanelDescription description = calculatorSidePanel();
        auto* frame = new SidePanel(description.title, description.height, &bar);
        frame->move(0, 30);
        frame->hide();
        description.buildContent(*frame);
        auto* field = frame->findChild<CalcEdit*>();
        QVERIFY(field != nullptr);
        QCOMPARE(field->geometry(), QRect(8, 36, 261, 26));
        QVERIFY(field->minimumSizeHint().height() <= 26);
        bar.show();
        QVERIFY(QTest::qWaitForWindowActive(&bar));
        for (int opening = 0; opening < 2; ++opening) {
            other->setFocus();
            QTRY_VERIFY(other->hasFocus());
            frame->show();
            QTRY_VERIFY(field->hasFocus());
            frame->hide();
        }
    }
};

QTEST_MAIN(CalcEditTest)
#include "CalcEditTest.moc"
