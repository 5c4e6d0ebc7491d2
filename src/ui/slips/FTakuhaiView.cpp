#include "ui/slips/FTakuhaiView.h"

#include <QPainter>

#include "base/cp932.h"
#include "base/format.h"
#include "ui/controls/CDataEdit.h"

namespace rk::ui {

using controls::Key;
namespace dv = delivery;

namespace {

constexpr int kLeft = 20, kRight = 410, kTop = 70, kStep = 36, kFieldH = 26;
constexpr int kLabelW = 75;

QRect at(int side, int row, int dx, int w) {
    return QRect((side ? kRight : kLeft) + dx, kTop + row * kStep, w, kFieldH);
}

}  // namespace

FTakuhaiView::FTakuhaiView(AppContext& ctx, Dialogs& dialogs, std::function<HomeDeliveryRecord&()> record,
                           std::function<bool()> inverted, QWidget* parent)
    : SettingsFieldView(ctx, dialogs, parent), record_(std::move(record)), inverted_(std::move(inverted)) {
    setObjectName("FTakuhaiView");
    setFont(QFont("IPAGothic", 10));
    setFixedSize(kWidth, kHeight);
    using R = HomeDeliveryRecord;
    // Added in the order Enter follows (the Field enumeration).
    for (int side = 0; side < 2; ++side) {
        auto phone = side ? &R::originPhone : &R::destPhone;
        auto store = side ? &R::departureStore : &R::arrivalStore;
        auto postal = side ? &R::originPostal : &R::destPostal;
        auto date = side ? &R::shippingDate : &R::arrivalDate;
        addNumber(
            at(side, 0, 55, 70), [phone](R& r) -> int32_t& { return (r.*phone)[0]; }, dv::kAreaCodeDigits);
        addNumber(
            at(side, 0, 140, 60), [phone](R& r) -> int32_t& { return (r.*phone)[1]; }, dv::kExchangeDigits);
        addNumber(
            at(side, 0, 215, 60), [phone](R& r) -> int32_t& { return (r.*phone)[2]; }, dv::kNumberDigits, true);
        addText(at(side, 1, kLabelW, 300), side ? &R::originAddress1 : &R::destAddress1);
        addText(at(side, 2, kLabelW, 300), side ? &R::originAddress2 : &R::destAddress2);
        addText(at(side, 3, kLabelW, 300), side ? &R::originAddress3 : &R::destAddress3);
        addText(at(side, 4, kLabelW, 300), side ? &R::originName : &R::destName);
        addNumber(
            at(side, 5, kLabelW, 40), [store](R& r) -> int32_t& { return (r.*store)[0]; }, dv::kStoreDigits);
        addNumber(
            at(side, 5, kLabelW + 60, 40), [store](R& r) -> int32_t& { return (r.*store)[1]; }, dv::kStoreDigits);
        addNumber(
            at(side, 6, kLabelW, 110), [date](R& r) -> int32_t& { return r.*date; }, 4, false, true);
        addNumber(
            at(side, 7, kLabelW, 50), [postal](R& r) -> int32_t& { return (r.*postal)[0]; }, dv::kPostalDigits[0],
            true);
        addNumber(
            at(side, 7, kLabelW + 70, 60), [postal](R& r) -> int32_t& { return (r.*postal)[1]; }, dv::kPostalDigits[1],
            true);
        if (side == 0) {
            addNumber(
                at(0, 8, kLabelW, 70), [](R& r) -> int32_t& { return r.fee[0]; }, dv::kFeeDigits);
            addNumber(
                at(0, 8, kLabelW + 95, 70), [](R& r) -> int32_t& { return r.fee[1]; }, dv::kFeeDigits);
        }
    }
}

void FTakuhaiView::storeNumber(int32_t& target, const CDataEdit& e, int digits, bool date) {
    if (!e.field().edited()) return;
    const int32_t v = e.value();
    // A value outside the field's digits (or a date that is none) is refused; the old one stays.
    const bool ok = date ? (v == 0 || (v >= 1 && v <= 1231 && v % 100 <= 31)) : dv::fitsDigits(v, digits);
    if (!ok) {
        dialogs_.beep();
        return;
    }
    target = date && v > 0 ? monthday::normalise(v, monthday::kFirstDay) : v;
}

void FTakuhaiView::addNumber(QRect rect, Access value, int digits, bool zeros, bool date) {
    addField({rect,
              [this, value, digits] {
                  controls::EntryConfig c;
                  c.mode = 1;
                  c.length = digits;
                  c.value = value(record_());
                  c.inputMethodOff = true;
                  return c;
              },
              [this, value, digits, date](const CDataEdit& e) { storeNumber(value(record_()), e, digits, date); },
              [this, value, digits, zeros, date] {
                  const int32_t v = value(record_());
                  if (date) return QString::asprintf("%2d月%2d日", v / 100, v % 100);
                  return zeros ? QString("%1").arg(v, digits, 10, QChar('0')) : QString("%1").arg(v, digits);
              }});
}

void FTakuhaiView::addText(QRect rect, char (HomeDeliveryRecord::*text)[32]) {
    addField({rect,
              [this, text] {
                  controls::EntryConfig c;
                  c.mode = 0;
                  c.length = 32;  // the field stores at most 32 bytes, cut at a character boundary
                  c.text = std::span<char>(record_().*text, 32);
                  return c;
              },
              {},
              [this, text] { return QString::fromStdString(cp932::toUtf8(record_().*text)); }});
}

std::optional<delivery::SearchField> FTakuhaiView::searchField(int field) {
    using S = delivery::SearchField;
    switch (field) {
        case kDestPhone1:
        case kDestPhone2:
        case kDestPhone3:
            return S::DestPhone;
        case kOriginPhone1:
        case kOriginPhone2:
        case kOriginPhone3:
            return S::OriginPhone;
        case kDestAddress1:
            return S::DestAddress1;
        case kDestAddress2:
            return S::DestAddress2;
        case kDestAddress3:
            return S::DestAddress3;
        case kDestName:
            return S::DestName;
        case kOriginAddress1:
            return S::OriginAddress1;
        case kOriginAddress2:
            return S::OriginAddress2;
        case kOriginAddress3:
            return S::OriginAddress3;
        case kOriginName:
            return S::OriginName;
        default:
            return std::nullopt;
    }
}

void FTakuhaiView::setCounts(int line, int current, int count) {
    line_ = line;
    current_ = current;
    count_ = count;
    update();
}

void FTakuhaiView::fieldExited(int index, Key key) {
    switch (key) {
        case Key::Enter:
        case Key::Tab:
        case Key::Down:
        case Key::Right:
            return setCurrent((index + 1) % kFieldCount);
        case Key::Up:
        case Key::Left:
            return setCurrent((index + kFieldCount - 1) % kFieldCount);
        default:
            setCurrent(index);
            if (keys_) keys_(key);
    }
}

void FTakuhaiView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xE8, 0xF0, 0xE8));
    p.setPen(Qt::black);
    if (line_ >= 0) {
        p.drawText(QRect(20, 8, 150, 24), Qt::AlignVCenter, QString::asprintf("行番号  %2d ", line_));
        p.drawText(QRect(180, 8, 170, 24), Qt::AlignVCenter, QString::asprintf("伝票番号  %2d ", current_));
        p.drawText(QRect(360, 8, 170, 24), Qt::AlignVCenter, QString::asprintf("伝票枚数  %2d ", count_));
    } else {  // the address book
        p.drawText(QRect(20, 8, 170, 24), Qt::AlignVCenter, QString::asprintf("伝票番号  %3d ", current_));
        p.drawText(QRect(200, 8, 170, 24), Qt::AlignVCenter, QString::asprintf("伝票枚数  %3d ", count_));
    }
    for (int side = 0; side < 2; ++side) {
        const int x = side ? kRight : kLeft;
        p.drawText(QRect(x, 38, 200, 24), Qt::AlignVCenter, side ? "発送元データ" : "発送先データ");
        p.drawRect(QRect(x - 8, 64, 384, side ? 8 * kStep + 4 : 9 * kStep + 4));
        auto label = [&](int row, const QString& s, int dx = 0) {
            p.drawText(QRect(x + dx, kTop + row * kStep, kLabelW, kFieldH), Qt::AlignVCenter, s);
        };
        label(0, "電話");
        p.drawText(QRect(x + 125, kTop, 15, kFieldH), Qt::AlignCenter, "-");
        p.drawText(QRect(x + 200, kTop, 15, kFieldH), Qt::AlignCenter, "-");
        label(1, "所地１");
        label(2, "所地２");
        label(3, "所地３");
        label(4, "名　前");
        label(5, side ? "発店No." : "着店No.");
        p.drawText(QRect(x + kLabelW + 40, kTop + 5 * kStep, 20, kFieldH), Qt::AlignCenter, "-");
        label(6, side ? "発日." : "着日.");
        label(7, "〒番号.");
        p.drawText(QRect(x + kLabelW + 50, kTop + 7 * kStep, 20, kFieldH), Qt::AlignCenter, "-");
        if (side == 0) {
            label(8, "料金1-2.");
            p.drawText(QRect(x + kLabelW + 70, kTop + 8 * kStep, 25, kFieldH), Qt::AlignCenter, "-");
        }
    }
    paintFields(p);
    // The slip held on the clipboard is drawn inverted.
    if (inverted_ && inverted_()) {
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.fillRect(QRect(kLeft - 8, 64, kRight + 384 - kLeft, 9 * kStep + 4), Qt::white);
    }
}

}  // namespace rk::ui
