// The goods lines of the open slip: storing each typed field with what follows from it (master
// fill, quantities, amounts, remarks), the valid-line count and totals, and the line
// operations of the slip entry grid. Works on the document's line images; nothing reaches the
// files before the slip is recorded.
#pragma once

#include <array>
#include <string_view>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "slips/CFq7Doc.h"

namespace rk {

// Grid fields of a line.
enum LineField : int {
    kFieldMethod = 1,
    kFieldProduct,
    kFieldName,
    kFieldGrade1,
    kFieldGrade2,
    kFieldQuantity,
    kFieldPrice,
    kFieldAmount,
    kFieldRemarkCode,
    kFieldRemarkText,
    kFieldPieces,
    kFieldBoxes,
    kFieldBuyer,
    kFieldDebit,
    kFieldCredit,
};

// Packing kinds of a product or line.
enum PackingKind : int { kPackNone = 0, kPackBox = 1, kPackContainer = 2, kPackTray = 3 };

struct SlipTotals {
    int lines = 0;  // leading valid lines
    double boxes = 0;
    double quantity = 0;  // of the input mode
    double amount = 0;
};

// Which quantity an input mode shows and edits: 0 ordered, 1 delivered, 2 final.
constexpr int quantityIndex(int mode) { return mode <= 1 ? 0 : mode == 2 ? 1 : 2; }
double& quantityAt(SlipLine& l, int index);
double quantityAt(const SlipLine& l, int index);

// The account codes of the edition: sales +192/+196, purchase +200/+204.
int32_t& debitOf(SlipLine& l, Edition e);
int32_t& creditOf(SlipLine& l, Edition e);
bool validLine(const SlipLine& l, Edition e);
// The number of leading valid lines of lines 1..99.
int countValidLines(const CFq7Doc& doc, Edition e);

class SlipLineEditor {
public:
    SlipLineEditor(CFq7Doc& doc, AppContext& ctx, Dialogs& dialogs, int mode);

    int mode() const { return mode_; }
    int qIndex() const { return quantityIndex(mode_); }

    // --- storing a field of line a (1..99); the return is the field Enter goes to ---
    int storeMethod(int a, int value);
    // Codes 1..1000 are products; 1001 and above name line (code - 1000) of the purchase
    // edition's slip line file, whose product and grades the line takes over.
    int storeProduct(int a, int code);
    void storeName(int a, std::string_view utf8);
    int storeGrade(int a, int which, int code);
    // The field Enter goes to from `field` of line `a` when its value is kept as it is (the
    // same field storing it would go to).
    int nextField(int a, int field) const;
    void storeQuantity(int a, double q);
    void storePrice(int a, double price);
    void storeAmount(int a, double amount);
    // Numeric-pad plus in the amount field: the lines of the same goods still without an amount
    // share `amount` at one unit price. False (with a beep) when their quantities add up to 0.
    bool distributeAmount(int a, double amount);
    void storeRemarkCode(int a, int code);
    void storeRemarkText(int a, std::string_view utf8);
    // Pieces per box and boxes; false when refused in the mode (after the message).
    bool storePieces(int a, double pieces);
    bool storeBoxes(int a, double boxes);
    // F2/F3/F4 in the buyer field: box, container or tray packing of pieces x boxes.
    bool applyPacking(int a, int kind);
    void storeBuyer(int a, int buyer);
    void storeDebit(int a, int code);
    void storeCredit(int a, int code);

    // Recounts N and the totals into the header (line count, slip amount).
    SlipTotals recount();

    // --- line operations; each returns whether the slip changed ---
    bool insertLine(int a);
    bool deleteLine(int a);
    // Copies line a - 1 into line a; returns the field the cursor goes to (0: refused).
    int copyPrevious(int a);
    bool split(int a);
    void sort();
    bool reduceTax(int a);

    // Marks for copying; copy writes the marked lines to the line file of the program folder.
    void toggleMark(int a);
    bool marked(int a) const { return a >= 1 && a <= kMaxSlipLines && marks_[a]; }
    bool copyMarked();
    // Pastes the saved lines from line a on; returns how many were pasted.
    int paste(int a);

    // The highest line that holds anything (typed goods or a slot in the files).
    int lastUsed() const;
    // What is left of the purchase line line a refers to for line a: its final quantity less
    // that of every other line referring to it, in this slip and the other live slips of the date.
    double purchaseRemainder(int a) const;

private:
    SlipLine& line(int a) { return doc_.lines[a]; }
    void recomputeAmount(SlipLine& l);
    void setQuantity(SlipLine& l, double q);
    void cacheGrades(int a);
    void cacheAccounts(int a);
    void moveLines(int from, int to, int by);
    void clearLine(int a);
    // Puts `sjis` into the remark after the overwrite question when it would replace another text.
    void replaceRemark(SlipLine& l, const std::string& sjis);
    bool boxesToQuantity(int a, int kindLabel, size_t limit);
    int stationMember() const;
    int storePurchaseReference(int a, int ref);
    // False (after the message) when `q` of line a needs more than its purchase line has left.
    bool withinPurchase(int a, double q);

    CFq7Doc& doc_;
    AppContext& ctx_;
    Dialogs& dialogs_;
    int mode_;
    std::array<bool, kMaxSlipLines + 1> marks_{};
};

}  // namespace rk
