#include "slips/slip_lines.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "base/money.h"
#include "slips/slip_messages.h"

namespace rk {
namespace {

template <size_t N>
std::string_view fieldText(const char (&f)[N]) {
    return {f, cp932::fieldLength(f, N)};
}

template <size_t N>
void cacheName(char (&dst)[N], const char* src, size_t count) {
    std::memset(dst, 0, N);
    std::memcpy(dst, src, std::min(count, N - 1));
}

// Trailing blanks and NULs removed.
std::string trimmed(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    return std::string(s);
}

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

const std::string& sjis(const char* utf8) {
    static thread_local std::map<const char*, std::string> memo;
    auto it = memo.find(utf8);
    if (it == memo.end()) it = memo.emplace(utf8, cp932::fromUtf8(utf8)).first;
    return it->second;
}

const char* kindLabel(int kind) {
    switch (kind) {
        case kPackBox:
            return "箱 ";
        case kPackContainer:
            return "ﾌﾗｺﾝ ";
        case kPackTray:
            return "ﾄﾚｰ ";
        default:
            return "";
    }
}

std::string cut(const std::string& s, size_t limit) { return s.substr(0, cp932::cutAtCharBoundary(s, limit)); }

}  // namespace

double& quantityAt(SlipLine& l, int index) { return index == 0 ? l.ordered : index == 1 ? l.delivered : l.quantity; }
double quantityAt(const SlipLine& l, int index) {
    return index == 0 ? l.ordered : index == 1 ? l.delivered : l.quantity;
}

int32_t& debitOf(SlipLine& l, Edition e) { return e == Edition::Sales ? l.debit : l.word200; }
int32_t& creditOf(SlipLine& l, Edition e) { return e == Edition::Sales ? l.credit : l.word204; }

bool validLine(const SlipLine& l, Edition e) {
    const int32_t debit = e == Edition::Sales ? l.debit : l.word200;
    const int32_t credit = e == Edition::Sales ? l.credit : l.word204;
    return l.salesMethod >= 0 && l.product >= 0 && l.grade1 >= 0 && l.grade2 >= 0 && l.quantity != 0 &&
           debit >= kFirstAccountCode && credit >= kFirstAccountCode;
}

int countValidLines(const CFq7Doc& doc, Edition e) {
    int n = 0;
    while (n < kMaxSlipLines && validLine(doc.lines[n + 1], e)) ++n;
    return n;
}

SlipLineEditor::SlipLineEditor(CFq7Doc& doc, AppContext& ctx, Dialogs& dialogs, int mode)
    : doc_(doc), ctx_(ctx), dialogs_(dialogs), mode_(std::clamp(mode, 1, 4)) {}

int SlipLineEditor::stationMember() const { return std::max(0, ctx_.memberNumber); }

void SlipLineEditor::setQuantity(SlipLine& l, double q) {
    // A quantity typed in a mode settles the later stages too.
    for (int i = qIndex(); i <= 2; ++i) quantityAt(l, i) = q;
}

void SlipLineEditor::recomputeAmount(SlipLine& l) { l.amount = money::times(quantityAt(l, qIndex()), l.price); }

int SlipLineEditor::storeMethod(int a, int value) {
    SlipLine& l = line(a);
    l.salesMethod = std::max(1, value);
    if (ctx_.edition == Edition::Sales) {
        const std::string remark = trimmed(fieldText(l.remark));
        const bool hasOrderWord = cp932::findWhole(remark, sjis("注文")) != std::string::npos;
        if (l.salesMethod == 2 && !hasOrderWord && remark.size() < 14) {
            cp932::assignRaw(l.remark, sizeof l.remark, remark + sjis(" 注文品"));
        } else if (l.salesMethod != 2 && hasOrderWord) {
            dialogs_.message(msg::kOrderWordElsewhere);
        }
    }
    if (ctx_.memberNumber > 0 && l.member == 0) l.member = ctx_.memberNumber;
    return kFieldProduct;
}

int SlipLineEditor::storeProduct(int a, int code) {
    if (code < 0) return kFieldProduct;
    if (code > 1000) return storePurchaseReference(a, code - 1000);
    SlipLine& l = line(a);
    l.product = code;
    doc_.readProduct(code);
    const ProductRecord& p = doc_.product;
    std::memcpy(l.productName, p.name, sizeof l.productName);
    std::memcpy(l.unit, p.unit, sizeof l.unit);
    l.packingKind = p.packingKind;
    l.priceDecimals = p.decimals;
    const bool sales = ctx_.edition == Edition::Sales;
    debitOf(l, ctx_.edition) = sales ? p.salesDebit : p.purchaseDebit;
    creditOf(l, ctx_.edition) = sales ? p.salesCredit : p.purchaseCredit;
    cacheAccounts(a);
    return nextField(a, kFieldProduct);
}

int SlipLineEditor::nextField(int a, int field) const {
    const SlipLine& l = doc_.lines[a];
    switch (field) {
        case kFieldProduct:  // the name is typed only for product 99
            return l.product == 99 ? kFieldName : kFieldGrade1;
        case kFieldGrade2:
            return l.packingKind > 0 && ctx_.env.autoBoxInput ? kFieldPieces : kFieldQuantity;
        default:
            return field + 1;
    }
}

void SlipLineEditor::storeName(int a, std::string_view utf8) { cp932::assign(line(a).productName, utf8); }

int SlipLineEditor::storeGrade(int a, int which, int code) {
    SlipLine& l = line(a);
    (which == 1 ? l.grade1 : l.grade2) = code <= 0 ? kNoGrade : code;
    cacheGrades(a);
    return nextField(a, which == 1 ? kFieldGrade1 : kFieldGrade2);
}

void SlipLineEditor::cacheGrades(int a) {
    const SlipLine& l = doc_.lines[a];
    CFq7Doc::LineNames& nm = doc_.names[a];
    std::memset(nm.grade1, 0, sizeof nm.grade1);
    std::memset(nm.grade2, 0, sizeof nm.grade2);
    if (l.grade1 > 0) {
        doc_.readGrade(l.grade1);
        cacheName(nm.grade1, doc_.grade.grade1Name, 10);
    }
    if (l.grade2 > 0) {
        doc_.readGrade(l.grade2);
        cacheName(nm.grade2, doc_.grade.grade2Name, 10);
    }
}

void SlipLineEditor::cacheAccounts(int a) {
    SlipLine& l = doc_.lines[a];
    CFq7Doc::LineNames& nm = doc_.names[a];
    std::memset(nm.debit, 0, sizeof nm.debit);
    std::memset(nm.credit, 0, sizeof nm.credit);
    const int32_t debit = debitOf(l, ctx_.edition), credit = creditOf(l, ctx_.edition);
    if (debit > 99 && doc_.readAccount(debit)) cacheName(nm.debit, doc_.account.name, 12);
    if (credit > 99 && doc_.readAccount(credit)) cacheName(nm.credit, doc_.account.name, 12);
}

void SlipLineEditor::storeQuantity(int a, double q) {
    if (!withinPurchase(a, q)) return;  // a typed quantity beyond the purchase is not taken
    SlipLine& l = line(a);
    setQuantity(l, q);
    recomputeAmount(l);
}

void SlipLineEditor::storePrice(int a, double price) {
    SlipLine& l = line(a);
    l.price = price;
    doc_.readProduct(l.product);
    l.priceDecimals = doc_.product.decimals;
    recomputeAmount(l);
}

void SlipLineEditor::storeAmount(int a, double amount) {
    SlipLine& l = line(a);
    l.amount = amount;
    const double q = quantityAt(l, qIndex());
    if (q > 0) l.price = amount / q;
}

bool SlipLineEditor::distributeAmount(int a, double amount) {
    const SlipLine key = line(a);
    auto same = [&](const SlipLine& l) {
        return l.salesMethod == key.salesMethod && l.product == key.product && l.grade1 == key.grade1 &&
               l.grade2 == key.grade2 && l.remarkCode == key.remarkCode;
    };
    std::vector<int> share;
    double sum = 0;
    for (int j = 1; j <= kMaxSlipLines; ++j) {
        const SlipLine& l = doc_.lines[j];
        if (j == a || (same(l) && l.amount == 0 && (l.product != 0 || l.quantity != 0))) {
            share.push_back(j);
            sum += l.quantity;
        }
    }
    if (money::clean(sum) == 0) {  // nothing to divide by
        dialogs_.beep();
        return false;
    }
    const double price = amount / sum;
    double given = 0;
    for (int j : share) {
        SlipLine& l = doc_.lines[j];
        l.price = price;
        l.amount = money::times(price, l.quantity);
        given += l.amount;
    }
    doc_.lines[share.back()].amount += money::clean(amount - given);
    return true;
}

void SlipLineEditor::storeRemarkCode(int a, int code) {
    SlipLine& l = line(a);
    if (code <= 0) {
        l.remarkCode = 0;
        l.textNumber = 0;
        doc_.texts[a] = {};
        return;
    }
    code = std::min(code, 999);
    if (l.remarkCode > 0 && l.remarkCode != code && ctx_.env.warnRemarkRewrite &&
        dialogs_.ask(msg::kOverwriteRemark, Buttons::YesNo, Answer::No) != Answer::Yes)
        return;
    doc_.readRemark(code);
    l.remarkCode = code;
    if (code < 500) {
        const std::string text(doc_.remark.text, cp932::fieldLength(doc_.remark.text, 20));
        cp932::assignRaw(l.remark, sizeof l.remark, cut(text, 20));
    } else {
        const std::string text(doc_.remark.text, cp932::fieldLength(doc_.remark.text, 82));
        doc_.texts[a] = {};
        cp932::assignRaw(doc_.texts[a].text, sizeof doc_.texts[a].text, cut(text, 82));
        if (l.textNumber == 0) l.textNumber = -1;
    }
}

void SlipLineEditor::storeRemarkText(int a, std::string_view utf8) {
    SlipLine& l = line(a);
    cp932::assignRaw(l.remark, sizeof l.remark, cut(cp932::fromUtf8(utf8), 20));
}

void SlipLineEditor::replaceRemark(SlipLine& l, const std::string& text) {
    const std::string old = trimmed(fieldText(l.remark));
    if (!old.empty() && old != trimmed(text) && ctx_.env.warnRemarkRewrite &&
        dialogs_.ask(msg::kOverwriteRemark, Buttons::YesNo, Answer::No) != Answer::Yes)
        return;
    cp932::assignRaw(l.remark, sizeof l.remark, text);
}

bool SlipLineEditor::boxesToQuantity(int a, int kind, size_t limit) {
    SlipLine& l = line(a);
    if (l.piecesPerBox < 1 || l.boxes < 1) return false;
    (void)withinPurchase(a, money::clean(l.piecesPerBox * l.boxes));  // told, but boxes are boxes
    setQuantity(l, money::clean(l.piecesPerBox * l.boxes));
    recomputeAmount(l);
    std::string text =
        number(l.piecesPerBox) + trimmed(fieldText(l.unit)) + "x" + number(l.boxes) + sjis(kindLabel(kind));
    if (ctx_.edition == Edition::Sales && l.salesMethod == 2) text += sjis(msg::kOrderGoods);
    // Cut at a character boundary: half a double-byte character would garble the remark.
    replaceRemark(l, cut(text, limit));
    return true;
}

bool SlipLineEditor::storePieces(int a, double pieces) {
    if (mode_ >= 3) {
        dialogs_.message(msg::kNoBoxesInMode);
        return false;
    }
    line(a).piecesPerBox = pieces;
    (void)boxesToQuantity(a, line(a).packingKind, 20);
    return true;
}

bool SlipLineEditor::storeBoxes(int a, double boxes) {
    if (mode_ >= 3) {
        dialogs_.message(msg::kNoBoxesInMode);
        return false;
    }
    line(a).boxes = boxes;
    (void)boxesToQuantity(a, line(a).packingKind, 20);
    return true;
}

bool SlipLineEditor::applyPacking(int a, int kind) {
    if (boxesToQuantity(a, kind, 16)) return true;
    dialogs_.beep();
    return false;
}

void SlipLineEditor::storeBuyer(int a, int buyer) {
    SlipLine& l = line(a);
    l.buyer = buyer;
    if (ctx_.edition != Edition::Sales || l.salesMethod != 2 || buyer <= 0) return;
    std::string text = trimmed(fieldText(l.remark));
    // A buyer number appended earlier follows the order word: drop it before appending anew.
    const size_t at = cp932::findWhole(text, sjis("注"));
    if (at != std::string::npos) {
        for (size_t i = at + 2; i < text.size(); i += cp932::isLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1) {
            if (text[i] >= '1' && text[i] <= '9') {
                text.resize(i);
                break;
            }
        }
    }
    const size_t keep = cp932::cutAtCharBoundary(text, 16);
    if (text.size() > 16) text = text.substr(0, keep) + std::string(16 - keep, ' ');
    cp932::assignRaw(l.remark, sizeof l.remark, cut(text + std::to_string(buyer), 20));
}

void SlipLineEditor::storeDebit(int a, int code) {
    if (ctx_.env.showPackingCounts) {
        line(a).packingCount = code;
        return;
    }
    debitOf(line(a), ctx_.edition) = code;
    cacheAccounts(a);
}

void SlipLineEditor::storeCredit(int a, int code) {
    if (ctx_.memberNumber == -1) {
        line(a).member = code;
        return;
    }
    creditOf(line(a), ctx_.edition) = code;
    cacheAccounts(a);
}

SlipTotals SlipLineEditor::recount() {
    SlipTotals t;
    t.lines = countValidLines(doc_, ctx_.edition);
    for (int j = 1; j <= kMaxSlipLines; ++j) {
        const SlipLine& l = doc_.lines[j];
        t.boxes += l.boxes;
        t.quantity += quantityAt(l, qIndex());
        t.amount += l.amount;
    }
    t.amount = money::clean(t.amount);
    doc_.header.lineCount = t.lines;
    doc_.header.amount = t.amount;
    return t;
}

int SlipLineEditor::lastUsed() const {
    for (int j = kMaxSlipLines; j >= 1; --j) {
        const SlipLine& l = doc_.lines[j];
        if (l.product != 0 || l.quantity != 0 || l.amount != 0 || doc_.header.lineSlots[j] >= 1) return j;
    }
    return 0;
}

// Moves lines from..to by one line down (by = 1) or up (by = -1) with their slots, texts,
// name caches and loaded flags.
void SlipLineEditor::moveLines(int from, int to, int by) {
    auto moveOne = [&](int dst, int src) {
        doc_.copyLine(dst, src);
        doc_.loaded[dst] = doc_.loaded[src];
        doc_.header.lineSlots[dst] = doc_.header.lineSlots[src];
        marks_[dst] = marks_[src];
    };
    if (by > 0)
        for (int j = to; j >= from; --j) moveOne(j + 1, j);
    else
        for (int j = from; j <= to; ++j) moveOne(j - 1, j);
}

void SlipLineEditor::clearLine(int a) {
    doc_.lines[a] = {};
    doc_.texts[a] = {};
    doc_.names[a] = {};
    doc_.loaded[a] = false;
    doc_.header.lineSlots[a] = -1;
    marks_[a] = false;
}

bool SlipLineEditor::insertLine(int a) {
    if (doc_.header.stage == kStageSettled) {
        dialogs_.message(msg::kSettledNoInsert);
        return false;
    }
    const int n = recount().lines;
    // Lines typed below an unfinished line move too: none is overwritten.
    const int last = std::max(n, lastUsed());
    if (n > 98 || last > 98 || a < 1 || a > n) return false;
    moveLines(a, last, 1);
    clearLine(a);
    doc_.lines[a].owner = -1;
    doc_.lines[a].member = stationMember();
    dialogs_.message(msg::kLineInserted, Icon::Information);
    recount();
    return true;
}

bool SlipLineEditor::deleteLine(int a) {
    if (doc_.header.stage == kStageSettled) {
        dialogs_.message(msg::kSettledNoDelete);
        return false;
    }
    const int last = std::max(recount().lines, lastUsed());
    if (a < 1 || a > last) return false;
    moveLines(a + 1, last, -1);
    clearLine(last);
    recount();
    return true;
}

int SlipLineEditor::copyPrevious(int a) {
    if (a < 2 || a > kMaxSlipLines) return 0;
    const SlipLine& p = doc_.lines[a - 1];
    SlipLine& l = line(a);
    l.salesMethod = p.salesMethod >= 1 && p.salesMethod <= 9 ? p.salesMethod : 1;
    l.product = p.product;
    l.grade1 = p.grade1;
    l.grade2 = p.grade2;
    std::memcpy(l.productName, p.productName, sizeof l.productName);
    std::memcpy(l.unit, p.unit, sizeof l.unit);
    l.packingKind = p.packingKind;
    l.priceDecimals = p.priceDecimals;
    debitOf(l, ctx_.edition) = debitOf(doc_.lines[a - 1], ctx_.edition);
    creditOf(l, ctx_.edition) = creditOf(doc_.lines[a - 1], ctx_.edition);
    doc_.names[a] = doc_.names[a - 1];
    l.ordered = l.delivered = l.quantity = l.price = l.amount = 0;
    l.piecesPerBox = l.boxes = 0;
    l.buyer = 0;
    l.textNumber = 0;
    doc_.texts[a] = {};
    l.purchaseRef = 0;
    l.packingCount = 0;
    l.carrier = 0;
    l.member = stationMember();
    if (ctx_.edition == Edition::Sales && l.salesMethod == 2 && trimmed(fieldText(l.remark)).empty())
        cp932::assign(l.remark, msg::kOrderGoods);
    recount();
    int field = ctx_.env.copyInputPoint;
    if (field != kFieldGrade1 && field != kFieldGrade2) field = kFieldQuantity;
    if (field == kFieldQuantity && l.packingKind > 0 && ctx_.env.autoBoxInput) field = kFieldPieces;
    return field;
}

bool SlipLineEditor::split(int a) {
    if (doc_.header.stage != kStageDelivery) {
        dialogs_.message(msg::kSplitOnlyDelivery);
        return false;
    }
    const int n = recount().lines;
    const int last = std::max(n, lastUsed());
    if (n >= kMaxSlipLines || last >= kMaxSlipLines) {
        dialogs_.message(msg::kSplitFull);
        return false;
    }
    if (a < 1 || a > n) {
        dialogs_.message(msg::kSplitInvalidLine);
        return false;
    }
    if (doc_.lines[a].delivered < 2) {
        dialogs_.message(msg::kSplitTooFew);
        return false;
    }
    moveLines(a + 1, last, 1);
    doc_.copyLine(a + 1, a);
    doc_.loaded[a + 1] = false;
    doc_.header.lineSlots[a + 1] = -1;
    marks_[a + 1] = false;
    SlipLine& old = doc_.lines[a];
    SlipLine& l = doc_.lines[a + 1];
    l.ordered = 0;
    l.delivered = l.quantity = 1;
    // The new line gets whole yen; what is left of the amount stays on the old line.
    l.amount = money::yen(old.price);
    l.piecesPerBox = l.boxes = 0;
    l.buyer = 0;
    l.textNumber = 0;
    if (l.remarkCode >= 500) {
        l.remarkCode = 0;
        doc_.texts[a + 1] = {};
    }
    old.delivered -= 1;
    old.quantity -= 1;
    old.amount = money::clean(old.amount - l.amount);
    recount();
    return true;
}

void SlipLineEditor::sort() {
    const int n = recount().lines;
    auto key = [&](int j) {
        const SlipLine& l = doc_.lines[j];
        return int64_t{l.salesMethod} * 1000000 + int64_t{l.product} * 100000 + int64_t{l.grade1} * 100 + l.grade2;
    };
    // Images, texts and name caches change places; the slots stay where they are.
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j)
            if (key(j) < key(i)) {
                std::swap(doc_.lines[i], doc_.lines[j]);
                std::swap(doc_.texts[i], doc_.texts[j]);
                std::swap(doc_.names[i], doc_.names[j]);
            }
}

