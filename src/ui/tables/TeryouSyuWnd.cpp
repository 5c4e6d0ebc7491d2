#include "ui/tables/TeryouSyuWnd.h"

#include <QCheckBox>
#include <QPainter>

#include "app/command_table.h"
#include "base/cp932.h"
#include "base/format.h"
#include "tables/list_print.h"
#include "tables/messages.h"
#include "tables/search_messages.h"
#include "tables/search_print.h"
#include "tables/table_engine.h"
#include "ui/controls/CDataEdit.h"
#include "ui/tables/BusyNote.h"

namespace rk::ui {

using controls::Key;
namespace msg = tables::msg;

namespace {

constexpr int kFields = 5, kResultTop = 150;

}  // namespace

TeryouSyuWnd::TeryouSyuWnd(AppContext& ctx, Dialogs& dialogs, QWidget* parent)
    : TableFieldsView(parent, dialogs, kFields), ctx_(ctx), dialogs_(dialogs) {
    setObjectName("TeryouSyuWnd");
    setWindowTitle(QString::fromUtf8(msg::kCommissionTitle));
    QFont f("IPAGothic");
    f.setPixelSize(13);
    setFont(f);
    resize(720, 420);
    range_.from = tables::defaultStartDate(ctx.settings.firstMonth);
    range_.to = tables::defaultEndDate(ctx.settings.firstMonth);
    range_.lastCustomer = ctx.env.customerCount > 0 ? ctx.env.customerCount : 999;
    csv_ = new QCheckBox(QString::fromUtf8(msg::kCommissionCsvNote), this);
    csv_->setGeometry(20, 112, 640, 24);
    csv_->setFocusPolicy(Qt::NoFocus);
    int x = 380;
    for (auto [caption, action] :
         std::initializer_list<std::pair<const char*, std::function<void()>>>{{"集計実行", [this] { run(); }},
                                                                              {"ﾌﾟﾚﾋﾞｭｰ", [this] { print(true); }},
                                                                              {"印 刷", [this] { print(false); }},
                                                                              {"解 説", [this] {
                                                                                   if (guideOpener_) guideOpener_("");
                                                                               }}}) {
        addButton(caption, QRect(x, 16, 76, 26), action);
        x += 80;
    }
    run();
    enterField(1);
}

QRect TeryouSyuWnd::valueRect(int field) const {
    switch (field) {
        case 1:
            return QRect(140, 16, 110, 24);
        case 2:
            return QRect(140, 46, 110, 24);
        case 3:
            return QRect(140, 76, 60, 24);
        case 4:
            return QRect(320, 76, 60, 24);
        default:
            return QRect(500, 76, 190, 24);
    }
}

int TeryouSyuWnd::fieldValue(int field) const {
    switch (field) {
        case 1:
            return range_.from;
        case 2:
            return range_.to;
        case 3:
            return range_.firstCustomer;
        case 4:
            return range_.lastCustomer;
        default:
            return 0;
    }
}

QString TeryouSyuWnd::fieldText(int field) const {
    if (field <= 2) return dateText(fieldValue(field));
    if (field == 5) return QString::fromStdString(cp932::toUtf8(range_.search));
    return QString("%1 ").arg(fieldValue(field), 4);
}

controls::EntryConfig TeryouSyuWnd::fieldConfig(int field) const {
    controls::EntryConfig c = TableFieldsView::fieldConfig(field);
    if (field == 5) {
        c.mode = 0;
        c.length = kSearchBytes;
        std::fill(std::begin(search_), std::end(search_), '\0');
        std::copy(range_.search.begin(), range_.search.end(), search_);
        c.text = std::span<char>(search_, kSearchBytes);
    }
    return c;
}

void TeryouSyuWnd::finished(Key k) {
    const int was = field_;
    const int v = edit_->value();
    switch (was) {
        case 1:
            range_.from = monthday::normalise(v, monthday::kFirstDay);
            break;
        case 2:
            range_.to = monthday::normalise(v, monthday::kLastDay);
            break;
        case 3:
            range_.firstCustomer = v;
            break;
        case 4:
            range_.lastCustomer = v;
            break;
        default: {
            std::string s(search_, cp932::fieldLength(search_, kSearchBytes));
            while (!s.empty() && s.back() == ' ') s.pop_back();
            range_.search = s;
        }
    }
    if (k == Key::Esc) return enterField(was);
    // Enter on the search text runs the totals.
    if (was == kFields && k == Key::Enter) {
        enterField(1);
        return run();
    }
    enterField(k == Key::Up || k == Key::Left ? was - 1 : was + 1);
}

void TeryouSyuWnd::run() {
    {
        BusyNote note(this, msg::kWorking);
        totals_ = tables::runCommissionTotals(ctx_, range_);
    }
    update();
    if (!totals_.read) return dialogs_.message(msg::kSlipFilesUnreadable, Icon::Stop);
    if (csv_->isChecked() && !tables::writeCommissionCsv(ctx_, totals_, ctx_.programFolder() / msg::kCommissionCsvName))
        dialogs_.message(msg::kCsvWriteFailed, Icon::Stop);
}

printing::Document TeryouSyuWnd::plan(const printing::PageArea& area) const {
    printing::Document d = tables::listDocument(ctx_.files, ctx_.programFolder(), "手数料集計", false);
    tables::planCommission(d, ctx_, range_, totals_, area);
    return d;
}

void TeryouSyuWnd::print(bool preview) {
    const Planner planner = [this](const printing::PageArea& area) { return plan(area); };
    if (preview)
        output_.preview(planner, this);
    else
        (void)output_.print(planner, this);
}

bool TeryouSyuWnd::onCommand(int command) {
    if (command != cmd::kPrint) return false;
    print(false);
    return true;
}

void TeryouSyuWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xF0));
    for (int f = 1; f <= kFields; ++f) {
        const QRect v = valueRect(f);
        p.drawText(QRect(v.left() - 124, v.top(), 120, v.height()), Qt::AlignVCenter | Qt::AlignRight,
                   QString::fromUtf8(msg::kCommissionFields[f - 1]));
    }
    paintFields(p);
    const QRect box(60, kResultTop, 420, 26 * 4 + 8);
    p.fillRect(box, Qt::white);
    p.drawRect(box);
    p.drawText(QRect(box.left() + 12, kResultTop + 4, 400, 26), Qt::AlignVCenter,
               QString::fromUtf8(msg::kCommissionHead));
    p.drawLine(box.left(), kResultTop + 30, box.right(), kResultTop + 30);
    const double values[3] = {totals_.commissions, totals_.fees, totals_.total()};
    for (int i = 0; i < 3; ++i) {
        const int y = kResultTop + 34 + i * 26;
        p.drawText(QRect(box.left() + 12, y, 160, 26), Qt::AlignVCenter, QString::fromUtf8(msg::kCommissionRows[i]));
        p.drawText(QRect(box.left() + 180, y, 220, 26), Qt::AlignVCenter | Qt::AlignRight,
                   QString::fromStdString(tables::yenText(values[i], 14)) + QString::fromUtf8(" 円"));
    }
}

// The window given the focus passes it on to the field being edited.
void TeryouSyuWnd::focusInEvent(QFocusEvent*) {
    if (edit_) edit_->setFocus(Qt::OtherFocusReason);
}

}  // namespace rk::ui
