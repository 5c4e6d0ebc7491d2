#include "printing/master_print.h"

#include <algorithm>
#include <cstdio>

#include "app/posting_rows.h"
#include "base/cp932.h"
#include "base/money.h"
#include "masters/account_items.h"
#include "masters/customer_master.h"
#include "masters/master_io.h"

namespace rk::printing {
namespace {

std::string text(const char* field, size_t width) {
    std::string s = cp932::toUtf8(field, width);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
    return s;
}

template <size_t N>
std::string text(const char (&field)[N]) {
    return text(field, N);
}

std::string number(long long v) { return std::to_string(v); }

std::vector<AccountItemRecord> accounts(const AppContext& ctx) {
    return masters::readAccountItems(ctx.files, ctx.fileSet[kAccounts]);
}

std::string accountNameOf(const std::vector<AccountItemRecord>& items, int code) {
    if (code == kProfitAccountCode) return "累積未処分利益";
    if (code < kFirstAccountCode || code > masters::kLastAccountCode || items.empty()) return {};
    return text(items[static_cast<size_t>(code - kFirstAccountCode)].name);
}

const char* rounding(int method) {
    // A damaged method counts as the nearest end of the three.
    static const char* const kNames[3] = {"切り上げ", "四捨五入", "切り捨て"};
    return kNames[std::clamp(method, 0, 2)];
}

template <typename T>
std::vector<T> readAll(const AppContext& ctx, int slot, int last, bool& ok) {
    std::vector<T> all(static_cast<size_t>(std::max(last, 0)) + 1);
    std::span<std::byte> block(reinterpret_cast<std::byte*>(all.data()), all.size() * sizeof(T));
    ok = ctx.files.readZeroFilled(ctx.fileSet[static_cast<MasterSlot>(slot)], 0, block).has_value();
    return all;
}

std::string csvField(const std::string& s) {
    if (s.find_first_of(",\"") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + '"';
}

const char* heading(MasterList k) {
    static const char* const kHeadings[kMasterLists] = {"得意先マスター", "商品マスター", "規格マスター",
                                                        "勘定科目データ", "備考文マスター"};
    return kHeadings[static_cast<int>(k)];
}

const char* columnHeading(MasterList k) {
    static const char* const kColumns[kMasterLists] = {" ｺｰﾄﾞ　　得意先名", " ｺｰﾄﾞ　　商品名", " ｺｰﾄﾞ　　   規格１名",
                                                       " ｺｰﾄﾞ　　科目名", " ｺｰﾄﾞ　　備考文"};
    return kColumns[static_cast<int>(k)];
}

const char* csvHead(MasterList k, Edition e) {
    switch (k) {
        case MasterList::Customers:
            return e == Edition::Purchase ? "ｺｰﾄﾞ,得意先名,敬称 ,部所名, 所在地, 電話番号, 購買者ｺｰﾄﾞ, 郵便番号, "
                                            "計算法, 出金科目, 前回残高, "
                                            "期首残高   "
                                          : "ｺｰﾄﾞ,得意先名,敬称 ,部所名, 所在地, 電話番号, 生産者ｺｰﾄﾞ, 郵便番号, "
                                            "計算法, 入金科目, 前回残高, "
                                            "期首残高   ";
        case MasterList::Products:
            return "ｺｰﾄﾞ,商品名,単位,借方ｺｰﾄﾞ,借方名,貸方ｺｰﾄﾞ,貸方名, 入物ｺｰﾄﾞ, 小数点    ";
        case MasterList::Grades:
            return "ｺｰﾄﾞ, 規格１名, 規格２名";
        case MasterList::Accounts:
            return "科目ｺｰﾄﾞ, 科目名, 借り方, 貸方   ";
        case MasterList::Remarks:
            return "ｺｰﾄﾞ, 備考文   ";
    }
    return "";
}

}  // namespace

int firstCode(MasterList kind) { return kind == MasterList::Accounts ? kFirstAccountCode : 1; }

int lastCode(MasterList kind, const AppContext& ctx) {
    switch (kind) {
        case MasterList::Customers:
            return std::max(1, ctx.env.customerCount);
        case MasterList::Grades:
            return 99;
        case MasterList::Accounts:
            return masters::kLastAccountCode;
        default:
            return 999;
    }
}

MasterTable loadMasterTable(const AppContext& ctx, MasterSelection sel) {
    MasterTable t;
    const int first = firstCode(sel.kind), last = lastCode(sel.kind, ctx);
    sel.from = std::clamp(sel.from, first, last);
    sel.to = std::clamp(sel.to, sel.from, last);
    sel.linesPerInch = std::clamp(sel.linesPerInch, 2, 12);
    t.selection = sel;
    const auto items = accounts(ctx);
    const bool sales = ctx.edition != Edition::Purchase;
    bool ok = false;
    auto add = [&t](int code, std::vector<std::string> cells) { t.rows.push_back({code, std::move(cells)}); };
    switch (sel.kind) {
        case MasterList::Customers: {
            const auto all = readAll<CustomerRecord>(ctx, kCustomers, sel.to, ok);
            const int fallback = sales ? ctx.env.debit[posting::kPaymentRow] : ctx.env.credit[posting::kPaymentRow];
            for (int n = sel.from; n <= sel.to; ++n) {
                const CustomerRecord& c = all[static_cast<size_t>(n)];
                const int account = masters::validAccountCode(c.paymentAccount) ? c.paymentAccount : fallback;
                add(n, {text(c.name), text(c.honorific), text(c.department), text(c.address), text(c.phone),
                        text(c.producerCode), number(static_cast<long long>(c.postalFirst) * 10000 + c.postalSecond),
                        rounding(c.commissionRounding), accountNameOf(items, account),
                        number(money::wholeYen(c.balance)), number(money::wholeYen(c.openingBalance))});
            }
            break;
        }
        case MasterList::Products: {
            const auto all = readAll<ProductRecord>(ctx, kProducts, sel.to, ok);
            for (int n = sel.from; n <= sel.to; ++n) {
                const ProductRecord& p = all[static_cast<size_t>(n)];
                const int debit = sales ? p.salesDebit : p.purchaseDebit;
                const int credit = sales ? p.salesCredit : p.purchaseCredit;
                add(n, {text(p.name), text(p.unit), number(debit), accountNameOf(items, debit), number(credit),
                        accountNameOf(items, credit), number(p.packingKind), number(p.decimals)});
            }
            break;
        }
        case MasterList::Grades: {
            const auto all = readAll<GradeRecord>(ctx, kGrades, sel.to, ok);
            for (int n = sel.from; n <= sel.to; ++n)
                add(n, {text(all[static_cast<size_t>(n)].grade1Name), text(all[static_cast<size_t>(n)].grade2Name)});
            break;
        }
        case MasterList::Accounts: {
            ok = !items.empty();
            for (int n = sel.from; n <= sel.to && ok; ++n) {
                const double balance = items[static_cast<size_t>(n - kFirstAccountCode)].openingBalance;
                const bool debitSide = n < 200, kept = masters::hasOpeningBalance(n);
                const std::string yen = number(money::wholeYen(balance));
                add(n, {accountNameOf(items, n), kept && debitSide ? yen : "", kept && !debitSide ? yen : ""});
            }
            break;
        }
        case MasterList::Remarks: {
            const auto all = readAll<RemarkRecord>(ctx, kRemarks, sel.to, ok);
            for (int n = sel.from; n <= sel.to; ++n) add(n, {text(all[static_cast<size_t>(n)].text)});
            break;
        }
    }
    t.ok = ok;
    if (!ok) t.rows.clear();
    return t;
}

std::string masterCsv(const MasterTable& table, Edition e) {
    const MasterList kind = table.selection.kind;
    std::string out = std::string(csvHead(kind, e)) + "\r\n";
    for (const MasterRow& r : table.rows) {
        std::string line = " " + std::to_string(r.code) + ", ";
        const auto& c = r.cells;
        if (kind == MasterList::Customers && c.size() == 11) {
            for (size_t i = 0; i < 6; ++i) line += csvField(c[i]) + (i < 5 ? "," : "");
            line += "," + c[6] + "," + c[7] + "," + csvField(c[8]) + "," + c[9] + "," + c[10];
        } else {
            for (size_t i = 0; i < c.size(); ++i) line += (i ? "," : "") + csvField(c[i]);
        }
        out += line + "\r\n";
    }
    return cp932::fromUtf8(out);
}

bool writeMasterCsv(AppContext& ctx, const MasterTable& table) {
    const std::string csv = masterCsv(table, ctx.edition);
    return ctx.files.replaceWhole(ctx.programFolder() / kMasterCsvFile,
                                  std::as_bytes(std::span(csv.data(), csv.size())));
}

Document planMasterList(const MasterTable& table, const PrintForm& form, const PageArea& area) {
    const PageMetrics m = pageMetrics(form, area);
    Document doc = documentFor(form, m, heading(table.selection.kind));
    const int dpi = area.dpi > 0 ? area.dpi : 600;
    const int pitch = std::max(1, dpi / std::clamp(table.selection.linesPerInch, 2, 12));
    const int em = m.dataEm;
    const MasterList kind = table.selection.kind;
    // Columns by half-width characters of the data font.
    auto col = [&](int chars) { return m.left + chars * em / 2; };
    const int firstLine = m.top + 3 * pitch;
    int y = m.bottom;  // no page yet
    int pageNumber = 0;
    for (const MasterRow& r : table.rows) {
        if (y + pitch > m.bottom) {
            doc.pages.emplace_back();
            Page& p = doc.pages.back();
            ++pageNumber;
            p.text(m.left, m.top, heading(kind), FontRole::Title);
            char pageText[16];
            std::snprintf(pageText, sizeof pageText, "%2d P", pageNumber);
            p.text(m.right, m.top, pageText, FontRole::Data, Align::Right);
            const int headY = m.top + 2 * pitch;
            p.text(m.left, headY, columnHeading(kind));
            if (kind == MasterList::Products) {
                p.text(col(44), headY, "借り方科目");
                p.text(col(70), headY, "貸し方科目");
            } else if (kind == MasterList::Grades) {
                p.text(col(30), headY, "規格２名");
            } else if (kind == MasterList::Accounts) {
                p.text(col(44), headY, "借り方", FontRole::Data, Align::Right);
                p.text(col(62), headY, "貸し方", FontRole::Data, Align::Right);
            }
            p.rule(m.left, firstLine - pitch / 4, m.right, firstLine - pitch / 4);
            y = firstLine;
        }
        Page& p = doc.pages.back();
        char code[16];
        std::snprintf(code, sizeof code, "%4d", r.code);
        p.text(m.left, y, code);
        const auto& c = r.cells;
        switch (kind) {
            case MasterList::Products:
                p.text(col(8), y, c[0]);
                p.text(col(34), y, c[1]);
                p.text(col(44), y, c[2] + " " + c[3]);
                p.text(col(70), y, c[4] + " " + c[5]);
                break;
            case MasterList::Grades:
                p.text(col(8), y, c[0]);
                p.text(col(30), y, c[1]);
                break;
            case MasterList::Accounts: {
                p.text(col(8), y, c[0]);
                auto grouped = [](const std::string& s) { return s.empty() ? s : s + " "; };
                if (!c[1].empty()) p.text(col(44), y, grouped(c[1]), FontRole::Data, Align::Right);
                if (!c[2].empty()) p.text(col(62), y, grouped(c[2]), FontRole::Data, Align::Right);
                break;
            }
            default:
                p.text(col(8), y, c[0]);
                break;
        }
        y += pitch;
    }
    return doc;
}

}  // namespace rk::printing
