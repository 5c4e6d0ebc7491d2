#include "ui/masters/KamokuMasAView.h"

#include <QComboBox>
#include <QPainter>
#include <QPushButton>

#include "base/format.h"
#include "masters/account_items.h"
#include "printing/account_print.h"
#include "slips/slip_messages.h"
#include "ui/app/QtDialogs.h"
#include "ui/masters/KamokuMasBView.h"
#include "ui/masters/MasterGrid.h"
#include "ui/masters/MasterUi.h"

namespace rk::ui {

KamokuMasAView::KamokuMasAView(AppContext& ctx, KamokuMasBView* grid, QWidget* parent)
    : QWidget(parent), ctx_(ctx), grid_(grid) {
    setObjectName("KamokuMasAView");
    setFixedHeight(96);
    for (int c = 0; c < 5; ++c) {
        QPushButton* b = masterButton(QString::number(100 * (c + 1)), this);
        b->setObjectName(QString("category%1").arg(c));
        b->setGeometry(8 + c * 56, 4, 52, 24);
        b->setStyleSheet(QString("background-color: %1").arg(KamokuMasBView::categoryColour(c).name()));
        connect(b, &QPushButton::clicked, grid_, [this, c] { grid_->showCategory(c); });
    }
    QPushButton* reference = masterButton("参照", this);
    reference->setObjectName("reference");
    reference->setGeometry(300, 4, 52, 24);
    connect(reference, &QPushButton::clicked, grid_, &KamokuMasBView::openReference);
    int x = 356;
    for (const char* caption : {"印刷", "ﾌﾟﾚﾋﾞ"}) {
        QPushButton* b = masterButton(caption, this);
        b->setGeometry(x, 4, 52, 24);
        const bool preview = x != 356;
        connect(b, &QPushButton::clicked, this, [this, preview] { printItems(preview); });
        x += 56;
    }
    QPushButton* help = masterButton("解説", this);
    help->setGeometry(x, 4, 52, 24);
    connect(help, &QPushButton::clicked, this, [this] { openGuide(this, ctx_, ""); });
    lines_ = new QComboBox(this);
    lines_->setObjectName("lines");
    for (int n = 20; n <= 50; ++n) lines_->addItem(QString::number(n));
    int stored = ctx_.settings.accountWindowSetting;
    lines_->setCurrentIndex(stored >= 20 && stored <= 50 ? stored - 20 : 0);
    lines_->setGeometry(x + 100, 4, 56, 24);
    lines_->setFocusPolicy(Qt::NoFocus);
    connect(grid_, &KamokuMasBView::totalsChanged, this, qOverload<>(&QWidget::update));
}

bool KamokuMasAView::printItems(bool previewOnly) {
    grid_->closeEditor();  // what is being typed is in the file first
    const auto items = masters::readAccountItems(ctx_.files, ctx_.fileSet[kAccounts]);
    if (items.empty()) {
        grid_->dialogs().message(msg::kAccountFileUnopenable, Icon::Stop);
        return false;
    }
    const printing::PrintForm form =
        printing::loadPrintForm(ctx_.files, ctx_.programFolder()).value_or(printing::defaultPrintForm());
    const int lines = linesPerPage();
    const Planner planner = [items, lines, form](const printing::PageArea& area) {
        return printing::planAccountItems(items, lines, form, area);
    };
    if (previewOnly) {
        output_.preview(planner, this);
        return true;
    }
    return output_.print(planner, this);
}

int KamokuMasAView::linesPerPage() const { return std::clamp(lines_->currentIndex() + 20, 20, 50); }

void KamokuMasAView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xE8));
    p.setFont(MasterGrid::gridFont());
    const int linesX = lines_->geometry().left();
    p.drawText(QPoint(linesX - 36, 21), "行数");
    static const char* const kTitles[5] = {"資産科目", "負債科目", "資本科目", "収益科目", "費用科目"};
    for (int c = 0; c < 5; ++c) {
        QRect r(8 + c * 84, 34, 80, 22);
        p.fillRect(r, KamokuMasBView::categoryColour(c));
        drawCell(p, r, kTitles[c], Qt::AlignHCenter);
    }
    const auto& t = grid_->totals();
    p.drawText(QPoint(440, 50), "借方計");
    drawCell(p, QRect(490, 34, 112, 22), utf8(fmt::grouped(static_cast<int64_t>(t.debit), 14)), Qt::AlignRight);
    p.drawText(QPoint(620, 50), "貸方計");
    drawCell(p, QRect(670, 34, 112, 22), utf8(fmt::grouped(static_cast<int64_t>(t.credit), 14)), Qt::AlignRight);
    p.drawText(QPoint(0, 86), "  No.    科 目 名");
    drawCell(p, QRect(KamokuMasBView::kDebitX, 66, KamokuMasBView::kMoneyWidth, 26), "借方", Qt::AlignHCenter);
    drawCell(p, QRect(KamokuMasBView::kCreditX, 66, KamokuMasBView::kMoneyWidth, 26), "貸方", Qt::AlignHCenter);
}

}  // namespace rk::ui
