#include "app/basic_settings.h"

#include <algorithm>
#include <cstring>

#include "base/cp932.h"

namespace rk {

BasicSettings defaultSettings(const Clock& clock) {
    BasicSettings s{};
    s.businessYear = clock.now().year;
    s.firstMonth = 1;
    cp932::assign(s.name, "園名または社名");
    cp932::assign(s.department, "部所名");
    cp932::assign(s.phone, "電話番号");
    cp932::assign(s.address, "住所または所在地");
    cp932::assign(s.bank1, "口座番号");
    cp932::assign(s.bank2, "口座番号（無ければ空白）");
    s.taxRate = 5.0;
    s.inputYear = s.businessYear;
    s.lanMode = 0;
    return s;
}

std::optional<BasicSettings> readSettings(FileSystem& fs, const fs::path& file) {
    BasicSettings s{};
    if (!fs.readZeroFilled(file, 0, bytesOf(s))) return std::nullopt;
    return s;
}

bool writeSettings(FileSystem& fs, const fs::path& file, const BasicSettings& s) {
    return fs.replaceWhole(file, bytesOf(s));
}

namespace {

constexpr FieldSpan kSettingsFields[] = {
    RK_FIELD(BasicSettings, name),
    RK_FIELD(BasicSettings, department),
    RK_FIELD(BasicSettings, phone),
    RK_FIELD(BasicSettings, address),
    RK_FIELD(BasicSettings, bank1),
    RK_FIELD(BasicSettings, bank2),
    RK_FIELD(BasicSettings, masterFolder),
    RK_FIELD(BasicSettings, dataFolder),
    RK_FIELD(BasicSettings, businessYear),
    RK_FIELD(BasicSettings, inputYear),
    RK_FIELD(BasicSettings, firstMonth),
    RK_FIELD(BasicSettings, lanMode),
    RK_FIELD(BasicSettings, geometryMarker),
    RK_FIELD(BasicSettings, frameLeft),
    RK_FIELD(BasicSettings, frameTop),
    RK_FIELD(BasicSettings, frameWidth),
    RK_FIELD(BasicSettings, frameHeight),
    RK_FIELD(BasicSettings, slipLeft),
    RK_FIELD(BasicSettings, slipTop),
    RK_FIELD(BasicSettings, slipWidth),
    RK_FIELD(BasicSettings, slipHeight),
    RK_FIELD(BasicSettings, systemCheckMode),
    RK_FIELD(BasicSettings, memberNumber),
    RK_FIELD(BasicSettings, tableKeyColumns),
    RK_FIELD(BasicSettings, shipListLeft),
    RK_FIELD(BasicSettings, shipListTop),
    RK_FIELD(BasicSettings, shipListWidth),
    RK_FIELD(BasicSettings, shipListHeight),
    RK_FIELD(BasicSettings, accountWindowSetting),
    RK_FIELD(BasicSettings, labelsAcross),
    RK_FIELD(BasicSettings, labelRows),
    RK_FIELD(BasicSettings, taxRate),
    RK_FIELD(BasicSettings, exchangeRate),
};

}  // namespace

WriteResult writeSettingsChanges(FileSystem& fs, const fs::path& file, const BasicSettings& before,
                                 const BasicSettings& after, BasicSettings* shown) {
    // Settings a run never read (no year in them): what the file holds now is the base.
    if (before.businessYear == 0) {
        if (auto live = readSettings(fs, file))
            return replaceChangedFields(fs, file, *live, after, kSettingsFields, shown);
    }
    return replaceChangedFields(fs, file, before, after, kSettingsFields, shown);
}

FrameRect clampedFrame(const std::optional<BasicSettings>& s) {
    if (!s) return {0, 0, 1024, 728};
    return {std::max(0, s->frameLeft), std::max(0, s->frameTop), std::max(1024, s->frameWidth),
            std::max(600, s->frameHeight)};
}

void storeFrame(BasicSettings& s, const FrameRect& r) {
    s.geometryMarker = 0;
    s.frameLeft = r.left;
    s.frameTop = r.top;
    s.frameWidth = r.width;
    s.frameHeight = r.height;
}

fs::path folderFromField(const char (&field)[40], const fs::path& fallback) {
    std::string text(field, cp932::fieldLength(field, sizeof field));
    text = text.substr(0, text.find(' '));
    if (text.empty()) return fallback;
    std::replace(text.begin(), text.end(), '\\', '/');
    fs::path p(cp932::toUtf8(text));
    if (p.is_relative()) p = fallback / p;
    return p;
}

}  // namespace rk
