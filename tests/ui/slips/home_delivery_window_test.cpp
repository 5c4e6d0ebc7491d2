// The home-delivery slip window opened from slip entry with Shift+F6: a chain of two
// consignments typed on a slip line, recorded with the slip, and found again on reopening.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include "app/startup_loader.h"
#include "base/cp932.h"
#include "masters/master_io.h"
#include "slips/home_delivery.h"
#include "support/key_typing.h"
#include "support/ui_support.h"
#include "ui/app/QtDialogs.h"
#include "ui/app/WindowCatalog.h"
#include "ui/app/WindowRegistry.h"
#include "ui/controls/CMojiList.h"
#include "ui/slips/FMdinCView.h"
#include "ui/slips/FMdinWnd.h"
#include "ui/slips/FTakuhaiView.h"
#include "ui/slips/FTakuhaiWnd.h"

using namespace rk;
using namespace rk::ui;
using test::key;
using test::type;

namespace {

void typeText(const QString& s) {
    for (QChar c : s) {
        QTest::sendKeyEvent(QTest::Press, test::focus(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, test::focus(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Each value then Enter; an empty value keeps the field as it is.
void fields(const QStringList& values) {
    for (const QString& v : values) {
        if (!v.isEmpty() && v[0].unicode() < 0x80)
            type(v);
        else
            typeText(v);
        key(Qt::Key_Return);
    }
}

HomeDeliveryRecord deliveryAt(AppContext& ctx, int n) {
    HomeDeliveryRecord r{};
    (void)ctx.files.readZeroFilled(ctx.fileSet[kHomeDelivery], static_cast<uint64_t>(n) * 352, bytesOf(r));
    return r;
}

}  // namespace

class HomeDeliveryWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<AppContext> ctx;
    ScriptedDialogs dialogs;

    template <class W>
    W* window(QMdiArea& area) {
        for (QMdiSubWindow* s : area.subWindowList())
            if (auto* w = qobject_cast<W*>(s->widget())) return w;
        return nullptr;
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        ctx = std::make_unique<AppContext>(Edition::Sales, dir.path().toStdString());
        BasicSettings s = defaultSettings(ctx->clock);
        s.businessYear = s.inputYear = 2026;
        s.firstMonth = 1;
        QVERIFY(writeNewInstallation(*ctx, s));
        CreatingPrompts prompts;
        StandAloneStation station;
        QCOMPARE(runStartupLoader(*ctx, dialogs, prompts, station), StartupResult::Run);
        ProductRecord p{};
        cp932::assign(p.name, "スプレーバラ");
        cp932::assign(p.unit, "本");
        p.salesDebit = 110;
        p.salesCredit = 400;
        QVERIFY(masters::writeProduct(ctx->files, ctx->fileSet[kProducts], 12, p));
        GradeRecord g{};
        cp932::assign(g.grade1Name, "秀");
        QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kGrades], 3, g));
        CustomerRecord c{};
        cp932::assign(c.name, "有限会社鈴木生花店");
        QVERIFY(masters::writeRecord(ctx->files, ctx->fileSet[kCustomers], 7, c));
    }

    void chainOfTwoIsRecordedWithTheSlipAndReopened() {
        QtDialogs::setHeadless(true);
        QMdiArea area;
        area.resize(1100, 800);
        WindowRegistry registry(*ctx, dialogs, &area);
        registerWindows(registry, *ctx);
        area.show();
        QVERIFY(QTest::qWaitForWindowActive(&area));
        QVERIFY(registry.open(131));
        auto* slip = window<FMdinWnd>(area);
        QVERIFY(slip);
        QVERIFY(slip->footer()->button("宅配伝票")->isEnabled());

        fields({"131", "7"});
        QVERIFY(slip->gridActive());
        test::typeLine(12, 10, 150);
        key(Qt::Key_Up);
        QCOMPARE(slip->line(), 1);
        key(Qt::Key_F6, Qt::ShiftModifier);
        auto* w = window<FTakuhaiWnd>(area);
        QVERIFY(w);
        QVERIFY(!slip->isEnabled());
        QCOMPARE(w->chain().current().arrivalDate, 201);  // 31 January: arrives 1 February

        fields({"3",
                "1234",
                "5678",
                "東京都港区芝１－２",
                "",
                "",
                "山田太郎",
                "12",
                "34",
                "",
                "105",
                "11",
                "800",
                "200",
                "45",
                "987",
                "6543",
                "横浜市中区本町",
                "",
                "",
                "花卸ラクレナ"});
        key(Qt::Key_F11);  // the complete slip onto the clipboard
        QVERIFY(w->chain().currentOnClipboard());
        test::saveScreenshot(w, "home_delivery_input");
        key(Qt::Key_PageDown);
        QCOMPARE(w->chain().count(), 2);
        key(Qt::Key_F12);
        // From the sender's store number round to the destination's telephone number.
        QCOMPARE(w->view()->current(), int(FTakuhaiView::kDepartureStore1));
        for (int i = 0; i < 7; ++i) key(Qt::Key_Return);
        QCOMPARE(w->view()->current(), int(FTakuhaiView::kDestPhone3));
        fields({"9999"});
        key(Qt::Key_Return);
        key(Qt::Key_Return);
        key(Qt::Key_Return);
        QCOMPARE(w->view()->current(), int(FTakuhaiView::kDestName));
        for (int i = 0; i < 4; ++i) key(Qt::Key_Backspace);
        fields({"鈴木一郎"});
        QCOMPARE(w->chain().current().destPhone[2], 9999);
        key(Qt::Key_F5);
        QTRY_VERIFY(slip->isEnabled());
        QVERIFY(!window<FTakuhaiWnd>(area));
        QCOMPARE(slip->doc().lines[1].word200, 2);

        key(Qt::Key_F5);  // the slip, with the line's first number
        QVERIFY(!slip->gridActive());
        SlipLine line{};
        QVERIFY(ctx->files.readZeroFilled(ctx->fileSet[kSlipLines], 224, bytesOf(line)));
        QCOMPARE(line.word200, 2);
        QCOMPARE(ctx->files.size(ctx->fileSet[kHomeDelivery]).value_or(0), 4u * 352);
        const HomeDeliveryRecord first = deliveryAt(*ctx, 2), second = deliveryAt(*ctx, 3);
        QCOMPARE(first.next, 3);
        QCOMPARE(second.next, 0);
        QCOMPARE(first.destPhone[0], 3);
        QCOMPARE(first.destPostal[0], 105);
        QCOMPARE(first.fee[1], 200);
        QCOMPARE(first.shippingDate, 131);
        QCOMPARE(first.arrivalDate, 201);
        QCOMPARE(cp932::toUtf8(first.destName), std::string("山田太郎"));
        QCOMPARE(cp932::toUtf8(second.destName), std::string("鈴木一郎"));
        QCOMPARE(second.originPhone[2], 6543);
        QCOMPARE(ctx->files.size(ctx->fileSet[kHomeDeliveryMaster]).value_or(0), 2u * 352);

        // The slip again: the line's chain is there.
        fields({"", "7"});
        QVERIFY(slip->gridActive());
        key(Qt::Key_Up);
        QCOMPARE(slip->line(), 1);
        key(Qt::Key_F6, Qt::ShiftModifier);
        w = window<FTakuhaiWnd>(area);
        QVERIFY(w);
        QCOMPARE(w->chain().count(), 2);
        QCOMPARE(w->chain().slip(2).destPhone[2], 9999);
        QCOMPARE(w->chain().currentNumber(), 1);

        // The address-book search from the sender's telephone number lists both consignments.
        for (int i = 0; i < 14; ++i) key(Qt::Key_Return);
        QCOMPARE(w->view()->current(), int(FTakuhaiView::kOriginPhone1));
        key(Qt::Key_F3);
        QVERIFY(w->searchList());
        QCOMPARE(w->searchList()->count(), 2);
        key(Qt::Key_Down);
        key(Qt::Key_Return);
        QVERIFY(!w->searchList());
        QCOMPARE(w->chain().current().destPhone[2], 9999);  // taken from the book
        key(Qt::Key_PageDown);
        QCOMPARE(w->chain().currentNumber(), 2);
        test::saveScreenshot(w, "home_delivery_input_second");
        // Closing without recording keeps the files as they were.
        qobject_cast<QMdiSubWindow*>(w->parentWidget())->close();
        QTRY_VERIFY(slip->isEnabled());
        QCOMPARE(deliveryAt(*ctx, 2).destPhone[2], 5678);

        // An empty line has no consignments to carry.
        key(Qt::Key_Down);
        QCOMPARE(slip->line(), 2);
        key(Qt::Key_F6, Qt::ShiftModifier);
        QVERIFY(!window<FTakuhaiWnd>(area));
    }
};

QTEST_MAIN(HomeDeliveryWindowTest)
#include "home_delivery_window_test.moc"
