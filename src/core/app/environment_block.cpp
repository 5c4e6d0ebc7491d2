#include "app/environment_block.h"

#include <cstring>

#include "base/cp932.h"

namespace rk {

EnvironmentBlock defaultEnvironment(Edition e) {
    EnvironmentBlock b{};
    b.customerCount = 999;
    switch (e) {
        case Edition::Sales: {
            cp932::assign(b.costNames[0], "　色");
            cp932::assign(b.costNames[1], "サイズ");
            cp932::assign(b.costNames[2], "郵送料");
            cp932::assign(b.costNames[3], "運賃");
            const int32_t debit[9] = {110, 510, 511, 599, 599, 599, 511, 510, 101};
            std::memcpy(b.debit, debit, sizeof debit);
            b.credit[0] = 400;
            for (int i = 1; i < 9; ++i) b.credit[i] = 110;
            b.colours[0] = 0x008040;
            b.colours[1] = 0x00FF00;
            b.colours[2] = 0x00FFFF;
            break;
        }
        case Edition::Purchase: {
            std::memset(b.costNames[0], ' ', sizeof b.costNames[0]);
            cp932::assign(b.costNames[3], " ");
            cp932::assign(b.costNames[4], " ");
            b.debit[0] = 500;
            for (int i = 1; i < 9; ++i) b.debit[i] = 210;
            const int32_t credit[9] = {210, 499, 499, 499, 499, 499, 400, 510, 101};
            std::memcpy(b.credit, credit, sizeof credit);
            b.colours[0] = 0x808040;
            b.colours[1] = 0x00FF00;
            b.colours[2] = 0x00FFFF;
            break;
        }
        case Edition::Finance: {
            cp932::assign(b.costNames[0], "　色");
            cp932::assign(b.costNames[1], "サイズ");
            cp932::assign(b.costNames[3], "  ");
            cp932::assign(b.costNames[4], "  ");
            b.debit[0] = 500;
            for (int i = 1; i < 9; ++i) b.debit[i] = 210;
            b.credit[0] = 210;
            for (int i = 1; i < 9; ++i) b.credit[i] = 402;
            b.colours[0] = 0x800080;
            b.colours[1] = 0x00FF3F;
            b.colours[2] = 0x7FFFFF;
            break;
        }
    }
    return b;
}

void normalise(EnvironmentBlock& env, Edition e) {
    if (env.debit[0] < 100) env.debit[0] = 110;
    for (int i = 1; i < 9; ++i) {
        if (env.debit[i] < 100) env.debit[i] = 505;
        if (env.credit[i] < 100) env.credit[i] = 110;
    }
    if (e == Edition::Sales) {
        if (env.customerCount < 999) env.customerCount = 999;
        if (env.customerCount >= 3000) env.customerCount = 2999;
    } else if (e == Edition::Purchase) {
        env.customerCount = 999;
    }
}

std::optional<EnvironmentBlock> readEnvironment(FileSystem& fs, const fs::path& accountFile, Edition e) {
    EnvironmentBlock b{};
    if (!fs.readZeroFilled(accountFile, environmentOffset(e), bytesOf(b))) return std::nullopt;
    return b;
}

bool writeEnvironment(FileSystem& fs, const fs::path& accountFile, Edition e, const EnvironmentBlock& env) {
    return fs.write(accountFile, environmentOffset(e), bytesOf(env));
}

WriteResult writeEnvironmentChanges(FileSystem& fs, const fs::path& accountFile, Edition e,
                                    const EnvironmentBlock& before, const EnvironmentBlock& after) {
    static constexpr FieldSpan kFields[] = {
        RK_FIELD(EnvironmentBlock, costNames),         RK_FIELD(EnvironmentBlock, boxCountPrinting),
        RK_FIELD(EnvironmentBlock, customerCount),     RK_FIELD(EnvironmentBlock, debit),
        RK_FIELD(EnvironmentBlock, copyInputPoint),    RK_FIELD(EnvironmentBlock, credit),
        RK_FIELD(EnvironmentBlock, verticalRuleMode),  RK_FIELD(EnvironmentBlock, autoBoxInput),
        RK_FIELD(EnvironmentBlock, skipLinePrinting),  RK_FIELD(EnvironmentBlock, warnRemarkRewrite),
        RK_FIELD(EnvironmentBlock, autoBackupOff),     RK_FIELD(EnvironmentBlock, showRecordNumbers),
        RK_FIELD(EnvironmentBlock, showPackingCounts), RK_FIELD(EnvironmentBlock, colours),
    };
    SharedWrite w(fs, accountFile.parent_path());
    if (!w.ready()) return w.result();
    EnvironmentBlock live{};
    if (!w.read(accountFile, environmentOffset(e), bytesOf(live))) return w.result();
    if (!applyChangedFields(before, after, live, kFields)) return {WriteStatus::Unchanged, {}};
    w.transaction().write(accountFile, environmentOffset(e), bytesOf(live));
    return w.commit();
}

Bytes defaultAccountFile() {
    Bytes file(600 * 64);
    for (Edition e : {Edition::Sales, Edition::Purchase, Edition::Finance}) {
        EnvironmentBlock b = defaultEnvironment(e);
        std::memcpy(file.data() + environmentOffset(e), &b, sizeof b);
    }
    static const struct {
        int code;
        const char* name;
    } kItems[] = {{100, "現金"},       {101, "○○銀行預金"}, {110, "売り掛け"}, {210, "買い掛け"},
                  {300, "元入金　"},   {400, "売り上げ"},   {500, "租税公課"}, {510, "事務通信費"},
                  {511, "荷造り運賃"}, {512, "市場手数料"}};
    for (const auto& item : kItems) {
        std::string sjis = cp932::fromUtf8(item.name);
        std::memcpy(file.data() + item.code * 64, sjis.data(), std::min<size_t>(sjis.size(), 64));
    }
    return file;
}

}  // namespace rk
