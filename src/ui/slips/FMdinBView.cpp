#include "ui/slips/FMdinBView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cstring>

#include "base/cp932.h"
#include "base/format.h"
#include "slips/slip_lines.h"
#include "slips/slip_messages.h"
#include "ui/controls/CDataEdit.h"
#include "ui/slips/FMdinAView.h"
#include "ui/slips/FMdinCView.h"
#include "ui/slips/FMdinWnd.h"
#include "ui/slips/IremonoWnd.h"

namespace rk::ui {
namespace {

using controls::Key;

struct Place {
    int x, w, row;
};
// x, width and row of fields 1..15 (index 0 unused).
constexpr Place kPlaces[16] = {{0, 0, 0},     {42, 40, 0},   {84, 44, 0},   {130, 150, 0}, {282, 110, 0}, {394, 110, 0},
                               {506, 100, 0}, {640, 110, 0}, {752, 130, 0}, {42, 44, 1},   {88, 200, 1},  {290, 70, 1},
                               {362, 70, 1},  {434, 60, 1},  {496, 150, 1}, {648, 150, 1}};
constexpr bool codeWithName(int f) {
    return f == kFieldGrade1 || f == kFieldGrade2 || f == kFieldDebit || f == kFieldCredit;
}

QString sjis(const char* field, size_t width) { return QString::fromStdString(cp932::toUtf8(field, width)).trimmed(); }

QString amountText(double v, int decimals = 0) {
    return v == 0 ? QString() : QString::fromStdString(fmt::decimal(v, 0, decimals)).trimmed();
}

}  // namespace

FMdinBView::FMdinBView(FMdinWnd& wnd) : QWidget(nullptr), wnd_(wnd) {
    setObjectName("FMdinBView");
    setFixedSize(kWidth, kMaxSlipLines * FMdinWnd::kRowHeight);
    setFocusPolicy(Qt::StrongFocus);
    setFont(QFont("IPAGothic", 11));
}

QRect FMdinBView::fieldRect(int f) {
    const Place& p = kPlaces[std::clamp(f, 1, 15)];
    return {p.x, p.row == 0 ? 2 : 30, p.w, 26};
}

QRect FMdinBView::captionRect(int f) {
    const Place& p = kPlaces[std::clamp(f, 1, 15)];
    return {p.x, p.row == 0 ? 0 : 20, p.w, 20};
}

QString FMdinBView::caption(const AppContext& ctx, int f) {
    const bool purchase = ctx.edition == Edition::Purchase;
    switch (f) {
        case 1:
            return purchase ? "部門" : "売方";
        case 2:
            return "ｺｰﾄﾞ";
        case 3:
            return "商 品 名";
        case 4:
            return sjis(ctx.env.costNames[0], 16).isEmpty() ? "規格１" : sjis(ctx.env.costNames[0], 16);
        case 5:
            return sjis(ctx.env.costNames[1], 16).isEmpty() ? "規格２" : sjis(ctx.env.costNames[1], 16);
        case 6:
            return "数量";
        case 7:
            return "単価";
        case 8:
            return "金額";
        case 9:
            return "備考ｺｰﾄﾞ";
        case 10:
            return "備 考 文";
        case 11:
            return "入数";
        case 12:
            return "箱数";
        case 13:
            return purchase ? "－－－" : "買参人";
        case 14:
            return ctx.env.showPackingCounts ? "梱包数" : "借り方科目";
        default:
            return "貸し方科目";
    }
}

const char* FMdinBView::prompt(Edition e, int f) {
    static const char* prompts[] = {"",
                                    "＊．売り方入力",
                                    "＊．商品コード入力",
                                    "＊．商品名入力",
                                    "＊．規格１コード入力",
                                    "＊．規格２コード入力",
                                    "＊．数量入力",
                                    "＊．単価入力",
                                    "＊．金額入力",
                                    "＊．備考コード入力",
                                    "＊．備考文入力",
                                    "＊．入り数入力",
                                    "＊．箱数入力",
                                    "＊．買参人コード入力",
                                    "＊．借り方コード入力",
                                    "＊．貸し方コード入力"};
    if (f == 1 && e == Edition::Purchase) return "＊．部門入力";
    return prompts[std::clamp(f, 1, 15)];
}

void FMdinBView::leave() {
    if (gradeSearch_) {
        gradeSearch_->disconnect(this);
        gradeSearch_->hide();
        gradeSearch_->deleteLater();
        gradeSearch_ = nullptr;
    }
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

// A settled slip keeps its quantities and money: the cursor passes over those fields.
int FMdinBView::settledSkip(int f, bool forward) const {
    if (wnd_.doc().header.stage != kStageSettled) return f;
    if (f >= kFieldQuantity && f <= kFieldAmount) return forward ? kFieldRemarkCode : kFieldGrade2;
    if (f == kFieldPieces || f == kFieldBoxes) return forward ? kFieldBuyer : kFieldRemarkText;
    return f;
}

void FMdinBView::enter(int line, int f) {
    leave();
    line_ = std::clamp(line, 1, kMaxSlipLines);
    field_ = std::clamp(f, 1, 15);
    const AppContext& ctx = wnd_.context();
    SlipLine& l = wnd_.doc().lines[line_];
    controls::EntryConfig c;
    c.mode = 1;
    switch (field_) {
        case kFieldMethod:
            c.length = -1, c.value = l.salesMethod;
            break;
        case kFieldProduct:
            c.length = -3, c.value = l.product;
            break;
        case kFieldName:
            std::memset(textBuffer_, 0, sizeof textBuffer_);
            std::memcpy(textBuffer_, l.productName, sizeof l.productName);
            c.mode = 0, c.length = 17, c.text = std::span<char>(textBuffer_, 17);
            break;
        case kFieldGrade1:
            c.length = -2, c.value = l.grade1;
            break;
        case kFieldGrade2:
            c.length = -2, c.value = l.grade2;
            break;
        case kFieldQuantity:
            c.mode = 3, c.length = 9, c.number = quantityAt(l, wnd_.lines().qIndex());
            break;
        case kFieldPrice:
            c.mode = 3, c.decimals = std::clamp(l.priceDecimals, 0, 2), c.length = 9 - c.decimals, c.number = l.price;
            break;
        case kFieldAmount:
            c.mode = 3, c.length = 12, c.number = l.amount;
            break;
        case kFieldRemarkCode:
            c.length = 3, c.value = l.remarkCode;
            break;
        case kFieldRemarkText:
            std::memset(textBuffer_, 0, sizeof textBuffer_);
            std::memcpy(textBuffer_, l.remark, 20);
            c.mode = 0, c.length = 21, c.text = std::span<char>(textBuffer_, 21);
            break;
        case kFieldPieces:
            c.mode = 3, c.length = 5, c.number = l.piecesPerBox;
            break;
        case kFieldBoxes:
            c.mode = 3, c.length = 5, c.number = l.boxes;
            break;
        case kFieldBuyer:
            c.mode = 2, c.length = 4, c.value = l.buyer;
            break;
        case kFieldDebit:
            c.length = 3, c.value = ctx.env.showPackingCounts ? l.packingCount : debitOf(l, ctx.edition);
            break;
        default:
            c.length = 3, c.value = ctx.memberNumber == -1 ? l.member : creditOf(l, ctx.edition);
            break;
    }
    QRect r = fieldRect(field_).translated(0, (line_ - 1) * FMdinWnd::kRowHeight);
    if (codeWithName(field_)) r.setWidth(36);
    edit_ = CDataEdit::create(this, c, r, wnd_.dialogs());
    if (edit_) {
        connect(edit_, &CDataEdit::finished, this, &FMdinBView::finished);
        wnd_.watchKeys(edit_);
    }
    wnd_.footer()->setHint({});
    wnd_.header()->update();
    update();
}

void FMdinBView::move(int line, int f) {
    const int limit = std::min(wnd_.totals().lines + 1, kMaxSlipLines);
    wnd_.toGrid(std::clamp(line, 1, std::max(limit, line_)), f);
}

// Stores what the field holds; false when nothing was stored.
bool FMdinBView::store(Key k) {
    if (!edit_) return false;
    const bool typed = edit_->field().edited() || (field_ == kFieldMethod && (k == Key::Enter || k == Key::Right));
    if (!typed) return false;
    storeValue(field_, edit_->value(), edit_->number(), k);
    return true;
}

void FMdinBView::storeValue(int field, int32_t v, double n, Key k) {
    SlipLineEditor& ed = wnd_.lines();
    const int a = line_;
    next_ = 0;
    switch (field) {
        case kFieldMethod:
            next_ = ed.storeMethod(a, v);
            break;
        case kFieldProduct:
            if (v >= 0) next_ = ed.storeProduct(a, v);
            break;
        case kFieldName:
            ed.storeName(a, cp932::toUtf8(textBuffer_, 17));
            break;
        case kFieldGrade1:
            next_ = ed.storeGrade(a, 1, v);
            break;
        case kFieldGrade2:
            next_ = ed.storeGrade(a, 2, v);
            break;
        case kFieldQuantity:
            ed.storeQuantity(a, n);
            break;
        case kFieldPrice:
            ed.storePrice(a, n);
            break;
        case kFieldAmount:
            if (k == Key::PadPlus || k == Key::Extra146)
                (void)ed.distributeAmount(a, n);
            else
                ed.storeAmount(a, n);
            break;
        case kFieldRemarkCode:
            ed.storeRemarkCode(a, v);
            break;
        case kFieldRemarkText:
            ed.storeRemarkText(a, cp932::toUtf8(textBuffer_, 21));
            break;
        case kFieldPieces:
            (void)ed.storePieces(a, n);
            break;
        case kFieldBoxes:
            (void)ed.storeBoxes(a, n);
            break;
        case kFieldBuyer:
            ed.storeBuyer(a, v);
            break;
        case kFieldDebit:
            ed.storeDebit(a, v);
            break;
        default:
            ed.storeCredit(a, v);
            break;
    }
    wnd_.refreshTotals();
}

void FMdinBView::finished(Key k) {
    if (k == Key::Esc) return move(line_, settledSkip(std::max(1, field_ - 1), false));
    next_ = 0;
    navigate(k, store(k));
}

void FMdinBView::navigate(Key k, bool stored) {
    SlipLineEditor& ed = wnd_.lines();
    const SlipLine& l = wnd_.doc().lines[line_];
    switch (k) {
        case Key::F5:
            wnd_.recordSlip();
            if (wnd_.gridActive()) enter(line_, field_);
            return;
        case Key::F6:
            if (wnd_.openReceivable()) return;  // the processing window has the keyboard
            return enter(line_, field_);
        case Key::F11:
            if (ed.split(line_)) wnd_.refreshTotals();
            return enter(line_, field_);
        case Key::F2:
            if (field_ == kFieldBuyer) return boxKey(kPackBox);
            if (field_ == kFieldQuantity && l.packingKind > 0) return enter(line_, kFieldPieces);
            if (field_ == kFieldQuantity || field_ == kFieldGrade2) return packingChoice();
            return enter(line_, field_);
        case Key::F12:
            return masterReference();
        case Key::F3:
        case Key::F4:
            if (field_ == kFieldBuyer) return boxKey(k == Key::F3 ? kPackContainer : kPackTray);
            enter(line_, field_);
            return k == Key::F3 ? wnd_.openCalculator() : wnd_.openLineText();
        case Key::PadPlus:
        case Key::Extra146:
            if (field_ == kFieldAmount) return enter(line_, field_);
            return copyLine();
        case Key::Enter:
        case Key::Right:
        case Key::Tab: {
            // Enter on a kept value goes where storing it would; Right steps to the next field.
            int f = field_ + 1;
            if (stored && next_ > 0)
                f = next_;
            else if (k == Key::Enter)
                f = wnd_.lines().nextField(line_, field_);
            if (field_ == kFieldCredit || f > 15) return move(line_ + 1, kFieldMethod);
            return move(line_, settledSkip(f, true));
        }
        case Key::Left:
            return move(line_, settledSkip(std::max(1, field_ - 1), false));
        case Key::Up:
            return move(std::max(1, line_ - 1), field_);
        case Key::Down:
            return move(line_ + 1, field_);
        case Key::PadSlash:
        case Key::F15:
            return move(line_ + 1, kFieldMethod);
        default:
            return enter(line_, field_);
    }
}

void FMdinBView::insertLine() {
    if (wnd_.lines().insertLine(line_)) wnd_.refreshTotals();
    enter(line_, kFieldMethod);
}

void FMdinBView::deleteLine() {
    if (wnd_.lines().deleteLine(line_)) wnd_.refreshTotals();
    move(line_, kFieldMethod);
}

void FMdinBView::copyLine() {
    const int f = wnd_.lines().copyPrevious(line_);
    wnd_.refreshTotals();
    enter(line_, f > 0 ? f : field_);
}

void FMdinBView::reduceTax() {
    if (wnd_.lines().reduceTax(line_)) wnd_.refreshTotals();
    wnd_.header()->update();
    enter(line_, field_);
}

void FMdinBView::boxKey(int kind) {
    if (wnd_.lines().applyPacking(line_, kind)) wnd_.refreshTotals();
    enter(line_, field_);
}

bool FMdinBView::textField() const { return field_ == kFieldName || field_ == kFieldRemarkText; }

void FMdinBView::toggleMark() {
    wnd_.lines().toggleMark(line_);
    update();
}

void FMdinBView::copyMarked() {
    (void)wnd_.lines().copyMarked();
    update();
}

void FMdinBView::pasteLines() {
    if (wnd_.lines().paste(line_) == 0) return wnd_.dialogs().beep();
    wnd_.refreshTotals();
    enter(line_, field_);
}

void FMdinBView::sortLines() {
    wnd_.lines().sort();
    wnd_.refreshTotals();
    enter(line_, field_);
}

// F2 where the product has no packing kind: the operator names one for this line.
void FMdinBView::packingChoice() {
    leave();
    IremonoWnd choice(wnd_.canOpenProductMaster(), &wnd_);
    const int kind = choice.exec() == QDialog::Accepted ? choice.choice() : IremonoWnd::kCancel;
    window()->activateWindow();  // the keyboard comes back to the slip
    SlipLine& l = wnd_.doc().lines[line_];
    if (kind >= kPackBox && kind <= kPackTray) {
        l.packingKind = kind;  // this line only; the product master stays as it is
        return move(line_, settledSkip(kFieldPieces, true));
    }
    enter(line_, field_);
    if (kind == IremonoWnd::kExplain) wnd_.explainField();
    if (kind == IremonoWnd::kProductMaster) wnd_.openProductMaster(l.product);
}

void FMdinBView::mousePressEvent(QMouseEvent* e) {
    const int line = e->pos().y() / FMdinWnd::kRowHeight + 1;
    if (wnd_.doc().header.customer <= 0) {
        wnd_.dialogs().message(msg::kNoCustomerForLine);
        return;
    }
    if (line > wnd_.totals().lines + 1) return;
    const QPoint in(e->pos().x(), e->pos().y() - (line - 1) * FMdinWnd::kRowHeight);
    for (int f = 1; f <= 15; ++f)
        if (fieldRect(f).contains(in)) return wnd_.toGrid(line, f);
}

void FMdinBView::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const AppContext& ctx = wnd_.context();
    const CFq7Doc& doc = wnd_.doc();
    const int qi = wnd_.lines().qIndex();
    const int first = std::max(1, e->rect().top() / FMdinWnd::kRowHeight + 1);
    const int last = std::min(kMaxSlipLines, e->rect().bottom() / FMdinWnd::kRowHeight + 1);
    static const char* labels[] = {" ", "競", "注", "卸", "小"};
    for (int j = first; j <= last; ++j) {
        const int y = (j - 1) * FMdinWnd::kRowHeight;
        const QRect band(0, y, width(), FMdinWnd::kRowHeight);
        const bool inverted = wnd_.lines().marked(j);
        p.fillRect(band, inverted ? QColor(Qt::black) : (j % 2 ? QColor(Qt::white) : QColor(0xF4, 0xF8, 0xFF)));
        p.setPen(QColor(0xB0, 0xB0, 0xB0));
        p.drawLine(0, y + FMdinWnd::kRowHeight - 1, width(), y + FMdinWnd::kRowHeight - 1);
        p.drawLine(40, y + 29, width(), y + 29);
        const QColor ink = inverted ? Qt::white : Qt::black;
        p.setPen(ink);
        const SlipLine& l = doc.lines[j];
        auto at = [&](int f) { return fieldRect(f).translated(0, y); };
        auto right = [&](int f, const QString& s) {
            p.drawText(at(f).adjusted(0, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, s);
        };
        auto left = [&](int f, const QString& s) {
            p.drawText(at(f).adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, s);
        };
        // A line with home-delivery slips shows its number on the first display colour.
        if (ctx.edition == Edition::Sales && doc.lines[j].word200 > 0 && !inverted)
            p.fillRect(QRect(2, y + 2, 36, 26), QColor::fromRgb(ctx.colours[0]));
        p.drawText(QRect(2, y + 2, 36, 26), Qt::AlignCenter, QString::number(j));
        if (l.member > 0) p.drawText(QRect(2, y + 30, 36, 26), Qt::AlignCenter, QString::asprintf("%2d", l.member));
        const bool empty = l.product == 0 && l.quantity == 0 && l.amount == 0 && l.salesMethod == 0;
        if (!empty) {
            const bool sales = ctx.edition == Edition::Sales;
            left(1, QString::asprintf("%d ", l.salesMethod) +
                        (sales && l.salesMethod >= 1 && l.salesMethod <= 4 ? labels[l.salesMethod] : ""));
            right(2, QString::asprintf("%3d ", l.product));
            if (l.product > 0) left(3, sjis(l.productName, sizeof l.productName));
            left(4, QString::asprintf("%2d ", l.grade1) + sjis(doc.names[j].grade1, 10));
            left(5, QString::asprintf("%2d ", l.grade2) + sjis(doc.names[j].grade2, 10));
            right(6, amountText(quantityAt(l, qi)));
            p.drawText(QRect(kUnitX, y + 2, 30, 26), Qt::AlignCenter, sjis(l.unit, 2 + 2));
            right(7, amountText(l.price, std::clamp(l.priceDecimals, 0, 2)));
            right(8, amountText(l.amount));
            if (l.textNumber != 0) p.setPen(inverted ? QColor(Qt::white) : QColor(255, 0, 255));
            left(9, l.remarkCode == 0 ? QString("･") : QString::asprintf("%3d ", l.remarkCode));
            p.setPen(ink);
            left(10, sjis(l.remark, 20));
            right(11, l.piecesPerBox == 0 ? QString("･") : amountText(l.piecesPerBox));
            right(12, l.boxes == 0 ? QString("･") : amountText(l.boxes));
            right(13, QString::asprintf("%4d ", l.buyer));
            const int32_t debit = ctx.env.showPackingCounts ? l.packingCount : (sales ? l.debit : l.word200);
            const int32_t credit = sales ? l.credit : l.word204;
            left(14, QString::asprintf("%3d ", debit) +
                         (ctx.env.showPackingCounts ? QString() : sjis(doc.names[j].debit, 12)));
            left(15, QString::asprintf("%3d ", credit) + sjis(doc.names[j].credit, 12));
            if (doc.texts[j].text[0])
                p.drawText(QRect(kTextX, y + 30, width() - kTextX, 26), Qt::AlignVCenter, sjis(doc.texts[j].text, 100));
        }
        if (wnd_.gridActive() && j == line_ && !edit_) p.drawRect(at(field_).adjusted(0, 0, -1, -1));
    }
}

}  // namespace rk::ui
