// Hand-built slips written straight into a year's files, for the table tests.
#pragma once

#include <initializer_list>

#include "app/app_context.h"
#include "base/cp932.h"
#include "slips/slip_index.h"
#include "slips/slip_records.h"

namespace rk::test {

struct LineSpec {
    int product = 1;
    double quantity = 1;
    double amount = 100;
    int salesMethod = 1, grade1 = 1, grade2 = 99, remark = 0;
    double ordered = 0, delivered = 0, boxes = 0;
    int buyer = 0, member = 0;
    double price = 0;
    const char* name = "";  // product name on the line (UTF-8)
};

class YearBuilder {
public:
    YearBuilder(FileSystem& fs, const FileSet& files) : fs_(fs), files_(files) {}

    // Appends a slip with its lines; returns its header record number.
    int slip(int date, int customer, int stage, std::initializer_list<LineSpec> lines) {
        SlipHeader h{};
        h.date = date;
        h.customer = customer;
        h.stage = stage;
        for (auto& s : h.lineSlots) s = -1;
        const auto headerAt = fs_.size(files_[kSlipHeaders]).value_or(0);
        const int record = static_cast<int>(headerAt / kSlipHeaderSize);
        for (const LineSpec& s : lines) {
            SlipLine l{};
            l.owner = record;
            l.product = s.product;
            l.salesMethod = s.salesMethod;
            l.grade1 = s.grade1;
            l.grade2 = s.grade2;
            l.remarkCode = s.remark;
            l.quantity = s.quantity;
            l.amount = s.amount;
            l.ordered = s.ordered;
            l.delivered = s.delivered;
            l.boxes = s.boxes;
            l.buyer = s.buyer;
            l.member = s.member;
            l.price = s.price;
            cp932::assign(l.productName, s.name);
            auto at = fs_.append(files_[kSlipLines], bytesOf(l));
            h.lineSlots[++h.lineCount] = static_cast<int32_t>(*at / kSlipLineSize);
            h.amount += s.amount;
        }
        (void)fs_.append(files_[kSlipHeaders], bytesOf(h));
        return record;
    }

    // Rewrites header `record` through `change`.
    template <class Change>
    void change(int record, Change c) {
        SlipHeader h{};
        (void)fs_.read(files_[kSlipHeaders], static_cast<uint64_t>(record) * kSlipHeaderSize, bytesOf(h));
        c(h);
        (void)fs_.write(files_[kSlipHeaders], static_cast<uint64_t>(record) * kSlipHeaderSize, bytesOf(h));
    }

private:
    FileSystem& fs_;
    const FileSet& files_;
};

}  // namespace rk::test
