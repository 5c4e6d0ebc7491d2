// Texts of the shared input controls.
#pragma once

namespace rk::msg {

inline constexpr const char* kEntryBadMode = "データ入力 Edit のモード違反です";

}  // namespace rk::msg
