#include "maintenance/file_lists.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

#include "app/invoice_settings.h"

namespace rk::maintenance {
namespace {

constexpr std::array<const char*, 12> kDataBases = {"F7da", "S7da", "F7db", "S7db", "F7dc", "S7dc",
                                                    "F7dd", "S7dd", "S7de", "F7df", "S7df", "GENK"};
constexpr std::array<const char*, 12> kDataRoles = {"販売 元帳",         "仕入 元帳",           "販売 売り掛け帳",
                                                    "仕入 買い掛け帳",   "販売 入金帳",         "販売 出金帳",
                                                    "販売 備考文データ", "仕入 備考文データ",   "在庫データ",
                                                    "宅配データ",        "振り替え 伝票データ", "減価償却 データ"};
constexpr std::array<const char*, 8> kMasterBases = {"F7ma", "S7ma", "F7mb", "F7mc", "S7md", "F7me", "S7me", "S7mf"};
constexpr std::array<const char*, 8> kMasterRoles = {"販売 得意先マスター", "仕入 得意先マスター", "商品マスター",
                                                     "規格マスター",        "勘定科目マスター",    "販売 備考マスター",
                                                     "仕入 備考マスター",   "財務 摘要文マスター"};

// 12 -> "１２"
std::string fullWidth(int n) {
    static constexpr std::array<const char*, 10> kDigits = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    std::string digits = std::to_string(n), out;
    for (char c : digits) out += kDigits[static_cast<size_t>(c - '0')];
    return out;
}

std::string line(int n, const std::string& role, const char* doing) {
    return "\n" + fullWidth(n) + "．" + role + doing;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

}  // namespace

std::string yearText(const AppContext& ctx) {
    char y[16];
    std::snprintf(y, sizeof y, "%4d", ctx.settings.businessYear);
    return std::string(y).substr(0, 4);
}

std::vector<YearFile> managementFiles(const AppContext& ctx) {
    const fs::path& program = ctx.programFolder();
    const fs::path& data = ctx.fileSet.dataFolder;
    const std::string year = yearText(ctx);
    std::vector<YearFile> out;
    auto add = [&](fs::path live, std::string name, std::string role, bool announced) {
        const int n = static_cast<int>(out.size()) + 1;
        const int shown = n <= 6 ? n : n - 2;  // the carrier tables are copied without a line
        std::string backingUp = announced ? line(shown, role, "バックアップ中・・・") : std::string();
        out.push_back({std::move(live), std::move(name), std::move(backingUp), line(n, role, "復旧中・・・")});
    };
    add(ctx.fileSet.settingsFile(Edition::Sales), "Fmst.Ft0", "販売管理基本設定", true);
    add(ctx.fileSet.settingsFile(Edition::Purchase), "Smst.Ft0", "仕入れ管理基本設定", true);
    add(ctx.fileSet.settingsFile(Edition::Finance), "Zmst.Ft0", "財務管理基本設定", true);
    add(ctx.fileSet[kHomeDeliveryMaster], "Takuhai.mas", "宅配マスター", true);
    add(program / "Takuform.dat", "Takuform.dat", "宅配フォーム", true);
    add(program / "Print.Dat", "Print.Dat", "印刷フォーム", true);
    add(program / "輸送業者.csv", "輸送業者.csv", "輸送業者定義ファイル", false);
    add(program / "梱包数表.csv", "梱包数表.csv", "梱包数表定義ファイル", false);
    for (size_t i = 0; i < kDataBases.size(); ++i) {
        const std::string name = std::string(kDataBases[i]) + year + ".FT2";
        add(data / name, name, kDataRoles[i], true);
    }
    for (size_t i = 0; i < kMasterBases.size(); ++i) {
        const std::string name = std::string(kMasterBases[i]) + year + ".FT1";
        add(data / name, name, kMasterRoles[i], true);
    }
    return out;
}

std::vector<YearFile> archiveRestoreFiles(const AppContext& ctx) {
    std::vector<YearFile> all = managementFiles(ctx), out;
    for (size_t k = 0; k < all.size(); ++k) {
        if (k == 6 || k == 7) continue;  // the carrier tables are not put back from an archive
        YearFile f = all[k];
        if (k == 5) {
            f.live = ctx.programFolder() / "PRINT.DAT";
            f.name = "PRINT.DAT";
        }
        const int n = static_cast<int>(out.size()) + 1;
        const size_t dot = f.restoring.find("．");
        // The remark master's line has always read 14 here.
        f.restoring = "\n" + fullWidth(n == 24 ? 14 : n) + f.restoring.substr(dot);
        out.push_back(std::move(f));
    }
    return out;
}

YearFile invoiceFile(const AppContext& ctx) {
    return {resolveCase(invoiceSettingsFile(ctx.programFolder())), kInvoiceSettingsFile, {}, {}};
}

bool matchesYearPattern(const std::string& name, const std::string& year) {
    // "????" + year + ".*" as the old command line matched it: four ASCII characters and one
    // extension (so no temporary "….FT2.tmp").
    return name.size() >= 9 && name.compare(4, year.size(), year) == 0 && name[8] == '.' &&
           name.find('.', 9) == std::string::npos &&
           std::all_of(name.begin(), name.begin() + 4, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::vector<fs::path> yearFiles(const fs::path& folder, const std::string& year,
                                const std::vector<std::string>& extensions) {
    std::vector<fs::path> out;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::string name = it->path().filename().string();
        if (!matchesYearPattern(name, year)) continue;
        if (!extensions.empty() &&
            std::find(extensions.begin(), extensions.end(), lower(name.substr(8))) == extensions.end())
            continue;
        out.push_back(it->path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace rk::maintenance
