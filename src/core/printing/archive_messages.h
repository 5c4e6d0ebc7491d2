// Texts of the archive of issued documents.
#pragma once

namespace rk::printing::msg {

inline constexpr const char* kArchiveFailed =
    "印刷した書類を発行文書フォルダに保存できませんでした\n%s\n\n保存できなかった書類はもう一度印刷してください";

}  // namespace rk::printing::msg
