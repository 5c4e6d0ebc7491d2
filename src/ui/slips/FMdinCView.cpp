#include "ui/slips/FMdinCView.h"

#include <QPainter>
#include <QPushButton>

#include "base/format.h"
#include "controls/keys.h"
#include "ui/slips/FMdinBView.h"
#include "ui/slips/FMdinWnd.h"

namespace rk::ui {

FMdinCView::FMdinCView(FMdinWnd& wnd) : QWidget(&wnd), wnd_(wnd) {
    setObjectName("FMdinCView");
    setFixedHeight(kHeight);
    setFont(QFont("IPAGothic", 10));
    const bool purchase = wnd.context().edition == Edition::Purchase;
    const int mode = wnd.mode();
    FMdinBView* grid = wnd.grid();
    auto inGrid = [&wnd](auto fn) {
        return [&wnd, fn] {
            if (wnd.gridActive()) fn();
        };
    };
    int col = 0;
    connect(add("個別解説", 0, col++, true), &QPushButton::clicked, this, [&wnd] { wnd.explainField(); });
    connect(add("箱数(F2)", 0, col++, true), &QPushButton::clicked, this, inGrid([grid] { grid->boxKey(1); }));
    connect(add("電卓(F3)", 0, col++, true), &QPushButton::clicked, this, [&wnd] { wnd.openCalculator(); });
    connect(add("行文字(F4", 0, col++, true), &QPushButton::clicked, this, [&wnd] { wnd.openLineText(); });
    if (mode <= 2) connect(add("記録(F5)", 0, col++, true), &QPushButton::clicked, this, [&wnd] { wnd.recordSlip(); });
    QPushButton* f6 = add(purchase ? "買掛(F6)" : "売掛(F6)", 0, col++, wnd.canOpenReceivable());
    connect(f6, &QPushButton::clicked, this, [&wnd] { wnd.openReceivable(); });
    connect(add(purchase ? "買掛参照" : "売掛参照", 0, col++, wnd.canOpenReference()), &QPushButton::clicked, this,
            [&wnd] { wnd.openReference(); });
    connect(add("ﾏｽﾀｰ参照(F12", 0, col++, true), &QPushButton::clicked, this,
            [&wnd] { wnd.pressInField(controls::Key::F12); });

    col = 0;
    connect(add("月日変更", 1, col++, true), &QPushButton::clicked, this, [&wnd] { wnd.openDateChange(); });
    connect(add("行削除", 1, col++, true), &QPushButton::clicked, this, inGrid([grid] { grid->deleteLine(); }));
    connect(add("行ｺﾋﾟｰ(+)", 1, col++, true), &QPushButton::clicked, this, inGrid([grid] { grid->copyLine(); }));
    connect(add("行挿入", 1, col++, true), &QPushButton::clicked, this, inGrid([grid] { grid->insertLine(); }));
    if (!purchase)
        connect(add("宅配伝票", 1, col++, wnd.canOpenHomeDelivery()), &QPushButton::clicked, this,
                [&wnd] { wnd.openHomeDelivery(); });
    connect(add("伝票削除", 1, col++, true), &QPushButton::clicked, this, [&wnd] { wnd.deleteSlip(); });
    connect(add("文字検索", 1, col++, true), &QPushButton::clicked, this, [&wnd] { wnd.characterSearch(); });
    connect(add("税額減", 1, col++, true), &QPushButton::clicked, this, inGrid([grid] { grid->reduceTax(); }));
}

QPushButton* FMdinCView::add(const QString& caption, int row, int column, bool enabled) {
    auto* b = new QPushButton(caption, this);
    b->setGeometry(8 + column * 112, 48 + row * 34, 108, 30);
    b->setEnabled(enabled);
    b->setFocusPolicy(Qt::NoFocus);  // the entry field keeps the keyboard
    return b;
}

QPushButton* FMdinCView::button(const QString& caption) const {
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

void FMdinCView::showEvent(QShowEvent*) {
    // Hooks are set after construction: the buttons that depend on them follow here.
    if (QPushButton* b = button("個別解説")) b->setEnabled(wnd_.canOpenGuide());
}

void FMdinCView::setHint(const QString& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    update();
}

void FMdinCView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xE8));
    const SlipTotals& t = wnd_.totals();
    p.drawText(QRect(8, 8, 40, 24), Qt::AlignVCenter, QString::asprintf("%2d ", t.lines));
    p.drawText(QRect(50, 8, 60, 24), Qt::AlignVCenter, "箱数計");
    p.drawText(QRect(110, 8, 70, 24), Qt::AlignVCenter | Qt::AlignRight,
               QString::fromStdString(fmt::grouped(static_cast<int64_t>(t.boxes), 5)));
    p.drawText(QRect(200, 8, 60, 24), Qt::AlignVCenter, "数量計");
    p.drawText(QRect(260, 8, 130, 24), Qt::AlignVCenter | Qt::AlignRight,
               QString::fromStdString(fmt::decimal(t.quantity, 11, 0)));
    p.drawText(QRect(410, 8, 60, 24), Qt::AlignVCenter, "金額計");
    p.drawText(QRect(470, 8, 160, 24), Qt::AlignVCenter | Qt::AlignRight,
               QString::fromStdString(fmt::grouped(static_cast<int64_t>(t.amount), 14)));
    p.drawText(QRect(660, 8, 120, 24), Qt::AlignVCenter, "F1･総合解説");
    p.drawText(QRect(790, 8, 120, 24), Qt::AlignVCenter, "F11･分荷");
    if (!hint_.isEmpty()) {
        p.setPen(QColor(0, 0, 160));
        p.drawText(QRect(8, 28, 900, 18), Qt::AlignVCenter, hint_);
    }
}

}  // namespace rk::ui
