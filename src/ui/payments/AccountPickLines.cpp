#include "ui/payments/AccountPickLines.h"

#include "base/cp932.h"
#include "masters/account_items.h"
#include "masters/master_io.h"

namespace rk::ui {

QStringList accountPickLines(AppContext& ctx) {
    const auto items = masters::readAccountItems(ctx.files, ctx.fileSet[kAccounts]);
    QStringList lines;
    for (int code = 100; code <= masters::kLastAccountCode; ++code) {
        const size_t i = static_cast<size_t>(code - 100);
        const std::string name = code == kProfitAccountCode ? masters::kProfitAccountName
                                 : i < items.size()         ? cp932::toUtf8(items[i].name, masters::kAccountNameLimit)
                                                            : std::string();
        lines << QString("%1  %2").arg(code, 4).arg(QString::fromStdString(name));
    }
    return lines;
}

}  // namespace rk::ui
