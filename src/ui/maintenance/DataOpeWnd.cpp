#include "ui/maintenance/DataOpeWnd.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "base/format.h"
#include "maintenance/operation_messages.h"
#include "ui/controls/CDataEdit.h"

namespace rk::ui {

using controls::Key;
using maintenance::OperationResult;

namespace {

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

constexpr const char* kTopic = "＊．データ操作";
constexpr const char* kCaptions[] = {"開 始 月 日", "終 了 月 日", "開始得意先", "終了得意先"};

}  // namespace

DataOpeWnd::DataOpeWnd(AppContext& ctx, Dialogs& dialogs, GuideOpener guide, QWidget* parent)
    : TableFieldsView(parent, dialogs, 4),
      ctx_(ctx),
      dialogs_(dialogs),
      guide_(std::move(guide)),
      range_(maintenance::defaultRange(ctx.settings.firstMonth)) {
    setObjectName("DataOpeWnd");
    setWindowTitle(text(msg::kDataOperationTitle));
    setFont(QFont("IPAGothic", 11));
    setAutoFillBackground(true);
    const bool purchase = ctx.edition == Edition::Purchase;
    auto developing = [this] { dialogs_.message(msg::kInDevelopment, Icon::Information); };
    addButton("解 説", QRect(20, 110, 100, 30), [this] {
        if (guide_) guide_(kTopic);
    });
    addButton("転 送", QRect(130, 110, 100, 30), developing);
    addButton("連 結", QRect(240, 110, 100, 30), developing);
    addButton("分 離", QRect(20, 150, 100, 30), [this] { (void)split(); });
    addButton(purchase ? "出金解除" : "入金解除", QRect(130, 150, 100, 30), [this] { (void)release(); });
    addButton("ｻｰﾊﾞﾃﾞｰﾀ取込", QRect(240, 150, 140, 30), [this] { (void)importServer(); });
    // The invoice data module is not part of this program.
    addButton("InvoiceDataSet", QRect(20, 190, 140, 30), [] {})->setEnabled(false);
    enterField(1);
}

QRect DataOpeWnd::valueRect(int field) const {
    const bool customer = field >= 3;
    return QRect(customer ? 400 : 120, field % 2 == 1 ? 16 : 56, customer ? 80 : 100, 28);
}

int DataOpeWnd::fieldValue(int field) const {
    switch (field) {
        case 1:
            return range_.startDate;
        case 2:
            return range_.endDate;
        case 3:
            return range_.startCustomer;
        default:
            return range_.endCustomer;
    }
}

QString DataOpeWnd::fieldText(int field) const {
    const int v = fieldValue(field);
    return field <= 2 ? QString::asprintf("%d-%2d ", v / 100, v % 100) : QString::asprintf("%d ", v);
}

void DataOpeWnd::finished(Key k) {
    const int was = field_;
    const int v = edit_->value();
    switch (was) {
        case 1:
            range_.startDate = monthday::normalise(std::max(v, 1), monthday::kFirstDay);
            break;
        case 2:
            range_.endDate = monthday::normalise(std::max(v, 1), monthday::kLastDay);
            break;
        case 3:
            range_.startCustomer = std::max(v, 1);
            break;
        default:
            range_.endCustomer = std::max(v, 1);
            break;
    }
    if (k == Key::Esc) return enterField(was);
    const bool back = k == Key::Up || k == Key::Left;
    const bool on = k == Key::Down || k == Key::Right || k == Key::Enter || k == Key::Tab;
    enterField(back ? (was == 1 ? 4 : was - 1) : on ? (was == 4 ? 1 : was + 1) : was);
}

QString DataOpeWnd::choose(const QString& initial, const QString& filter) {
    if (choose_) return choose_(initial, filter);
    return QFileDialog::getSaveFileName(this, QString(), initial, filter);
}

OperationResult DataOpeWnd::split() {
    const QString initial = QString::fromStdString(ctx_.fileSet[kSlipHeaders].string());
    const QString chosen = choose(initial, "*.Ft2");
    if (chosen.isEmpty()) return OperationResult::Declined;
    const fs::path folder = QFileInfo(chosen).absolutePath().toStdString();
    return maintenance::splitSlips(ctx_, dialogs_, range_, folder);
}

OperationResult DataOpeWnd::release() { return maintenance::releaseSettled(ctx_, dialogs_, range_); }

OperationResult DataOpeWnd::importServer() {
    auto archive = maintenance::findServerArchive(ctx_, dialogs_);
    if (!archive) return OperationResult::Refused;
    const QString initial = QString::fromStdString(maintenance::defaultImportPath(ctx_, *archive).string());
    const QString chosen = choose(initial, "*.Lzh");
    if (chosen.isEmpty()) return OperationResult::Declined;
    return maintenance::importServerData(ctx_, dialogs_, *archive, chosen.toStdString());
}

void DataOpeWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.setPen(Qt::black);
    for (int f = 1; f <= 4; ++f) {
        const QRect v = valueRect(f);
        p.drawText(QRect(v.left() - 100, v.top(), 94, v.height()), Qt::AlignVCenter | Qt::AlignRight,
                   text(kCaptions[f - 1]));
    }
    paintFields(p);
}

}  // namespace rk::ui
