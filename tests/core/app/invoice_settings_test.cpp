// The registration number and qualified-invoice switch of the program folder: the number's
// shape, the file as written and read back, a damaged file, and saving from the settings.
#include "app/invoice_settings.h"

#include <gtest/gtest.h>

#include <cstring>

#include "base/dialogs.h"
#include "settings/basic_settings_edit.h"
#include "settings/messages.h"
#include "support/faulty_file_system.h"
#include "support/installation.h"
#include "support/temp_folder.h"

namespace rk {
namespace {

InvoiceSettings withNumber(const char* n, int32_t on) {
    InvoiceSettings s{};
    std::memcpy(s.number, n, std::strlen(n));
    s.qualified = on;
    return s;
}

TEST(RegistrationNumber, OnlyTAndThirteenDigitsAreTaken) {
    EXPECT_EQ(normaliseRegistrationNumber("T1234567890123"), "T1234567890123");
    // What an operator may type for the same number: the input method's full-width forms,
    // a small t, blanks and hyphens between the digit groups.
    EXPECT_EQ(normaliseRegistrationNumber("Ｔ１２３４５６７８９０１２３"), "T1234567890123");
    EXPECT_EQ(normaliseRegistrationNumber("t1234-5678-90123"), "T1234567890123");
    EXPECT_EQ(normaliseRegistrationNumber(" T 1234 5678 90123 "), "T1234567890123");

    EXPECT_FALSE(normaliseRegistrationNumber("T123456789012"));    // too short
    EXPECT_FALSE(normaliseRegistrationNumber("T12345678901234"));  // too long
    EXPECT_FALSE(normaliseRegistrationNumber("1234567890123"));    // no T
    EXPECT_FALSE(normaliseRegistrationNumber("T12345678901AB"));   // letters
    EXPECT_FALSE(normaliseRegistrationNumber("T１２３４５６７８９０１２ｱ"));
    EXPECT_FALSE(normaliseRegistrationNumber(""));
}

TEST(InvoiceSettingsFile, WrittenReadBackAndMergedWithAnotherWindowsChange) {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;
    const fs::path folder = ctx.programFolder();
    EXPECT_EQ(readInvoiceSettings(ctx.files, folder).state, InvoiceFile::Missing);

    const InvoiceSettings on = withNumber("T1234567890123", 1);
    ASSERT_TRUE(writeInvoiceSettings(ctx.files, folder, InvoiceSettings{}, on).ok());
    EXPECT_EQ(fs::file_size(folder / "INVOICE.FT0"), 32u);
    InvoiceRead r = readInvoiceSettings(ctx.files, folder);
    ASSERT_EQ(r.state, InvoiceFile::Read);
    EXPECT_EQ(r.settings.numberText(), "T1234567890123");
    EXPECT_TRUE(r.settings.printsQualified());

    // This window read `on` and switches it off; another changed the number meanwhile: both stay.
    ASSERT_TRUE(writeInvoiceSettings(ctx.files, folder, on, withNumber("T9999999999999", 1)).ok());
    ASSERT_TRUE(writeInvoiceSettings(ctx.files, folder, on, withNumber("T1234567890123", 0)).ok());
    r = readInvoiceSettings(ctx.files, folder);
    EXPECT_EQ(r.settings.numberText(), "T9999999999999");
    EXPECT_EQ(r.settings.qualified, 0);
}

TEST(InvoiceSettingsFile, ADamagedFileIsNeverTakenAsValid) {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;
    const fs::path file = ctx.programFolder() / "INVOICE.FT0";
    const InvoiceSettings bad[] = {withNumber("T12345", 1), withNumber("T1234567890123", 7),
                                   withNumber("A1234567890123", 1)};
    for (const InvoiceSettings& s : bad) {
        ASSERT_TRUE(realFileSystem().replaceWhole(file, bytesOf(s)));
        const InvoiceRead r = readInvoiceSettings(ctx.files, ctx.programFolder());
        EXPECT_EQ(r.state, InvoiceFile::Damaged);
        EXPECT_FALSE(r.settings.printsQualified());
    }
    ASSERT_TRUE(realFileSystem().replaceWhole(file, Bytes(31, std::byte{0})));  // cut short
    EXPECT_EQ(readInvoiceSettings(ctx.files, ctx.programFolder()).state, InvoiceFile::Damaged);
    // Saving again replaces it whole rather than merging into it.
    const InvoiceSettings on = withNumber("T1234567890123", 1);
    ASSERT_TRUE(writeInvoiceSettings(ctx.files, ctx.programFolder(), InvoiceSettings{}, on).ok());
    EXPECT_TRUE(readInvoiceSettings(ctx.files, ctx.programFolder()).settings.printsQualified());
}

TEST(InvoiceSettingsEdit, SavingWritesOnlyAChangeAndAFailureLeavesTheFileAsItWas) {
    test::Installation inst;
    AppContext& ctx = *inst.ctx;
    const fs::path file = ctx.programFolder() / "INVOICE.FT0";
    ASSERT_TRUE(settings::saveInvoice(ctx, inst.dialogs, InvoiceSettings{}, InvoiceSettings{}));
    EXPECT_FALSE(fs::exists(file)) << "nothing typed, nothing written";
    const InvoiceSettings on = withNumber("T1234567890123", 1);
    ASSERT_TRUE(settings::saveInvoice(ctx, inst.dialogs, InvoiceSettings{}, on));
    EXPECT_TRUE(readInvoiceSettings(ctx.files, ctx.programFolder()).settings.printsQualified());

    // A write that fails anywhere: the message, and the file as it was.
    const Bytes before = test::readFile(file);
    for (int k = 1;; ++k) {
        test::FaultyFileSystem faulty(realFileSystem());
        faulty.arm(k, test::FaultyFileSystem::Fault::Fail);
        auto other = inst.contextWith(faulty);
        ScriptedDialogs d;
        const bool saved = settings::saveInvoice(*other, d, on, withNumber("T9999999999999", 1));
        if (faulty.changes() < k) {
            EXPECT_TRUE(saved);
            break;
        }
        EXPECT_FALSE(saved) << "call " << k;
        ASSERT_FALSE(d.shown.empty());
        EXPECT_EQ(d.shown.back().rfind(msg::kInvoiceWriteFailed, 0), 0u);
        EXPECT_EQ(test::readFile(file), before) << "call " << k;
    }
    EXPECT_EQ(readInvoiceSettings(ctx.files, ctx.programFolder()).settings.numberText(), "T9999999999999");
}

}  // namespace
}  // namespace rk
