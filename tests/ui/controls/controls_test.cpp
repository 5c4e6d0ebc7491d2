// The shared input controls driven by keys, as a view uses them.
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "base/cp932.h"
#include "controls/messages.h"
#include "support/ui_support.h"
#include "ui/controls/CChoiceBar.h"
#include "ui/controls/CCodeCombo.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"

using namespace rk;
using namespace rk::ui;
using controls::EntryConfig;
using controls::Key;

Q_DECLARE_METATYPE(rk::controls::Key)

class ControlsTest : public QObject {
    Q_OBJECT

    QWidget* view = nullptr;
    ScriptedDialogs dialogs;

    CDataEdit* field(int mode, int length, int32_t value = 0, double number = 0, int decimals = 0,
                     std::span<char> text = {}) {
        EntryConfig c;
        c.mode = mode;
        c.length = length;
        c.value = value;
        c.number = number;
        c.decimals = decimals;
        c.text = text;
        CDataEdit* e = CDataEdit::create(view, c, QRect(100, 40, 120, 24), dialogs);
        if (e) (void)QTest::qWaitFor([e] { return e->hasFocus(); });
        return e;
    }

private slots:
    void initTestCase() { qRegisterMetaType<rk::controls::Key>(); }

    void init() {
        view = new QWidget;
        view->setFocusPolicy(Qt::StrongFocus);
        view->resize(400, 200);
        view->show();
        QVERIFY(QTest::qWaitForWindowActive(view));
        dialogs = ScriptedDialogs{};
    }

    void cleanup() { delete view; }

    void groupedFieldRegroupsAndHandsBackTheExitKey() {
        CDataEdit* e = field(2, 8, 4321);
        QCOMPARE(e->shownText(), QString("4,321 "));
        QSignalSpy done(e, &CDataEdit::finished);
        QTest::keyClicks(e, "123456");
        QCOMPARE(e->shownText(), QString("123,456"));
        QTest::keyClick(e, Qt::Key_Backspace);
        QCOMPARE(e->shownText(), QString("12,345"));
        QTest::keyClick(e, Qt::Key_Return);
        QCOMPARE(done.count(), 1);
        QCOMPARE(done.at(0).at(0).value<Key>(), Key::Enter);
        QCOMPARE(e->value(), 12345);
        QVERIFY(view->hasFocus());  // the view decides where to go next
    }

    void escRestoresAndPadMinusMakesNegatives() {
        CDataEdit* e = field(2, 8, 700);
        QTest::keyClicks(e, "99");
        QTest::keyClick(e, Qt::Key_Escape);
        QCOMPARE(e->value(), 700);
        QCOMPARE(e->exitKey(), Key::Esc);
        QCOMPARE(e->shownText(), QString("700 "));

        e->setFocus();
        QTRY_VERIFY(e->hasFocus());
        QTest::keyClick(e, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(e->shownText(), QString("-"));
        QTest::keyClicks(e, "2500");
        QTest::keyClick(e, Qt::Key_Tab);
        QCOMPARE(e->value(), -2500);
        QCOMPARE(e->exitKey(), Key::Tab);
    }

    void advanceWhenFullAndLengthOne() {
        CDataEdit* e = field(1, -3, 0);
        QSignalSpy done(e, &CDataEdit::finished);
        QTest::keyClicks(e, "12");
        QCOMPARE(done.count(), 0);
        QTest::keyClick(e, Qt::Key_7);
        QCOMPARE(done.count(), 1);
        QCOMPARE(e->exitKey(), Key::Right);
        QCOMPARE(e->value(), 127);
        delete e;

        CDataEdit* one = field(1, 1, 0);
        QTest::keyClick(one, Qt::Key_4, Qt::KeypadModifier);
        QCOMPARE(one->exitKey(), Key::Enter);
        QCOMPARE(one->value(), 4);
    }

    void decimalFieldRefusesAThirdDecimal() {
        CDataEdit* e = field(3, 9, 0, 0.0, 2);
        QTest::keyClicks(e, "1234.567");
        QCOMPARE(e->shownText(), QString("1,234.56"));
        QTest::keyClick(e, Qt::Key_F5);
        QCOMPARE(e->exitKey(), Key::F5);
        QCOMPARE(e->number(), 1234.56);
    }

    void textFieldWritesTheBufferAndLeavesAtTheEdge() {
        char buf[10];
        cp932::assign(buf, "ばら", ' ');
        CDataEdit* e = field(0, 10, 0, 0, 0, buf);
        QCOMPARE(e->text(), QString("ばら"));
        QVERIFY(e->testAttribute(Qt::WA_InputMethodEnabled));
        QTest::keyClicks(e, "AB");
        QTest::keyClick(e, Qt::Key_Return);
        QCOMPARE(QString::fromStdString(cp932::toUtf8(buf)), QString("ばらAB"));

        e->setFocus();
        QTRY_VERIFY(e->hasFocus());
        e->setCursorPosition(1);
        QTest::keyClick(e, Qt::Key_Left);  // the caret moves to the start
        QCOMPARE(e->exitKey(), Key::None);
        QTest::keyClick(e, Qt::Key_Left);  // already at the start: leave
        QCOMPARE(e->exitKey(), Key::Left);
    }

    void focusLossWritesWhatWasTyped() {
        CDataEdit* e = field(1, 4, 11);
        QTest::keyClicks(e, "56");
        view->setFocus();
        QTRY_VERIFY(!e->hasFocus());
        QCOMPARE(e->value(), 56);
        QCOMPARE(e->exitKey(), Key::None);
    }

    void wrongModeIsAProgrammingError() {
        QVERIFY(field(7, 4) == nullptr);
        QCOMPARE(dialogs.shown.back(), std::string(msg::kEntryBadMode));
    }

    void pickListChoosesByNumberAndShowsTheDigitsInTheFields() {
        CDataEdit* e = field(1, 4, 0);
        auto* list = new CMojiList(77, view);
        list->setLines({"   1  赤", "   2  白", "   3  黄"});
        list->setGeometry(240, 10, 150, 100);
        list->show();
        list->setFocus();
        QTRY_VERIFY(list->hasFocus());
        QSignalSpy chosen(list, &CMojiList::chosen);
        QTest::keyClick(list, Qt::Key_3);
        QCOMPARE(e->shownText(), QString("3"));  // fed to the window's entry field
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(chosen.count(), 1);
        // The choice travels with the signal.
        const auto handed = chosen.at(0).at(0).value<controls::ListResult>();
        QCOMPARE(handed.id, 77);
        QCOMPARE(handed.value, 2);
        QCOMPARE(list->result().value, 2);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Escape);
        QCOMPARE(list->result().value, 0);
        QCOMPARE(list->result().key, Key::Esc);
    }

