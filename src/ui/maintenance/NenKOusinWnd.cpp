#include "ui/maintenance/NenKOusinWnd.h"

#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>

#include "maintenance/check_messages.h"
#include "maintenance/duplicate_check.h"
#include "maintenance/operation_messages.h"
#include "ui/maintenance/ProgressNote.h"

namespace rk::ui {

using maintenance::YearEndResult;

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

constexpr const char* kTopic = "＊．年度更新";

struct Line {
    int y;
    const char* sales;
    const char* purchase;  // nullptr: as the sales edition
};
constexpr Line kLines[] = {
    {80, "次年度の各種マスターを作成します　これによって次年度の伝票", nullptr},
    {105, "入力ができます（但し、入金データ入力はできません）", "入力ができます（但し、出金データ入力はできません）"},
    {130, "年度更新の最初の作業です", nullptr},
    {240, "本年度の得意先別売掛額を次年度へ繰越します、この作業で本年",
     "本年度の得意先別買掛額を次年度へ繰越します、この作業で本年"},
    {265, "度の売掛金は次年度でデータ処理できます。また、本年度での入",
     "度の買掛金は次年度でデータ処理できます。また、本年度での出"},
    {290, "金データ入力を矛盾防止のため禁止します。", nullptr},
};

QColor colourOf(uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace

NenKOusinWnd::NenKOusinWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide, QWidget* parent)
    : QWidget(parent), ctx_(ctx), dialogs_(dialogs), guide_(std::move(guide)) {
    setObjectName("NenKOusinWnd");
    setWindowTitle(text(msg::kYearEndTitle));
    setFont(QFont("IPAGothic", 11));
    setAutoFillBackground(true);
    const bool purchase = ctx.edition == Edition::Purchase;
    struct ButtonPlace {
        const char* caption;
        QRect rect;
    };
    const ButtonPlace places[kButtonCount] = {
        {msg::kNextMastersButton, QRect(20, 35, 200, 35)},
        {purchase ? msg::kCarryButtonPurchase : msg::kCarryButtonSales, QRect(20, 195, 200, 35)},
        {msg::kHelpCaption, QRect(20, 335, 100, 35)},
        // The check has a caption and place of its own rather than a second 解説 button.
        {msg::kDuplicateCaption, QRect(480, 335, 130, 35)},
    };
    for (int b = 0; b < kButtonCount; ++b) {
        auto* button = new QPushButton(text(places[b].caption), this);
        button->setGeometry(places[b].rect);
        button->setFocusPolicy(Qt::NoFocus);
        buttons_[b] = button;
    }
    connect(buttons_[kMasters], &QPushButton::clicked, this, [this] { (void)makeMasters(); });
    connect(buttons_[kCarryOver], &QPushButton::clicked, this, [this] { (void)carryOver(); });
    connect(buttons_[kHelp], &QPushButton::clicked, this, [this] {
        if (guide_) guide_(kTopic);
    });
    connect(buttons_[kDuplicates], &QPushButton::clicked, this, [this] { checkDuplicates(); });

    note_ = new QLabel(this);
    note_->setGeometry(20, 80, 480, 80);
    note_->setAlignment(Qt::AlignCenter);
    note_->setAutoFillBackground(true);
    note_->setStyleSheet("background: white; border: 1px solid black;");
    note_->hide();

    report_ = new QListWidget(this);
    report_->setFont(QFont("IPAGothic", 11));
    report_->setGeometry(20, 50, 600, 430);
    report_->setFocusPolicy(Qt::StrongFocus);
    report_->hide();
}

YearEndResult NenKOusinWnd::makeMasters() {
    ProgressNote d(dialogs_, note_);
    return maintenance::createNextYearMasters(ctx_, d);
}

YearEndResult NenKOusinWnd::carryOver() {
    ProgressNote d(dialogs_, note_);
    const YearEndResult r = maintenance::carryOverBalances(ctx_, d);
    // Done, answered No or blocked: the window has finished its work for this year.
    if (r == YearEndResult::Done || r == YearEndResult::Declined || r == YearEndResult::Blocked) closeWindow();
    return r;
}

void NenKOusinWnd::checkDuplicates() {
    ProgressNote d(dialogs_, note_);
    d.progress(0, 0, msg::kCheckingData);
    auto pairs = maintenance::findDuplicateLines(ctx_.files, ctx_.fileSet[kSlipHeaders]);
    d.progress(0, 0, {});
    if (!pairs) {
        dialogs_.message(msg::kCheckReadFailed, Icon::Stop);
        return;
    }
    if (pairs->empty()) {
        dialogs_.message(msg::kDuplicateNone, Icon::Information);
        return;
    }
    for (Button b : {kMasters, kCarryOver, kDuplicates}) buttons_[b]->hide();
    report_->clear();
    for (size_t i = 0; i < pairs->size(); ++i)
        report_->addItem(QString::fromStdString(maintenance::duplicateLineRow(static_cast<int>(i + 1), (*pairs)[i])));
    report_->show();
    buttons_[kHelp]->hide();
    update();
}

void NenKOusinWnd::closeWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void NenKOusinWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.fillRect(QRect(QPoint(60, 0), QPoint(900, 15)), colourOf(ctx_.colours[0]));
    p.setPen(Qt::black);
    if (report_->isVisible()) {
        p.drawText(QPoint(20, 40), text(maintenance::kDuplicateLineHeading));
        return;
    }
    const bool purchase = ctx_.edition == Edition::Purchase;
    const QFontMetrics m(font());
    auto at = [&](int x, int y, const QString& s) { p.drawText(QPoint(x, y + m.ascent()), s); };
    for (const Line& l : kLines) at(20, l.y, text(purchase && l.purchase ? l.purchase : l.sales));
    at(140, 345, text("※ 詳しくは解説を参照してください"));
    const QString warning = text("※ この作業では他のウインドウは全て閉じてください。");
    const QRect red(20, 400, m.horizontalAdvance(warning), m.height());
    p.fillRect(red, Qt::red);
    p.setPen(Qt::white);
    at(20, 400, warning);
    p.setPen(Qt::black);
    if (ctx_.settings.lanMode == 2) at(20, 430, text(msg::kClientCannot));
}

}  // namespace rk::ui
