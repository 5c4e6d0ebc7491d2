// The master records slip lines and headers copy from: customer, product, grade, remark and
// account item. Each number indexes its file directly: record n at n x size, record 0 unused.
#pragma once

#include <cstdint>

#include "base/record.h"

namespace rk {

struct CustomerRecord {
    char department[32];
    char name[32];
    char honorific[6];
    char address[40];
    char phone[32];
    char producerCode[34];
    int32_t postalFirst;
    int32_t postalSecond;
    int32_t commissionRounding;  // 0 up, 1 half up, 2 truncate
    int32_t paymentAccount;
    double balance;         // outstanding after the last settlement
    double openingBalance;  // of the year
    double commissionRate;  // percent
    std::byte reserved216[8];
    int32_t groupLink;  // 0 single, n > 0 representative of n, -p member of p
    int32_t members[63];
};
static_assert(sizeof(CustomerRecord) == 480);
RK_FIELD_AT(CustomerRecord, name, 32);
RK_FIELD_AT(CustomerRecord, honorific, 64);
RK_FIELD_AT(CustomerRecord, address, 70);
RK_FIELD_AT(CustomerRecord, phone, 110);
RK_FIELD_AT(CustomerRecord, producerCode, 142);
RK_FIELD_AT(CustomerRecord, postalFirst, 176);
RK_FIELD_AT(CustomerRecord, postalSecond, 180);
RK_FIELD_AT(CustomerRecord, commissionRounding, 184);
RK_FIELD_AT(CustomerRecord, paymentAccount, 188);
RK_FIELD_AT(CustomerRecord, balance, 192);
RK_FIELD_AT(CustomerRecord, openingBalance, 200);
RK_FIELD_AT(CustomerRecord, commissionRate, 208);
RK_FIELD_AT(CustomerRecord, groupLink, 224);
RK_FIELD_AT(CustomerRecord, members, 228);

struct ProductRecord {
    char name[24];
    char unit[8];
    char commonCode[14];
    std::byte reserved46[82];
    int32_t packingKind;  // 0 none, 1 box, 2 flower container, 3 tray
    int32_t decimals;     // price decimals 0..2
    int32_t validity;     // outside 0..999: a garbage record
    int32_t salesDebit;
    int32_t salesCredit;
    int32_t purchaseDebit;
    int32_t purchaseCredit;
    std::byte reserved156[4];
    int32_t packingGroup;  // packages are counted per this many boxes
    int32_t packingExtra;
    std::byte reserved168[16];
    double boxPoints;
};
static_assert(sizeof(ProductRecord) == 192);
RK_FIELD_AT(ProductRecord, unit, 24);
RK_FIELD_AT(ProductRecord, commonCode, 32);
RK_FIELD_AT(ProductRecord, packingKind, 128);
RK_FIELD_AT(ProductRecord, decimals, 132);
RK_FIELD_AT(ProductRecord, validity, 136);
RK_FIELD_AT(ProductRecord, salesDebit, 140);
RK_FIELD_AT(ProductRecord, salesCredit, 144);
RK_FIELD_AT(ProductRecord, purchaseDebit, 148);
RK_FIELD_AT(ProductRecord, purchaseCredit, 152);
RK_FIELD_AT(ProductRecord, packingGroup, 160);
RK_FIELD_AT(ProductRecord, packingExtra, 164);
RK_FIELD_AT(ProductRecord, boxPoints, 184);

struct GradeRecord {
    char grade1Name[16];
    char grade2Name[16];
    int32_t spareA;
    int32_t spareB;
    std::byte reserved40[8];
};
static_assert(sizeof(GradeRecord) == 48);
RK_FIELD_AT(GradeRecord, grade2Name, 16);
RK_FIELD_AT(GradeRecord, spareA, 32);

struct RemarkRecord {
    char text[100];
};
static_assert(sizeof(RemarkRecord) == 100);

struct AccountItemRecord {
    char name[32];
    double openingBalance;
    std::byte reserved40[16];
    double mark;
};
static_assert(sizeof(AccountItemRecord) == 64);
RK_FIELD_AT(AccountItemRecord, openingBalance, 32);
RK_FIELD_AT(AccountItemRecord, mark, 56);

constexpr int kNoGrade = 99;
constexpr int kFirstAccountCode = 100;
constexpr int kProfitAccountCode = 399;  // always shown with its fixed name

}  // namespace rk
