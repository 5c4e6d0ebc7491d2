#include "masters/account_items.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "base/cp932.h"
#include "base/money.h"
#include "masters/master_io.h"
#include "masters/messages.h"
#include "platform/shared_write.h"

namespace rk::masters {
namespace {

constexpr size_t kMarkOffset = offsetof(AccountItemRecord, mark);

std::string_view nameOf(const AccountItemRecord& r) { return {r.name, cp932::fieldLength(r.name, sizeof r.name)}; }

bool blankName(const AccountItemRecord& r) {
    std::string_view n = nameOf(r);
    return n.empty() || n == " ";
}

bool sameName(const AccountItemRecord& a, const AccountItemRecord& b) {
    return std::strncmp(a.name, b.name, kAccountNameCompare) == 0;
}

}  // namespace

bool validAccountCode(int code) { return code >= kFirstAccountCode && code <= kLastAccountCode; }

void normaliseAccountItem(int code, AccountItemRecord& r) {
    r.openingBalance = money::yen(r.openingBalance) + 0.0;
    if (!hasOpeningBalance(code)) std::memset(reinterpret_cast<std::byte*>(&r) + 32, 0, kMarkOffset - 32);
}

std::optional<std::string> accountName(FileSystem& fs, const fs::path& file, int code) {
    AccountItemRecord r{};
    if (!readAccountItem(fs, file, code, r)) return std::nullopt;
    return std::string(nameOf(r));
}

bool writeAccountItem(FileSystem& fs, const fs::path& file, int code, const AccountItemRecord& in) {
    if (!validAccountCode(code)) return false;
    AccountItemRecord r = in;
    normaliseAccountItem(code, r);
    return updateRecord<AccountItemRecord>(fs, file.parent_path(), file, code,
                                           [&](AccountItemRecord& live) {
                                               const double mark = live.mark;  // toggled on its own
                                               live = r;
                                               live.mark = mark;
                                           })
        .ok();
}

std::optional<bool> toggleAccountMark(FileSystem& fs, const fs::path& file, int code) {
    if (!validAccountCode(code)) return std::nullopt;
    bool marked = false;
    const WriteResult r =
        updateRecord<AccountItemRecord>(fs, file.parent_path(), file, code, [&](AccountItemRecord& live) {
            live.mark = live.mark == 1.0 ? 0.0 : 1.0;
            marked = live.mark == 1.0;
        });
    if (!r.ok()) return std::nullopt;
    return marked;
}

std::vector<AccountItemRecord> readAccountItems(FileSystem& fs, const fs::path& file) {
    std::vector<AccountItemRecord> items(kLastAccountCode - kFirstAccountCode + 1);
    std::span<std::byte> block(reinterpret_cast<std::byte*>(items.data()), items.size() * sizeof(AccountItemRecord));
    if (!fs.readZeroFilled(file, kFirstAccountCode * sizeof(AccountItemRecord), block)) return {};
    return items;
}

bool AccountTotals::agree() const { return money::clean(debit) == money::clean(credit); }

AccountTotals accountTotals(const std::vector<AccountItemRecord>& items) {
    AccountTotals t;
    for (size_t i = 0; i < items.size(); ++i) {
        int code = kFirstAccountCode + static_cast<int>(i);
        if (code <= 199)
            t.debit += items[i].openingBalance;
        else if (code <= 399)
            t.credit += items[i].openingBalance;
    }
    return t;
}

std::vector<std::string> DuplicateNameCheck::check(int code, const std::vector<AccountItemRecord>& items) {
    std::vector<std::string> reports;
    size_t self = static_cast<size_t>(code - kFirstAccountCode);
    if (!validAccountCode(code) || self >= items.size()) return reports;
    const AccountItemRecord& entered = items[self];
    for (size_t i = 0; i < items.size(); ++i) {
        if (i == self) continue;
        int other = kFirstAccountCode + static_cast<int>(i);
        std::pair key{std::min(code, other), std::max(code, other)};
        bool same = !blankName(items[i]) && !blankName(entered) && sameName(entered, items[i]);
        if (!same) {
            reported_.erase(key);
            continue;
        }
        if (reports.size() >= 3 || reported_.count(key)) continue;
        reported_.insert(key);
        char tail[512];
        std::snprintf(tail, sizeof tail, msg::kAccountDuplicateTail, code, other);
        reports.push_back(std::string(msg::kAccountDuplicateHead) + cp932::toUtf8(nameOf(entered)) + tail);
    }
    return reports;
}

const std::vector<const char*>& standardAccountNames(int category) {
    static const std::vector<const char*> kNames[5] = {
        {"現金", "ＪＡ普通貯金", "○○銀行普通預金", "定期預金", "定期積み金", "売り掛け", "前払い金", "建物", "構築物",
         "機械装置", "車両運搬具", "器具備品", "電話加入権", "下水道負担金", "事業主貸し", "仮払い消費税", ""},
        {"長期借り入れ", "短期借り入れ", "近代化資金", "未払い金", "買い掛け", "仮受消費税", "預かり源泉税",
         "事業主借り", ""},
        {"元入金", "事業主勘定", "資本金", "未処分利益", ""},
        {"売り上げ", "事業外収入", "家事仕向", "預金利子", "減価償却処分益", "雑収入", ""},
        {"租税公課",
         "種苗費",
         "肥料費",
         "農薬費",
         "培土費",
         "農具費",
         "電力費",
         "暖房用重油費",
         "修繕費",
         "作業用衣料費",
         "市場手数料",
         "運送費",
         "荷造り梱包費",
         "交通費",
         "雇用費",
         "仕入れ高",
         "減価償却費",
         "減価償却処分損",
         "保険料",
         "交際費",
         "新聞図書費",
         "事務通信費",
         "福利厚生費",
         "支払い利息",
         "土地改良費",
         "共済掛け金",
         "燃料費",
         "光熱費",
         ""},
    };
    return kNames[std::clamp(category, 0, 4)];
}

}  // namespace rk::masters
