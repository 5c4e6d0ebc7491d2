#include "ui/printing/TakuDenView.h"

#include <QListWidget>
#include <QPainter>
#include <QPushButton>

#include "base/format.h"
#include "printing/messages.h"
#include "printing/slip_snapshot.h"

namespace rk::ui {

using controls::Key;
namespace msg = printing::msg;

namespace {

constexpr int kFieldX = 150, kFieldY = 20, kFieldStep = 34;

}  // namespace

TakuDenView::TakuDenView(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : PrintSelectionView(ctx, dialogs, parent) {
    setObjectName("TakuDenView");
    auto form = printing::loadHomeDeliveryForm(ctx.files, ctx.programFolder());
    if (!form) dialogs.message(msg::kHomeDeliveryFormUnreadable);
    form_ = form.value_or(printing::HomeDeliveryForm{});
    date_ = printing::lastSlipDate(ctx);
    selection_.lastCustomer = ctx.env.customerCount;

    int32_t* values[4] = {&date_, &selection_.firstCustomer, &selection_.lastCustomer, &copies_};
    for (int i = 0; i < 4; ++i) {
        addNumberField(QRect(kFieldX, kFieldY + i * kFieldStep, 110, 26), values[i], i == kCopies ? 2 : 4, i == kDate,
                       [this, i](int value) { setValue(static_cast<Field>(i), value); });
    }
    list_ = new QListWidget(this);
    list_->setObjectName("CustomerList");
    list_->setGeometry(440, 40, 300, 300);
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    list_->setFocusPolicy(Qt::NoFocus);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, list_, &QListWidget::selectAll);

    const char* captions[kButtonCount] = {"解 説", "印 刷", "ﾌﾟﾚﾋﾞｭｰ", "指定印刷"};
    for (int i = 0; i < kButtonCount; ++i) {
        buttons_[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
        buttons_[i]->setGeometry(20 + i * 100, 300, 90, 30);
        buttons_[i]->setFocusPolicy(Qt::NoFocus);
    }
    connect(buttons_[kHelp], &QPushButton::clicked, this, &TakuDenView::helpRequested);
    connect(buttons_[kPrintAll], &QPushButton::clicked, this, &TakuDenView::printAll);
    connect(buttons_[kPreview], &QPushButton::clicked, this, &TakuDenView::preview);
    connect(buttons_[kPrintChosen], &QPushButton::clicked, this, &TakuDenView::printChosen);
    rebuild();
}

void TakuDenView::setValue(Field f, int value) {
    switch (f) {
        case kDate:
            date_ = monthday::normalise(value, monthday::kFirstDay);
            break;
        case kFrom:
            selection_.firstCustomer = value;
            break;
        case kTo:
            selection_.lastCustomer = value;
            break;
        case kCopies:
            copies_ = std::clamp(value, 1, 99);  // shown, without effect
            break;
    }
    rebuild();
}

void TakuDenView::rebuild() {
    selection_.from = selection_.to = date_;
    run_ = printing::collectHomeDelivery(ctx_, selection_);
    if (run_.unreadable) dialogs_.message(msg::kHomeDeliveryUnreadable);
    list_->clear();
    listCustomers_.clear();
    for (size_t i = 0; i < run_.consignments.size(); ++i) {
        const auto& c = run_.consignments[i];
        if (!listCustomers_.empty() && listCustomers_.back() == c.customer) continue;
        listCustomers_.push_back(c.customer);
        list_->addItem(QString::asprintf("%4d    ", c.customer) + QString::fromStdString(c.customerName));
    }
    update();
}

std::vector<bool> TakuDenView::chosen() const {
    std::vector<bool> out(run_.consignments.size(), false);
    for (int row = 0; row < list_->count(); ++row) {
        if (!list_->item(row)->isSelected()) continue;
        for (size_t i = 0; i < out.size(); ++i)
            if (run_.consignments[i].customer == listCustomers_[static_cast<size_t>(row)]) out[i] = true;
    }
    return out;
}

bool TakuDenView::send(const std::vector<bool>& which, bool previewOnly) {
    commit();
    const auto pages =
        which.empty() ? run_.consignments.size() : static_cast<size_t>(std::count(which.begin(), which.end(), true));
    if (pages == 0) {
        dialogs_.message(msg::kNoSlipChosen);
        return false;
    }
    const Planner planner = [this, which](const printing::PageArea& area) {
        return printing::planHomeDelivery(run_.consignments, form_, area, which);
    };
    return sendPages(planner, previewOnly);
}

void TakuDenView::printAll() { send({}, false); }
void TakuDenView::printChosen() {
    const std::vector<bool> which = chosen();
    if (std::find(which.begin(), which.end(), true) == which.end()) {
        dialogs_.message(msg::kNoSlipChosen);
        return;
    }
    send(which, false);
}
void TakuDenView::preview() { send({}, true); }

void TakuDenView::fieldExited(int index, Key key) {
    switch (key) {
        case Key::Up:
        case Key::Esc:
            setCurrent(std::max(0, index - 1));
            return;
        case Key::Enter:
        case Key::Down:
        case Key::Tab:
            setCurrent(std::min<int>(kCopies, index + 1));
            return;
        default:
            setCurrent(index);
    }
}

void TakuDenView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF0, 0xF0, 0xE8));
    const char* labels[4] = {"印　刷　月　日", "開始得意先Ｎｏ", "終了得意先Ｎｏ", "部数(現在無効)"};
    for (int i = 0; i < 4; ++i)
        p.drawText(QRect(20, kFieldY + i * kFieldStep, 125, 26), Qt::AlignVCenter, QString::fromUtf8(labels[i]));
    paintFields(p);
    p.drawText(QRect(440, 12, 300, 24), Qt::AlignVCenter, "該当得意先名");
    p.drawText(QRect(440, 345, 300, 22), Qt::AlignVCenter, QString::asprintf(msg::kSlipCount, run_.slips));
    p.drawText(QRect(440, 367, 300, 22), Qt::AlignVCenter,
               QString::asprintf(msg::kPageCount, static_cast<int>(run_.consignments.size())));
    p.drawText(QRect(20, 160, 410, 44), Qt::AlignVCenter | Qt::TextWordWrap,
               QString::fromUtf8(msg::kHomeDeliveryFormNote));
    p.drawText(QRect(20, 210, 410, 22), Qt::AlignVCenter, QString::fromUtf8(msg::kPaperNote));
}

}  // namespace rk::ui
