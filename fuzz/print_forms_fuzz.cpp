// Arbitrary print-form and fax-font files as the printer set-up reads them: fonts, margins
// and sizes out of range must be clamped before use and before saving, and never read past
// the record.
#include <cstdint>

#include "fuzz_input.h"
#include "printing/print_form.h"

using namespace rk;
using namespace rk::printing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::MemoryFileSystem mem;
    const fs::path folder = fuzz::lockFolder();
    fuzz::splitFiles(mem, {folder / kPrintFormFile, folder / kFaxFontFile}, data, size, 4);
    if (auto form = loadPrintForm(mem, folder)) {
        clampForUse(*form);
        PrintForm saved = *form;
        clampForSaving(saved);
        (void)savePrintForm(mem, folder, saved);
        auto again = loadPrintForm(mem, folder);
        if (!again) std::abort();
    }
    if (auto fax = loadFaxFonts(mem, folder)) (void)saveFaxFonts(mem, folder, *fax);
    return 0;
}
