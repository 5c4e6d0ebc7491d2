// The lines of the account item pick list that F12 opens in an account column: items
// 100..599 as "%4d  " + name.
#pragma once

#include <QStringList>

#include "app/app_context.h"

namespace rk::ui {

QStringList accountPickLines(AppContext& ctx);

}  // namespace rk::ui
