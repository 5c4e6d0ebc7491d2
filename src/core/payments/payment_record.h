// One payment: the slips it settled, the balances it moved, and enough to undo it exactly.
// Payment file: record 0 is an all-zero header, payments follow numbered from 1 by position.
#pragma once

#include <cstdint>

#include "base/record.h"

namespace rk {

struct PaymentRecord {
    char customerName[32];
    std::byte reserved32[32];
    int32_t customer;  // the representative for a group payment
    int32_t date;      // MMDD; negative once the payment is deleted
    int32_t slipCount;
    std::byte reserved76[4];
    double fee;
    double paid;
    std::byte reserved96[4];
    int32_t feeDebit;
    int32_t paidDebit;
    std::byte reserved108[8];
    int32_t feeCredit;
    int32_t paidCredit;
    std::byte reserved124[4];
    int32_t slips[256];  // [0] = -1, [1..n] slip header record numbers, the rest -1
    int32_t memberCount;
    int32_t members[63];
    double balanceChange;            // new outstanding balance minus the one before
    double memberBalanceChange[63];  // minus each member's balance before
    double workingFigures[64];

    bool deleted() const { return date < 0; }
};
static_assert(sizeof(PaymentRecord) == 2432);
RK_FIELD_AT(PaymentRecord, customer, 64);
RK_FIELD_AT(PaymentRecord, date, 68);
RK_FIELD_AT(PaymentRecord, slipCount, 72);
RK_FIELD_AT(PaymentRecord, fee, 80);
RK_FIELD_AT(PaymentRecord, paid, 88);
RK_FIELD_AT(PaymentRecord, feeDebit, 100);
RK_FIELD_AT(PaymentRecord, paidDebit, 104);
RK_FIELD_AT(PaymentRecord, feeCredit, 116);
RK_FIELD_AT(PaymentRecord, paidCredit, 120);
RK_FIELD_AT(PaymentRecord, slips, 128);
RK_FIELD_AT(PaymentRecord, memberCount, 1152);
RK_FIELD_AT(PaymentRecord, members, 1156);
RK_FIELD_AT(PaymentRecord, balanceChange, 1408);
RK_FIELD_AT(PaymentRecord, memberBalanceChange, 1416);
RK_FIELD_AT(PaymentRecord, workingFigures, 1920);

}  // namespace rk
