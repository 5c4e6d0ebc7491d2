#include "ui/masters/TokuisakiGroupView.h"

#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>

#include "ui/masters/MasterGrid.h"
#include "ui/masters/MasterUi.h"

namespace rk::ui {

TokuisakiGroupView::TokuisakiGroupView(AppContext& ctx, Dialogs& dialogs, masters::CustomerGroupTable& table,
                                       QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), table_(table) {
    setObjectName("TokuisakiGroupView");
    setFont(MasterGrid::gridFont());
    list_ = new QListWidget(this);
    list_->setObjectName("memberList");
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    list_->setFocusPolicy(Qt::ClickFocus);
    list_->setGeometry(8, 32, 300, 160);
    connect(list_, &QListWidget::itemSelectionChanged, this, &TokuisakiGroupView::selectionChanged);
    QPushButton* help = masterButton("解説(ｸﾞﾙｰﾌﾟ登録)", this);
    help->setGeometry(320, 32, 150, 26);
    connect(help, &QPushButton::clicked, this, [this] { openGuide(this, ctx_, "＊．グループデータ登録"); });
    QPushButton* clear = masterButton("ｸﾞﾙｰﾌﾟﾃﾞｰﾀ初期化", this);
    clear->setObjectName("clearGroup");
    clear->setGeometry(320, 64, 150, 26);
    connect(clear, &QPushButton::clicked, this, &TokuisakiGroupView::clearGroup);
    setMinimumHeight(200);
}

void TokuisakiGroupView::setLines(const QStringList& lines) {
    QSignalBlocker block(list_);
    list_->clear();
    list_->addItems(lines);
}

void TokuisakiGroupView::replaceLine(int customer, const QString& line) {
    if (QListWidgetItem* item = list_->item(customer - 1)) item->setText(line);
}

void TokuisakiGroupView::showCustomer(int customer) {
    customer_ = customer;
    selectMembers();
    update();
}

void TokuisakiGroupView::selectMembers() {
    QSignalBlocker block(list_);
    list_->clearSelection();
    int taken = 0;
    for (int m : table_.members(customer_)) {
        if (++taken > 64) break;
        if (QListWidgetItem* item = list_->item(m - 1)) item->setSelected(true);
    }
}

void TokuisakiGroupView::selectionChanged() {
    std::vector<bool> selected(static_cast<size_t>(table_.count()) + 1, false);
    for (QListWidgetItem* item : list_->selectedItems()) {
        int m = list_->row(item) + 1;
        if (m >= 1 && m <= table_.count()) selected[static_cast<size_t>(m)] = true;
    }
    if (auto refusal = table_.applySelection(customer_, selected)) {
        dialogs_.message(refusal->message, Icon::Warning);
        selectMembers();  // the refused line is deselected, the entry is as before
    }
    update();
    emit groupChanged();
}

void TokuisakiGroupView::clearGroup() {
    table_.clear(customer_);
    {
        QSignalBlocker block(list_);
        list_->clearSelection();
    }
    update();
    emit groupChanged();
}

void TokuisakiGroupView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(MasterGrid::gridFont());
    p.drawText(QPoint(8, 20), "グループ登録");
    const int link = table_.link(customer_);
    QRect line(180, 4, 200, 22);
    if (link < 0) {
        drawCell(p, line, QString("所属ｸﾞﾙｰﾌﾟ親No  %1").arg(-link));
    } else if (link > 0) {
        p.fillRect(line, QColor(0xFF, 0, 0xFF));
        drawCell(p, line, QString("ｸﾞﾙｰﾌﾟﾒﾝﾊﾞｰ数  %1").arg(link));
    }
}

}  // namespace rk::ui
