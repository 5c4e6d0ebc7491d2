// The master windows inside the main frame: opened by their commands, the match list in the
// window area feeding the product grid, the customer master excluding the payment window.
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>

#include "masters_support.h"
#include "ui/app/MainFrame.h"
#include "ui/app/WindowRegistry.h"
#include "ui/masters/GaitouDrowView.h"
#include "ui/masters/GaitouDrowWnd.h"
#include "ui/masters/HinMasAView.h"
#include "ui/masters/HinMasBView.h"
#include "ui/masters/HinMasWnd.h"

using namespace rk;
using namespace rk::ui;

class MasterFrameTest : public QObject {
    Q_OBJECT

private slots:
    void productSearchThroughTheMatchListWindow() {
        test::MasterFiles f;
        ProductRecord p{};
        cp932::assign(p.name, "ガーベラ");
        QVERIFY(f.ctx->files.write(f.ctx->fileSet[kProducts], 40 * 192, bytesOf(p)));
        QtDialogs frameDialogs;
        MainFrame frame(*f.ctx, frameDialogs);
        frame.resize(1200, 800);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        for (int command : {161, 162, 163, 164, 165}) QVERIFY(frame.registry()->isEnabled(command));

        QWidget* sub = frame.registry()->open(162);
        QVERIFY(sub);
        auto* products = sub->findChild<HinMasWnd*>();
        QVERIFY(products);
        QVERIFY(!frame.registry()->open(162));  // one product master at a time
        products->header()->searchBox()->setText("ベラ");
        emit products->header()->searchBox()->editingFinished();
        GaitouDrowWnd* list = products->matchList();
        QVERIFY(list);
        QVERIFY(qobject_cast<QMdiSubWindow*>(list->parentWidget()));
        QCOMPARE(list->parentWidget()->geometry(), QRect(480, 140, 400, 460));
        QCOMPARE(list->view()->product(0), 40);
        QTest::keyClick(list->view(), Qt::Key_Return);
        QCOMPARE(products->grid()->currentRow(), 40);
        QTest::keyClick(list->view(), Qt::Key_Escape);
        QTRY_VERIFY(!products->matchList());

        // While the customer master is open the payment window is refused, and the reverse.
        QVERIFY(frame.registry()->open(161));
        QCOMPARE(runCommand(*f.ctx, *findCommand(134)).kind, CommandOutcome::Kind::Refused);
    }
};

QTEST_MAIN(MasterFrameTest)
#include "master_frame_test.moc"
