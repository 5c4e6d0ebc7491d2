// The slip records: the 768-byte header, the 224-byte line, the 100-byte line text and
// the 8-byte entries of the two index files. Every reader of the slip files uses these.
#pragma once

#include <cstdint>

#include "base/record.h"

namespace rk {

constexpr int kMaxSlipLines = 99;  // lines 1..99 are recorded
constexpr int kDocLines = 127;     // line images the document keeps (0 unused)

// Slip stages, shared by the editions.
enum SlipStage : int32_t { kStageOrder = 0, kStageDelivery = 1, kStageProcessed = 2, kStageSettled = 3 };

struct SlipHeader {
    char department[32];
    char customerName[32];
    int32_t stage;
    int32_t reserved68;
    int32_t date;  // month-day value; negated when the slip is deleted
    int32_t customer;
    int32_t settlementDate;
    int32_t paymentLink;
    int32_t lineCount;
    std::byte reserved92[4];
    double amount;
    double commission;
    double receivable;
    double tax;
    double deductions[5];
    std::byte reserved168[24];
    int32_t taxDebit;
    int32_t deductionDebit[5];
    int32_t commissionDebit;
    std::byte reserved220[4];
    int32_t taxCredit;
    int32_t deductionCredit[5];
    int32_t commissionCredit;
    std::byte reserved252[4];
    int32_t lineSlots[kMaxSlipLines + 1];  // slot j = line record number of line j; slot 0 unused (-1)
    std::byte reserved656[112];
};
static_assert(sizeof(SlipHeader) == 768);
RK_FIELD_AT(SlipHeader, customerName, 32);
RK_FIELD_AT(SlipHeader, stage, 64);
RK_FIELD_AT(SlipHeader, reserved68, 68);
RK_FIELD_AT(SlipHeader, date, 72);
RK_FIELD_AT(SlipHeader, customer, 76);
RK_FIELD_AT(SlipHeader, settlementDate, 80);
RK_FIELD_AT(SlipHeader, paymentLink, 84);
RK_FIELD_AT(SlipHeader, lineCount, 88);
RK_FIELD_AT(SlipHeader, amount, 96);
RK_FIELD_AT(SlipHeader, commission, 104);
RK_FIELD_AT(SlipHeader, receivable, 112);
RK_FIELD_AT(SlipHeader, tax, 120);
RK_FIELD_AT(SlipHeader, deductions, 128);
RK_FIELD_AT(SlipHeader, taxDebit, 192);
RK_FIELD_AT(SlipHeader, deductionDebit, 196);
RK_FIELD_AT(SlipHeader, commissionDebit, 216);
RK_FIELD_AT(SlipHeader, taxCredit, 224);
RK_FIELD_AT(SlipHeader, deductionCredit, 228);
RK_FIELD_AT(SlipHeader, commissionCredit, 248);
RK_FIELD_AT(SlipHeader, lineSlots, 256);
RK_FIELD_AT(SlipHeader, reserved656, 656);

struct SlipLine {
    char productName[16];
    std::byte reserved16[8];
    char unit[4];
    std::byte reserved28[4];
    char remark[24];
    int32_t owner;  // header record number of the slip that owns the line
    int32_t salesMethod;
    int32_t product;  // the line is live while this is 1 or more
    int32_t grade1;
    int32_t grade2;
    int32_t remarkCode;
    int32_t textNumber;  // line text record; 0 none, -1 present but not yet stored
    int32_t buyer;
    int32_t packingKind;
    std::byte reserved92[8];
    int32_t priceDecimals;
    int32_t member;
    int32_t purchaseRef;
    int32_t packingCount;
    int32_t carrier;
    std::byte reserved120[8];
    double piecesPerBox;
    double boxes;
    double ordered;
    double delivered;
    double quantity;  // final quantity
    std::byte reserved168[8];
    double price;
    double amount;
    int32_t debit;    // sales edition
    int32_t credit;   // sales edition
    int32_t word200;  // purchase edition: debit; sales edition: first home-delivery slip
    int32_t word204;  // purchase edition: credit
    std::byte reserved208[16];
};
static_assert(sizeof(SlipLine) == 224);
RK_FIELD_AT(SlipLine, unit, 24);
RK_FIELD_AT(SlipLine, remark, 32);
RK_FIELD_AT(SlipLine, owner, 56);
RK_FIELD_AT(SlipLine, salesMethod, 60);
RK_FIELD_AT(SlipLine, product, 64);
RK_FIELD_AT(SlipLine, grade1, 68);
RK_FIELD_AT(SlipLine, grade2, 72);
RK_FIELD_AT(SlipLine, remarkCode, 76);
RK_FIELD_AT(SlipLine, textNumber, 80);
RK_FIELD_AT(SlipLine, buyer, 84);
RK_FIELD_AT(SlipLine, packingKind, 88);
RK_FIELD_AT(SlipLine, priceDecimals, 100);
RK_FIELD_AT(SlipLine, member, 104);
RK_FIELD_AT(SlipLine, purchaseRef, 108);
RK_FIELD_AT(SlipLine, packingCount, 112);
RK_FIELD_AT(SlipLine, carrier, 116);
RK_FIELD_AT(SlipLine, piecesPerBox, 128);
RK_FIELD_AT(SlipLine, boxes, 136);
RK_FIELD_AT(SlipLine, ordered, 144);
RK_FIELD_AT(SlipLine, delivered, 152);
RK_FIELD_AT(SlipLine, quantity, 160);
RK_FIELD_AT(SlipLine, price, 176);
RK_FIELD_AT(SlipLine, amount, 184);
RK_FIELD_AT(SlipLine, debit, 192);
RK_FIELD_AT(SlipLine, credit, 196);
RK_FIELD_AT(SlipLine, word200, 200);
RK_FIELD_AT(SlipLine, word204, 204);

// Extended remark text of a line, NUL-terminated.
struct LineText {
    char text[100];
};
static_assert(sizeof(LineText) == 100);

// Entry n of index file 1 (date, customer) or index file 2 (stage, line count).
struct IndexEntry {
    int32_t first;
    int32_t second;
    bool operator==(const IndexEntry&) const = default;
};
static_assert(sizeof(IndexEntry) == 8);

constexpr uint64_t kSlipLineSize = sizeof(SlipLine);
constexpr uint64_t kLineTextSize = sizeof(LineText);

// A month-day value of a live slip; 100 or less is no date, negative a deleted slip.
constexpr bool liveDate(int32_t date) { return date > 100; }

}  // namespace rk
