#include "ui/payments/NukinChkWnd.h"

#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "payments/list_print.h"
#include "payments/payment_file.h"
#include "printing/print_form.h"
#include "ui/payments/NukinChkAView.h"
#include "ui/payments/NukinChkBView.h"
#include "ui/payments/NyukinHenWnd.h"
#include "ui/printing/DocumentArchiver.h"
#include "ui/printing/PlanPrinter.h"

namespace rk::ui {

NukinChkWnd::NukinChkWnd(AppContext& ctx, Dialogs& dialogs, Hooks hooks, QWidget* parent)
    : QWidget(parent),
      ctx_(ctx),
      dialogs_(dialogs),
      hooks_(std::move(hooks)),
      list_(std::make_unique<payments::PaymentList>(ctx, dialogs)) {
    setObjectName("NukinChkWnd");
    const bool sales = ctx.edition != Edition::Purchase;
    setWindowTitle(sales ? "　入金データ集計削除" : "　出金データ集計削除");
    a_ = new NukinChkAView(ctx, dialogs, *list_);
    b_ = new NukinChkBView(ctx, dialogs, *list_);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(a_);
    split->addWidget(b_);
    split->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);
    resize(sizeHint());

    connect(a_, &NukinChkAView::aggregated, this, [this] {
        closeEdit();
        b_->refresh();
        b_->select(0);
        b_->setFocus();
    });
    connect(b_, &NukinChkBView::editRequested, this, [this](int index) { edit(index); });
    connect(b_, &NukinChkBView::focusedBack, this, &NukinChkWnd::closeEdit);
    connect(b_, &NukinChkBView::deleted, this, [this] {
        if (hooks_.refreshAll) hooks_.refreshAll();
    });
    connect(a_, &NukinChkAView::joinRequested, this, &NukinChkWnd::join);
    connect(b_, &NukinChkBView::receiptRequested, this, [this](int index, bool print) {
        PaymentRecord p{};
        const auto& e = list_->entries()[static_cast<size_t>(index)];
        if (!payments::readPayment(ctx_.files, ctx_.fileSet[kPayments], e.record, p)) return;
        const Planner planner = [this, p](const printing::PageArea& area) {
            const auto form =
                printing::loadPrintForm(ctx_.files, ctx_.programFolder()).value_or(printing::defaultPrintForm());
            return payments::planReceipt(ctx_, form, area, p);
        };
        if (print) {
            // A printed receipt is kept in the archive of issued documents.
            if (printWithDialog(planner, this)) archiveIssued(ctx_, dialogs_, {receiptIssued(ctx_, p, planner)});
        } else {
            showPreview(planner, this);
        }
    });
    a_->helpButton()->setEnabled(static_cast<bool>(hooks_.openGuide));
    connect(a_, &NukinChkAView::helpRequested, this, [this, sales] {
        if (hooks_.openGuide) hooks_.openGuide(sales ? "＊．入金データ集計・削除" : "＊．出金データ集計・削除");
    });
}

NukinChkWnd::~NukinChkWnd() { closeEdit(); }

NyukinHenWnd* NukinChkWnd::edit(int index) {
    if (edit_) {
        dialogs_.beep();
        return nullptr;
    }
    auto* w = new NyukinHenWnd(ctx_, dialogs_, *list_, index);
    if (!w->valid()) {
        delete w;
        dialogs_.beep();
        return nullptr;
    }
    edit_ = w;
    connect(w, &NyukinHenWnd::saved, b_, &NukinChkBView::refresh);
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (sub && sub->mdiArea()) {
        QMdiSubWindow* s = sub->mdiArea()->addSubWindow(w);
        s->setAttribute(Qt::WA_DeleteOnClose);
        s->show();
    } else {
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
    }
    return w;
}

void NukinChkWnd::closeEdit() {
    if (!edit_) return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(edit_->parentWidget())) {
        sub->close();
    } else {
        edit_->close();
    }
}

void NukinChkWnd::join() {
    const QString file =
        hooks_.chooseFile ? hooks_.chooseFile() : QFileDialog::getOpenFileName(this, {}, {}, "*.ft2 *.FT2");
    if (file.isEmpty()) return;
    if (list_->join(file.toStdString()) != payments::Outcome::Ok) return;
    list_->aggregate();
    b_->refresh();
    if (hooks_.refreshAll) hooks_.refreshAll();
}

}  // namespace rk::ui
