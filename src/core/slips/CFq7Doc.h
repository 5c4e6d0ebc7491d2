// The slip document: the one slip being edited with its lines and texts, the master records
// it last read, and the operations on the slip files (find, load, record, delete, move).
// The slip entry window owns one; other windows make their own when they need the record
// operations. Files are opened per operation and closed again.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "base/dialogs.h"
#include "masters/master_records.h"
#include "slips/packing_fill.h"
#include "slips/slip_locks.h"
#include "slips/slip_records.h"

namespace rk {

class DataLock;

class CFq7Doc {
public:
    // Display caches of a line: the names of its grades and account items.
    struct LineNames {
        char grade1[11];
        char grade2[11];
        char debit[13];
        char credit[13];
    };

    enum class WriteResult {
        Ok = 0,
        Busy,         // another station held the data folder too long
        Duplicate,    // another live slip has this date and customer
        NotRecorded,  // a move of a slip that is not in the files
        WriteFailed,  // the files could not be written; they are as before
        Locked,       // another station has the target slip open
    };

    // `locks` and `packing` may be null (stand-alone, packing left as typed).
    CFq7Doc(AppContext& ctx, Dialogs& dialogs, SlipLocks* locks = nullptr, PackingFill* packing = nullptr);

    // --- the open slip ---
    SlipHeader header{};
    std::array<SlipLine, kDocLines> lines{};
    std::array<LineText, kDocLines> texts{};
    std::array<LineNames, kDocLines> names{};
    std::array<bool, kDocLines> loaded{};

    // --- the master records last read ---
    CustomerRecord customer{};
    ProductRecord product{};
    GradeRecord grade{};
    RemarkRecord remark{};
    AccountItemRecord account{};

    int recordNumber() const { return record_; }
    // The slip amount as loaded, to see whether it changed since.
    double loadedAmount() const { return loadedAmount_; }
    // The invalid-slip warning of the last load (UTF-8), empty when the slip was sound.
    const std::string& warning() const { return warning_; }
    // The header number the last successful write used.
    int lastWritten() const { return lastWritten_; }
    // The account-item file could not be opened: the program should close.
    bool closeRequested() const { return closeRequested_; }

    // The slip entry's input mode 1..4; a cleared document starts with stage mode - 1.
    void setInputMode(int mode) { inputMode_ = mode; }
    void setSlipLocks(SlipLocks* locks);
    void setPackingFill(PackingFill* packing) { packing_ = packing; }

    // Document start: an empty slip dated like the last slip in the files (101 when none).
    void start();
    void clearLines();
    // Empties the header but keeps its date; line count 1, every slot -1.
    void clearHeader();

    // Loads the live slip of (date, customer); false leaves the slip as it was, record -1.
    bool findAndLoad(int32_t date, int32_t customer);
    // Loads header record n as it stands (reference windows).
    bool loadRecord(int n);
    // Header numbers of the live slips of `date`, by customer number.
    std::vector<int> slipsOfDate(int32_t date) const;

    // Writes the slip (new or in place), releases its slip lock and clears the document.
    // On failure the document keeps the slip as it was and the reason has been shown.
    // `held`: the caller already holds the data-folder lock (a write of many slips).
    [[nodiscard]] WriteResult record(const DataLock* held = nullptr);
    // Marks the slip deleted (negated date) in the files and clears the document.
    [[nodiscard]] WriteResult deleteSlip();
    // Moves a recorded slip to another date and/or customer under the same header number;
    // refused when the new pair already has a slip or another station has it open. The new
    // pair is locked before the old one is released.
    [[nodiscard]] WriteResult moveTo(int32_t date, int32_t customer);

    // --- master reads into the buffers above ---
    void readCustomer(int n);
    void readProduct(int n);
    void readGrade(int n);
    void readRemark(int n);
    // False (after the message) when the account-item file cannot be opened.
    bool readAccount(int code);

    // Line a takes line b: image, text and the name caches.
    void copyLine(int a, int b);

private:
    void fillFromHeader(const SlipHeader& h, int n);
    void loadLines();
    struct MasterMemo;
    void cacheNames(int j, MasterMemo& memo);
    void clearAfterWrite(int32_t date);
    WriteResult write(SlipHeader h, const DataLock* held = nullptr);
    WriteResult reportFailure(WriteResult r);

    AppContext& ctx_;
    Dialogs& dialogs_;
    SlipLocks* locks_;
    PackingFill* packing_;
    int inputMode_ = 1;
    int record_ = -1;
    int lastWritten_ = -1;
    double loadedAmount_ = 0;
    std::string warning_;
    bool closeRequested_ = false;
};

}  // namespace rk