    void choiceBarReportsItsChoice() {
        controls::ListResult result;
        auto* bar = new CChoiceBar("箱指定  ﾌﾗｺﾝ指定  ﾄﾚｰ指定", 5, result, view);
        bar->setGeometry(10, 120, bar->sizeHint().width(), 24);
        bar->show();
        bar->setFocus();
        QTRY_VERIFY(bar->hasFocus());
        QSignalSpy chosen(bar, &CChoiceBar::chosen);
        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_Return);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(result.id, 5);
        QCOMPARE(result.value, 2);
        QVERIFY(view->hasFocus());
    }

    void codeComboReportsWhenLeft() {
        controls::ListResult result;
        auto* combo = new CCodeCombo(31, result, view);
        combo->addItems({"20", "30", "40"});
        combo->setCurrentIndex(2);
        combo->show();
        combo->setFocus();
        QTRY_VERIFY(combo->hasFocus());
        QSignalSpy told(combo, &CCodeCombo::listCommand);
        view->setFocus();
        QTRY_COMPARE(told.count(), 1);
        QCOMPARE(result.id, 31);
        QCOMPARE(result.value, 2);
    }

    // A picture of a slip header with the cursor in the customer field, for people to look at.
    void screenshotOfAnEntryFieldInAView() {
        auto caption = [&](const QString& t, int x, int y) {
            auto* l = new QLabel(t, view);
            l->move(x, y);
            l->show();
        };
        view->resize(420, 170);
        caption("扱い日", 10, 12);
        caption(" 5 月 12日", 100, 12);
        caption("得意先", 10, 44);
        caption("金額", 10, 76);
        CDataEdit* e = field(1, 4, 0);
        QTest::keyClicks(e, "128");
        controls::ListResult result;
        auto* bar = new CChoiceBar("箱指定  ﾌﾗｺﾝ指定  ﾄﾚｰ指定", 5, result, view);
        bar->setGeometry(10, 130, bar->sizeHint().width(), 24);
        bar->show();
        EntryConfig c;
        c.mode = 3;
        c.length = 12;
        c.number = 1234567.5;
        c.decimals = 1;
        auto* amount = CDataEdit::create(view, c, QRect(100, 72, 120, 24), dialogs);
        QVERIFY(amount);
        e->setFocus();
        QVERIFY(!test::saveScreenshot(view, "entry_field").isEmpty());
    }
};

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
