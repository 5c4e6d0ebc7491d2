#include "ui/masters/HinMasAView.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "masters/messages.h"
#include "masters/product_master.h"
#include "ui/masters/HinMasBView.h"
#include "ui/masters/MasterUi.h"

namespace rk::ui {

HinMasAView::HinMasAView(AppContext& ctx, HinMasBView* grid, QWidget* parent) : QWidget(parent), grid_(grid) {
    setObjectName("HinMasAView");
    setFixedHeight(70);
    search_ = new QLineEdit(this);
    search_->setObjectName("search");
    search_->setGeometry(44, 6, 150, 24);
    search_->setFont(MasterGrid::gridFont());
    connect(search_, &QLineEdit::textEdited, this, [this](const QString& t) {
        // At most 17 Shift-JIS bytes.
        std::string sjis = cp932::fromUtf8(t.toStdString());
        if (sjis.size() > static_cast<size_t>(masters::kProductSearchLimit)) {
            sjis.resize(cp932::cutAtCharBoundary(sjis, masters::kProductSearchLimit));
            search_->setText(fromSjis(sjis));
        }
    });
    connect(search_, &QLineEdit::editingFinished, this, &HinMasAView::runSearch);
    QPushButton* help = masterButton("解説", this);
    help->setGeometry(210, 6, 52, 24);
    connect(help, &QPushButton::clicked, this, [this, &ctx] { openGuide(this, ctx, ""); });
    QPushButton* copy = masterButton("上行科目ｺﾋﾟｰ", this);
    copy->setObjectName("copyAbove");
    copy->setGeometry(268, 6, 110, 24);
    connect(copy, &QPushButton::clicked, grid_, &HinMasBView::copyFromAbove);
}

void HinMasAView::runSearch() {
    const QString text = search_->text();
    if (text.isEmpty() || text == searched_) return;
    searched_ = text;
    // Shown while the products are read.
    QLabel busy(utf8(msg::kProductSearching), window(), Qt::Tool | Qt::FramelessWindowHint);
    busy.setFrameStyle(QFrame::Box);
    busy.setMargin(12);
    busy.show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    grid_->search(text);
}

void HinMasAView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xE8));
    p.setFont(MasterGrid::gridFont());
    p.drawText(QPoint(8, 24), "検索");
    p.drawText(QPoint(392, 24), " F2･無し f3･箱 f4･ﾌﾗｺﾝ f5･ﾄﾚ- ");
    static const char* const kTitles[10] = {" No.", "商  品  名", "単位", "･･･  借り方コード", "･･･  貸し方コード",
                                            "入物", "箱点数",     "小数", "共通コード",        "梱包数"};
    for (int c = 0; c < 10; ++c)
        drawCell(p, QRect(HinMasBView::kColumnX[c], 44, HinMasBView::kColumnW[c] + 4, 24), kTitles[c]);
}

}  // namespace rk::ui
