#include "ui/slips/FMdinAView.h"

#include <QMouseEvent>
#include <QPainter>
#include <chrono>
#include <cstring>

#include "base/cp932.h"
#include "base/format.h"
#include "slips/master_lists.h"
#include "slips/slip_messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/controls/CMojiList.h"
#include "ui/slips/FMdinBView.h"
#include "ui/slips/FMdinWnd.h"

namespace rk::ui {
namespace {

using controls::Key;

constexpr int kSearchListId = 2130;

QString sjisText(const char* field, size_t width) { return QString::fromStdString(cp932::toUtf8(field, width)); }

const char* modeName(Edition e, int mode) {
    static const char* sales[] = {"受注モード", "納品モード", "仕切モード", "入金参照"};
    static const char* purchase[] = {"発注モード", "受領モード", "買掛モード", "出金参照"};
    return (e == Edition::Purchase ? purchase : sales)[mode - 1];
}

const char* kindName(Edition e, int stage) {
    static const char* sales[] = {" 受注伝票", " 納品伝票", " 売掛伝票", " 入金伝票"};
    static const char* purchase[] = {" 発注伝票", " 受領伝票", " 買掛伝票", " 出金伝票"};
    return (e == Edition::Purchase ? purchase : sales)[stage < 0 ? 0 : stage > 3 ? 3 : stage];
}

QColor modeColour(const AppContext& ctx, int mode) {
    switch (mode) {
        case 1:
            return QColor::fromRgb(ctx.colours[0]);
        case 2:
            return QColor(0, 255, 0);
        case 3:
            return QColor(255, 255, 0);
        default:
            return QColor::fromRgb(ctx.colours[1]);
    }
}

const char* weekdayName(const AppContext& ctx, int date) {
    using namespace std::chrono;
    static const char* names[] = {"日 曜", "月 曜", "火 曜", "水 曜", "木 曜", "金 曜", "土 曜"};
    if (date <= 100) return "";
    const int y = monthday::calendarYear(date, ctx.settings.businessYear, ctx.settings.firstMonth);
    const year_month_day ymd{year{y}, month{static_cast<unsigned>(date / 100)}, day{static_cast<unsigned>(date % 100)}};
    if (!ymd.ok()) return "";
    return names[std::chrono::weekday{sys_days{ymd}}.c_encoding()];
}

}  // namespace

FMdinAView::FMdinAView(FMdinWnd& wnd) : QWidget(&wnd), wnd_(wnd) {
    setObjectName("FMdinAView");
    setFixedHeight(kHeight);
    setFocusPolicy(Qt::StrongFocus);
    setFont(QFont("IPAGothic", 11));
}

const char* FMdinAView::prompt(int field) {
    static const char* prompts[] = {"＊．月日入力", "＊．得意先コード入力", "＊．得意先名入力"};
    return prompts[std::clamp(field, 1, 3) - 1];
}

QRect FMdinAView::fieldRect(int field) const {
    switch (field) {
        case 1:
            return {330, 8, 110, 26};
        case 2:
            return {590, 8, 60, 26};
        default:
            return {660, 8, 300, 26};
    }
}

void FMdinAView::leave() {
    if (edit_) {
        edit_->disconnect(this);
        // Hidden at once: the value is drawn by the view from now on.
        edit_->hide();
        if (edit_->label()) edit_->label()->hide();
        edit_->deleteLater();
        edit_ = nullptr;
    }
    update();
}

void FMdinAView::enter(int field) {
    leave();
    field_ = std::clamp(field, 1, 3);
    SlipHeader& h = wnd_.doc().header;
    controls::EntryConfig c;
    if (field_ == 3) {
        std::memcpy(nameBuffer_, h.customerName, 30);
        nameBuffer_[30] = nameBuffer_[31] = 0;
        c.mode = 0;
        c.length = 29;
        c.text = std::span<char>(nameBuffer_, 30);
    } else {
        c.mode = 1;
        c.length = 4;
        c.value = field_ == 1 ? h.date : h.customer;
    }
    edit_ = CDataEdit::create(this, c, fieldRect(field_), wnd_.dialogs());
    if (edit_) {
        connect(edit_, &CDataEdit::finished, this, &FMdinAView::finished);
        wnd_.watchKeys(edit_);
    }
    update();
}

void FMdinAView::finished(Key k) {
    CFq7Doc& doc = wnd_.doc();
    SlipHeader& h = doc.header;
    const bool edited = edit_ && edit_->field().edited();
    const int32_t value = edit_ ? edit_->value() : 0;
    if (k == Key::Esc) return enter(field_);
    switch (field_) {
        case 1:
            if (k == Key::Enter || k == Key::Right) {
                if (edited) h.date = monthday::normalise(value, monthday::kFirstDay);
                update();
                return enter(2);
            }
            break;
        case 2:
            if (k == Key::F12) {
                // The customers of the date; the field stays to show digits typed in the list.
                enter(2);
                wnd_.openCustomerList();
                return;
            }
            if (k == Key::Enter || k == Key::Down) {
                leave();
                if (!wnd_.openSlip(value) && wnd_.line() == 0 && edit_ == nullptr) enter(2);
                return;
            }
            break;
        case 3:
            if (k == Key::Enter || k == Key::Down) {
                std::memcpy(h.customerName, nameBuffer_, 30);
                if (h.date > 100 && h.customer > 0) return wnd_.toGrid(1, 1);
                return enter(3);
            }
            break;
    }
    if (k == Key::Right) return enter(field_ + 1);
    if (k == Key::Left) return enter(field_ - 1);
    enter(field_);
}

void FMdinAView::characterSearch() {
    if (search_) return;
    Dialogs& d = wnd_.dialogs();
    if (field_ != 3 || !edit_) {
        d.message(msg::kCustomerSearchWhere);
        return;
    }
    const std::string text = cp932::fromUtf8(edit_->text().toStdString());
    if (edit_->text().trimmed().isEmpty()) {
        d.message(msg::kCustomerSearchEmpty);
        return;
    }
    const auto found = searchCustomerNames(wnd_.context(), text);
    QStringList lines;
    for (const PickEntry& e : found) lines << QString::fromStdString(cp932::toUtf8(e.text.data(), e.text.size()));
    search_ = new CMojiList(kSearchListId, &wnd_);
    search_->setObjectName("customerSearch");
    search_->setFont(font());
    search_->setLines(lines);
    search_->setGeometry(320, 0, 260, 110);
    search_->show();
    search_->raise();
    search_->setFocus(Qt::OtherFocusReason);
    connect(search_, &CMojiList::chosen, this, [this, found](const controls::ListResult& r) {
        search_->hide();
        search_->deleteLater();
        search_ = nullptr;
        const bool take =
            (r.key == Key::Enter || r.key == Key::None) && r.value >= 0 && r.value < static_cast<int>(found.size());
        if (!take) return enter(3);
        // As if the number had been typed into the customer field and ended with Enter.
        leave();
        field_ = 2;
        if (!wnd_.openSlip(found[static_cast<size_t>(r.value)].code) && wnd_.line() == 0 && edit_ == nullptr) enter(2);
    });
}

void FMdinAView::mousePressEvent(QMouseEvent* e) {
    for (int f = 1; f <= 3; ++f)
        if (fieldRect(f).contains(e->pos())) {
            if (wnd_.gridActive())
                wnd_.toHeader(f);
            else
                enter(f);
            return;
        }
}

void FMdinAView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xE8, 0xE8));
    const AppContext& ctx = wnd_.context();
    const SlipHeader& h = wnd_.doc().header;
    const int mode = wnd_.mode();

    // Mode box and slip kind box.
    p.fillRect(4, 4, 130, 34, modeColour(ctx, mode));
    p.drawRect(4, 4, 130, 34);
    p.drawText(QRect(6, 4, 126, 17), Qt::AlignCenter, QString::fromUtf8(modeName(ctx.edition, mode)));
    p.drawText(QRect(6, 21, 126, 17), Qt::AlignCenter, QString(" 　%1 年").arg(ctx.settings.businessYear));
    const bool stored = wnd_.doc().recordNumber() >= 1;
    const int stage = h.stage < 0 ? 0 : h.stage > 3 ? 3 : h.stage;
    p.fillRect(140, 4, 110, 34, stored ? modeColour(ctx, stage + 1) : QColor(Qt::white));
    p.drawRect(140, 4, 110, 34);
    p.drawText(QRect(140, 4, 110, 34), Qt::AlignCenter,
               stored ? QString::fromUtf8(kindName(ctx.edition, stage)) : QString("   新 規   "));

    p.drawText(QRect(262, 8, 64, 26), Qt::AlignVCenter, "扱い日");
    if (!(edit_ && field_ == 1)) {
        const QString d = h.date > 100 ? QString::asprintf("%2d 月 %2d日", h.date / 100, h.date % 100) : QString();
        p.drawText(fieldRect(1), Qt::AlignVCenter | Qt::AlignRight, d);
    }
    p.drawText(QRect(446, 8, 60, 26), Qt::AlignVCenter, QString::fromUtf8(weekdayName(ctx, h.date)));
    p.drawText(QRect(520, 8, 64, 26), Qt::AlignVCenter, "得意先");
    if (!(edit_ && field_ == 2))
        p.drawText(fieldRect(2), Qt::AlignVCenter | Qt::AlignRight, QString::asprintf("%5d", h.customer));
    if (!(edit_ && field_ == 3)) p.drawText(fieldRect(3), Qt::AlignVCenter, sjisText(h.customerName, 30));
    if (edit_ == nullptr && !wnd_.gridActive()) p.drawRect(fieldRect(field_).adjusted(-1, -1, 0, 0));

    // Caption rows of the grid; the caption of the grid's current field is highlighted.
    const int current = wnd_.gridActive() ? wnd_.grid()->field() : 0;
    p.setFont(QFont("IPAGothic", 9));
    p.drawText(QRect(4, 44, 36, 20), Qt::AlignCenter, "No.");
    for (int f = 1; f <= 15; ++f) {
        const QRect r = FMdinBView::captionRect(f).translated(0, 44);
        if (f == current) p.fillRect(r, QColor(0, 0, 128));
        p.setPen(f == current ? Qt::white : Qt::black);
        p.drawText(r, Qt::AlignCenter, FMdinBView::caption(ctx, f));
        p.setPen(Qt::black);
    }
    p.drawText(QRect(FMdinBView::kUnitX, 44, 30, 20), Qt::AlignCenter, "単位");
    p.drawText(QRect(FMdinBView::kTextX, 64, 140, 20), Qt::AlignVCenter, "行文字表示");
    const std::string& warning = wnd_.doc().warning();
    if (!warning.empty()) {
        p.setPen(Qt::red);
        p.drawText(QRect(4, 86, width() - 8, 20), Qt::AlignVCenter, QString::fromStdString(warning));
    }
}

}  // namespace rk::ui
