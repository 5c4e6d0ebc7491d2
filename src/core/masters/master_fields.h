// The fields of each master record, the units a master window changes: a write applies the
// fields the window changed to the live record and leaves the others as another station
// left them.
#pragma once

#include <cstddef>

#include "masters/master_records.h"
#include "platform/shared_write.h"

namespace rk::masters {

inline constexpr FieldSpan kCustomerFields[] = {
    RK_FIELD(CustomerRecord, department),
    RK_FIELD(CustomerRecord, name),
    RK_FIELD(CustomerRecord, honorific),
    RK_FIELD(CustomerRecord, address),
    RK_FIELD(CustomerRecord, phone),
    RK_FIELD(CustomerRecord, producerCode),
    RK_FIELD(CustomerRecord, postalFirst),
    RK_FIELD(CustomerRecord, postalSecond),
    RK_FIELD(CustomerRecord, commissionRounding),
    RK_FIELD(CustomerRecord, paymentAccount),
    RK_FIELD(CustomerRecord, balance),
    RK_FIELD(CustomerRecord, openingBalance),
    RK_FIELD(CustomerRecord, commissionRate),
    RK_FIELD(CustomerRecord, groupLink),
    RK_FIELD(CustomerRecord, members),
};

inline constexpr FieldSpan kProductFields[] = {
    RK_FIELD(ProductRecord, name),          RK_FIELD(ProductRecord, unit),
    RK_FIELD(ProductRecord, commonCode),    RK_FIELD(ProductRecord, packingKind),
    RK_FIELD(ProductRecord, decimals),      RK_FIELD(ProductRecord, validity),
    RK_FIELD(ProductRecord, salesDebit),    RK_FIELD(ProductRecord, salesCredit),
    RK_FIELD(ProductRecord, purchaseDebit), RK_FIELD(ProductRecord, purchaseCredit),
    RK_FIELD(ProductRecord, packingGroup),  RK_FIELD(ProductRecord, packingExtra),
    RK_FIELD(ProductRecord, boxPoints),
};

inline constexpr FieldSpan kGradeFields[] = {
    RK_FIELD(GradeRecord, grade1Name),
    RK_FIELD(GradeRecord, grade2Name),
    RK_FIELD(GradeRecord, spareA),
    RK_FIELD(GradeRecord, spareB),
};

inline constexpr FieldSpan kRemarkFields[] = {RK_FIELD(RemarkRecord, text)};

inline constexpr FieldSpan kAccountItemFields[] = {
    RK_FIELD(AccountItemRecord, name),
    RK_FIELD(AccountItemRecord, openingBalance),
    RK_FIELD(AccountItemRecord, mark),
};

}  // namespace rk::masters
