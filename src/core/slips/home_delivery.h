// Home-delivery slips (宅配伝票): parcel consignments attached to a line of a sales slip. The
// line holds the record number of the first slip of its chain; each record names the next.
// The data file of the year keeps the chains (records 0 and 1 are placeholders); the address
// book "TAKUHAI.Mas" keeps one record per distinct consignment, numbered from 1 at byte 0.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/record.h"
#include "platform/shared_write.h"

namespace rk {

struct HomeDeliveryRecord {
    int32_t destPhone[3];  // area code, exchange, number
    int32_t arrivalStore[2];
    int32_t arrivalDate;  // month-day value
    int32_t destPostal[2];
    std::byte reserved32[8];
    int32_t originPhone[3];
    int32_t departureStore[2];
    int32_t shippingDate;  // month-day value
    int32_t originPostal[2];
    int32_t fee[2];
    int32_t next;      // record number of the next slip of the line; 0 = last
    int32_t slipDate;  // the owning sales slip
    int32_t customer;
    int32_t line;
    char destAddress1[32];
    char originAddress1[32];
    char destAddress2[32];
    char originAddress2[32];
    char destAddress3[32];
    char originAddress3[32];
    char destName[32];
    char originName[32];
};
static_assert(sizeof(HomeDeliveryRecord) == 352);
RK_FIELD_AT(HomeDeliveryRecord, destPhone, 0);
RK_FIELD_AT(HomeDeliveryRecord, arrivalStore, 12);
RK_FIELD_AT(HomeDeliveryRecord, arrivalDate, 20);
RK_FIELD_AT(HomeDeliveryRecord, destPostal, 24);
RK_FIELD_AT(HomeDeliveryRecord, reserved32, 32);
RK_FIELD_AT(HomeDeliveryRecord, originPhone, 40);
RK_FIELD_AT(HomeDeliveryRecord, departureStore, 52);
RK_FIELD_AT(HomeDeliveryRecord, shippingDate, 60);
RK_FIELD_AT(HomeDeliveryRecord, originPostal, 64);
RK_FIELD_AT(HomeDeliveryRecord, fee, 72);
RK_FIELD_AT(HomeDeliveryRecord, next, 80);
RK_FIELD_AT(HomeDeliveryRecord, slipDate, 84);
RK_FIELD_AT(HomeDeliveryRecord, customer, 88);
RK_FIELD_AT(HomeDeliveryRecord, line, 92);
RK_FIELD_AT(HomeDeliveryRecord, destAddress1, 96);
RK_FIELD_AT(HomeDeliveryRecord, originAddress1, 128);
RK_FIELD_AT(HomeDeliveryRecord, destAddress2, 160);
RK_FIELD_AT(HomeDeliveryRecord, originAddress2, 192);
RK_FIELD_AT(HomeDeliveryRecord, destAddress3, 224);
RK_FIELD_AT(HomeDeliveryRecord, originAddress3, 256);
RK_FIELD_AT(HomeDeliveryRecord, destName, 288);
RK_FIELD_AT(HomeDeliveryRecord, originName, 320);

namespace delivery {

constexpr uint64_t kRecordSize = sizeof(HomeDeliveryRecord);
constexpr int kMaxChain = 255;
constexpr int32_t kFirstDataRecord = 2;  // records 0 and 1 of the data file are placeholders

// Digits each number field takes; a typed value outside them is refused.
constexpr int kAreaCodeDigits = 5, kExchangeDigits = 4, kNumberDigits = 4;
constexpr int kStoreDigits = 2, kPostalDigits[2] = {3, 4}, kFeeDigits = 5;

// An arrival date past the end of its month becomes the first of the next (1232 -> 101,
// February always 29 days); other values are returned as they are.
int32_t rollOver(int32_t date);
// The defaults of a slip being shown: no shipping date takes the sales slip's date, no
// arrival date the day after shipping; then the roll-over.
void applyDefaults(HomeDeliveryRecord& r, int32_t slipDate);
// Both telephone numbers whole, and address 1 and name filled on both sides.
bool complete(const HomeDeliveryRecord& r);
// Whether `value` fits the number of digits (and is not negative).
bool fitsDigits(int32_t value, int digits);

struct ChainSlip {
    HomeDeliveryRecord record{};
    int32_t number = 0;  // record number in the data file; 0 for a slip not yet recorded
};

// The chain starting at `first`, followed until a next-number of 0 or less, a number outside
// the file, a number seen before or 255 slips. nullopt when the data file cannot be read.
std::optional<std::vector<ChainSlip>> readChain(FileSystem& fs, const fs::path& dataFile, int32_t first);
// Same over the bytes of the whole file.
std::vector<ChainSlip> chainIn(std::span<const std::byte> file, int32_t first);

// The address book as records (a torn tail ignored); nullopt when it cannot be read. A
// missing book is empty.
std::optional<std::vector<HomeDeliveryRecord>> readBook(FileSystem& fs, const fs::path& book);

// Field kinds the address-book search knows.
enum class SearchField {
    DestPhone,
    OriginPhone,
    DestAddress1,
    DestAddress2,
    DestAddress3,
    DestName,
    OriginAddress1,
    OriginAddress2,
    OriginAddress3,
    OriginName,
};
struct SearchHit {
    int number = 0;     // record number in the book, from 1
    std::string entry;  // the pick-list text, UTF-8
};
// The book's records matching the current slip on that field: equal third telephone part,
// or the book's text containing the slip's (trailing blanks removed).
std::vector<SearchHit> search(const std::vector<HomeDeliveryRecord>& book, const HomeDeliveryRecord& current,
                              SearchField field);
// The pick-list text of a book record.
std::string searchEntry(int number, const HomeDeliveryRecord& r);

struct Owner {
    int32_t date = 0, customer = 0, line = 0;
};

// Records the chain of a line: slips get their date defaults; slips that came from the file
// are rewritten where they are,
// new ones appended after the file's end (never below record 2), linked in order; every slip
// is stored in (or updates) the address book by its six telephone parts. `slips` get their
// record numbers. `first` is the number for the line (0 when there are no slips).
struct [[nodiscard]] RecordResult {
    WriteResult write;
    int32_t first = 0;
};
RecordResult recordChain(AppContext& ctx, std::vector<ChainSlip>& slips, const Owner& owner);

// The address-book maintenance writes back the records it changed and appends the ones it
// added, under the data-folder lock, leaving records another station appended meanwhile.
// `before` is the book as read, `after` as edited (records past before.size() are new).
WriteResult writeBookChanges(AppContext& ctx, const std::vector<HomeDeliveryRecord>& before,
                             const std::vector<HomeDeliveryRecord>& after);

}  // namespace delivery
}  // namespace rk