bool SlipLineEditor::reduceTax(int a) {
    if (doc_.header.stage == kStageSettled) {
        dialogs_.message(msg::kSettledNoTaxReduction);
        return false;
    }
    if (doc_.header.stage == kStageProcessed) {
        dialogs_.message(msg::kProcessedMarkCleared);
        doc_.header.stage = kStageDelivery;
    }
    SlipLine& l = line(a);
    const double r = ctx_.settings.taxRate;
    if (r + 100 == 0) return false;
    const double t = money::yen(l.amount * r / (r + 100));
    char buf[256];
    std::snprintf(buf, sizeof buf, msg::kTaxReductionQuestion, static_cast<int>(l.amount), static_cast<int>(t),
                  static_cast<int>(l.amount - t));
    if (dialogs_.ask(buf, Buttons::YesNo, Answer::No) != Answer::Yes) return false;
    storeAmount(a, l.amount - t);
    recount();
    return true;
}

void SlipLineEditor::toggleMark(int a) {
    if (a >= 1 && a <= kMaxSlipLines) marks_[a] = !marks_[a];
}

bool SlipLineEditor::copyMarked() {
    Bytes out;
    for (int j = 1; j <= kMaxSlipLines; ++j) {
        if (!marks_[j]) continue;
        auto b = bytesOf(doc_.lines[j]);
        out.insert(out.end(), b.begin(), b.end());
    }
    marks_ = {};
    if (out.empty()) return false;
    return ctx_.files.replaceWhole(ctx_.programFolder() / msg::kLineCopyFile, out);
}

int SlipLineEditor::paste(int a) {
    if (doc_.header.stage == kStageSettled || a < 1 || a > kMaxSlipLines) return 0;
    auto data = ctx_.files.readAll(ctx_.programFolder() / msg::kLineCopyFile);
    if (!data) return 0;
    const int count = static_cast<int>(data->size() / kSlipLineSize);
    int pasted = 0;
    // Never beyond the last line a slip can record.
    for (int k = 0; k < count && a + k <= kMaxSlipLines; ++k, ++pasted) {
        const int j = a + k;
        SlipLine l;
        std::memcpy(&l, data->data() + k * kSlipLineSize, kSlipLineSize);
        l.owner = doc_.lines[j].owner;  // the target keeps its place in the files
        l.textNumber = 0;
        l.purchaseRef = 0;
        if (ctx_.edition == Edition::Sales) l.word200 = 0;  // home-delivery slips belong to the copied line
        doc_.lines[j] = l;
        doc_.texts[j] = {};
        cacheGrades(j);
        cacheAccounts(j);
    }
    recount();
    return pasted;
}

}  // namespace rk
