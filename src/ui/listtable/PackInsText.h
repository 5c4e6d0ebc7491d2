// Texts the three views of the list-table entry share.
#pragma once

#include <QString>
#include <QStringList>
#include <cmath>

#include "base/format.h"

namespace rk::ui::packins {

// A number as the table shows it: blank for 0, decimals only where there are any.
inline QString number(double v) {
    if (v == 0) return {};
    const int decimals = std::fabs(v - std::trunc(v)) < 1e-9 ? 0 : 2;
    return QString::fromStdString(fmt::decimal(v, 0, decimals)).trimmed();
}

inline QStringList methodChoices() {
    return {"1.競り売", "2.注文売", "3.卸り売", "4.小売り", "5.－－－", "6.－－－", "7.－－－", "8.－－－", "9.－－－"};
}

inline QStringList packingChoices() { return {"0.　　", "1.箱　", "2.ﾌﾗｺﾝ", "3.ﾄﾚｰ "}; }

inline QString methodName(int method) {
    const QStringList names = methodChoices();
    return method >= 1 && method <= 9 ? names[method - 1].mid(2) : QString();
}

}  // namespace rk::ui::packins
