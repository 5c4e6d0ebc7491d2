// The slip and master files as one print run sees them. The index and the small masters are
// read whole at the start; the slip files are opened once and only the slips the run asks for
// are read, so a run's memory grows with the pages it prints, not with the year. A header once
// read is kept, so the pages of a run agree with each other on it.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/app_context.h"
#include "masters/master_records.h"
#include "slips/slip_records.h"

namespace rk::printing {

struct PrintedLine {
    int number = 0;  // the line's position in its slip
    SlipLine line{};
    std::string grade1, grade2;  // grade names (UTF-8, trimmed)
    std::string text;            // the line text, empty when none
};

struct PrintedSlip {
    int record = 0;
    SlipHeader header{};
    std::vector<PrintedLine> lines;
    int invalid = 0;  // line slots that pointed at no line record
};

class SlipSnapshot {
public:
    explicit SlipSnapshot(const AppContext& ctx);

    // Whether the slip files could be read.
    bool ok() const { return ok_; }
    int headerCount() const { return headerCount_; }
    // Header record n (zero when outside the file).
    SlipHeader header(int n) const;
    // Entry n of index file 1, entry 0 included.
    const std::vector<IndexEntry>& index() const { return index_; }

    // Slip n with its lines and texts. With `merge`, a line equal to an earlier line in
    // sales method, product, grades, remark and buyer is added into that line.
    PrintedSlip slip(int n, bool merge) const;

    // Customer n (zero record outside 1..count).
    CustomerRecord customer(int n) const;

    // The header numbers of the live slips of a date, by customer number.
    std::vector<int> slipsOfDate(int32_t date) const;

private:
    std::string gradeName(int code, bool second) const;

    bool ok_ = false;
    int headerCount_ = 0;
    uint64_t lineRecords_ = 0, textRecords_ = 0;
    std::unique_ptr<FileReader> headers_, lines_, texts_;
    Bytes grades_, customers_;
    std::vector<IndexEntry> index_;
    // Headers read so far, and the block of headers read ahead of the last one asked for.
    mutable std::unordered_map<int, SlipHeader> headerCache_;
    mutable std::vector<SlipHeader> ahead_;
    mutable int aheadFirst_ = 0;
};

// The date slip entry starts with: the date of the last slip in the index (101 when none).
int32_t lastSlipDate(const AppContext& ctx);

}  // namespace rk::printing
