#include "ui/payments/NukinChkAView.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

#include "base/format.h"
#include "payments/list_print.h"
#include "printing/print_form.h"
#include "ui/controls/CDataEdit.h"
#include "ui/printing/PlanPrinter.h"

namespace rk::ui {

using controls::Key;

namespace {

constexpr int kTop = 12, kRowHeight = 30;
constexpr int kLabelWidth = 104, kCellWidth = 100, kStep = 224;

}  // namespace

NukinChkAView::NukinChkAView(AppContext& ctx, Dialogs& dialogs, payments::PaymentList& list, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), list_(list) {
    setObjectName("NukinChkAView");
    QFont f("IPAGothic");
    f.setPixelSize(15);
    setFont(f);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    setMinimumHeight(kHeight);

    help_ = new QPushButton("解 説", this);
    auto* print = new QPushButton("印 刷", this);
    auto* preview = new QPushButton("ﾌﾟﾚﾋﾞﾕｰ", this);
    join_ = new QPushButton("file連結", this);
    int x = 16;
    for (QPushButton* b : {help_, print, preview, join_}) {
        b->setGeometry(x, kTop + 2 * kRowHeight + 12, 110, 30);
        b->setFocusPolicy(Qt::NoFocus);
        x += 130;
    }
    const Planner planner = [this](const printing::PageArea& area) {
        const auto form =
            printing::loadPrintForm(ctx_.files, ctx_.programFolder()).value_or(printing::defaultPrintForm());
        return payments::planPaymentList(ctx_, form, area, list_);
    };
    connect(print, &QPushButton::clicked, this, [this, planner] { printWithDialog(planner, this); });
    connect(preview, &QPushButton::clicked, this, [this, planner] { showPreview(planner, this); });
    connect(help_, &QPushButton::clicked, this, &NukinChkAView::helpRequested);
    connect(join_, &QPushButton::clicked, this, &NukinChkAView::joinRequested);
    openField();
}

QRect NukinChkAView::rect(Field f) const {
    const int left = 16 + static_cast<int>(f) * kStep + kLabelWidth;
    return QRect(left + 2, kTop + 2, kCellWidth - 4, kRowHeight - 4);
}

void NukinChkAView::focusField(Field f) {
    field_ = f;
    openField();
}

void NukinChkAView::openField() {
    if (edit_) {
        edit_->hide();
        if (edit_->label()) edit_->label()->hide();
        edit_->deleteLater();
    }
    controls::EntryConfig c;
    c.mode = 1;
    c.length = 4;
    c.value = field_ == kStart   ? list_.periodStart
              : field_ == kEnd   ? list_.periodEnd
              : field_ == kFirst ? list_.firstCustomer
                                 : list_.lastCustomer;
    edit_ = CDataEdit::create(this, c, rect(field_), dialogs_);
    if (!edit_) return;
    connect(edit_, &CDataEdit::finished, this, &NukinChkAView::fieldDone);
    update();
}

void NukinChkAView::fieldDone(Key key) {
    const int32_t v = edit_->value();
    switch (field_) {
        case kStart:
            list_.periodStart = monthday::normalise(v, monthday::kFirstDay);
            break;
        case kEnd:
            list_.periodEnd = monthday::normalise(v, monthday::kLastDay);
            break;
        case kFirst:
            list_.firstCustomer = v;
            break;
        case kLast:
            list_.lastCustomer = v;
            if (key == Key::Enter) {
                list_.aggregate();
                update();
                emit aggregated();
                return;
            }
            break;
    }
    if ((key == Key::Enter || key == Key::Down || key == Key::Right) && field_ != kLast)
        field_ = static_cast<Field>(field_ + 1);
    if ((key == Key::Esc || key == Key::Up || key == Key::Left) && field_ != kStart)
        field_ = static_cast<Field>(field_ - 1);
    openField();
}

void NukinChkAView::mousePressEvent(QMouseEvent* e) {
    for (Field f : {kStart, kEnd, kFirst, kLast}) {
        if (!rect(f).contains(e->pos())) continue;
        field_ = f;
        openField();
        return;
    }
}

void NukinChkAView::keyPressEvent(QKeyEvent*) {
    if (edit_) edit_->setFocus();
}

void NukinChkAView::paintEvent(QPaintEvent*) {
    QPainter g(this);
    g.setFont(font());
    const char* labels[] = {"集計開始日", "集計終了日", "集計開始No", "集計終了No"};
    for (Field f : {kStart, kEnd, kFirst, kLast}) {
        const int left = 16 + static_cast<int>(f) * kStep;
        g.fillRect(QRect(left, kTop, kLabelWidth, kRowHeight), QColor(0xE8, 0xF0, 0xE0));
        g.setPen(Qt::black);
        g.drawText(QRect(left + 4, kTop, kLabelWidth - 4, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter, labels[f]);
        const int v = f == kStart   ? list_.periodStart
                      : f == kEnd   ? list_.periodEnd
                      : f == kFirst ? list_.firstCustomer
                                    : list_.lastCustomer;
        const QString shown =
            f <= kEnd ? QString::asprintf("%2d 月 %2d日", v / 100, v % 100) : QString::asprintf("%4d ", v);
        g.drawText(rect(f).adjusted(0, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, shown);
        g.setPen(QColor(0x80, 0x80, 0x80));
        g.drawRect(QRect(left, kTop, kLabelWidth + kCellWidth, kRowHeight));
    }
    g.setPen(QColor(0x00, 0x00, 0xA0));
    g.drawText(QRect(16, kTop + kRowHeight + 6, kWidth, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
               "左クリック　－　選択　　　左ﾀﾞﾌﾞﾙｸﾘｯｸ －　修正　　　右クリック　－　削除");
}

}  // namespace rk::ui
