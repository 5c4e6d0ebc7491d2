#include "ui/maintenance/KamokuSetWnd.h"

#include <QPainter>
#include <QPushButton>

#include "maintenance/code_change_messages.h"

namespace rk::ui {

namespace msg = maintenance::msg;

KamokuSetWnd::KamokuSetWnd(AppContext& ctx, Dialogs& dialogs, std::function<void(const std::string&)> guide,
                           QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs) {
    setObjectName("KamokuSetWnd");
    setWindowTitle("　科目コード埋め込み");
    setFont(QFont("IPAGothic", 11));
    resize(sizeHint());
    auto* help = new QPushButton("解 説", this);
    help->setGeometry(40, 220, 120, 32);
    help->setFocusPolicy(Qt::NoFocus);
    connect(help, &QPushButton::clicked, this, [guide] {
        if (guide) guide(msg::kEmbedTopic);
    });
    run_ = new QPushButton("　実　行　", this);
    run_->setGeometry(200, 220, 120, 32);
    connect(run_, &QPushButton::clicked, this, [this] { run(); });
}

maintenance::EmbedResult KamokuSetWnd::run() {
    working_ = true;
    repaint();
    const auto r = maintenance::embedAccountCodes(ctx_, dialogs_);
    working_ = false;
    update();
    return r;
}

void KamokuSetWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xE8));
    QFont title = font();
    title.setPointSize(14);
    p.setFont(title);
    p.drawText(QRect(20, 14, 500, 30), Qt::AlignVCenter, QString::fromUtf8(msg::kEmbedTitle));
    p.setFont(font());
    for (int i = 0; i < 3; ++i) {
        const char* line =
            i == 2 && ctx_.edition == Edition::Purchase ? msg::kEmbedExplanationPurchase : msg::kEmbedExplanation[i];
        p.drawText(QRect(20, 60 + i * 26, 500, 24), Qt::AlignVCenter, QString::fromUtf8(line));
    }
    p.setPen(Qt::red);
    p.drawText(QRect(20, 150, 500, 24), Qt::AlignVCenter, QString::fromUtf8(msg::kEmbedWarning));
    if (working_) {
        p.setPen(Qt::blue);
        p.drawText(QRect(20, 180, 500, 24), Qt::AlignVCenter, QString::fromUtf8(msg::kEmbedding));
    }
}

}  // namespace rk::ui
