#include "app/posting_rows.h"

namespace rk::posting {

std::string_view caption(int row, Edition e) {
    const bool sales = e != Edition::Purchase;
    switch (row) {
        case kSlipRow:
            return sales ? "売　上　科　目" : "仕　入　科　目";
        case kTaxRow:
            return "消 費 税 科 目";
        case kCommissionRow:  // also kFeeRow
            return sales ? "販売・送金手数料" : "仕入時収益・手数料";
        case kPaymentRow:
            return sales ? "入　金　科　目" : "　出　金　科目";
        default:
            return {};
    }
}

}  // namespace rk::posting
