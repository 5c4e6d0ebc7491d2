// The account item pick list that F12 opens in an account column: items 100..599 as
// "%4d  " + name, a typed number naming the code.
#pragma once

#include <QRect>
#include <QStringList>
#include <functional>
#include <optional>

#include "app/app_context.h"

class QWidget;

namespace rk::ui {

class CMojiList;

QStringList accountPickLines(AppContext& ctx);

// Opens the list over `parent` at `where` with `current` preselected (when it is an item code)
// under list id `listId`. Once a choice ends the list is gone and `done` gets the chosen code,
// or nothing when the operator left with Esc.
CMojiList* openAccountPickList(AppContext& ctx, QWidget* parent, int listId, int current, QRect where,
                               std::function<void(std::optional<int> code)> done);

}  // namespace rk::ui
