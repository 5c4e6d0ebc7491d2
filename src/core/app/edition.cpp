#include "app/edition.h"

namespace rk {

const EditionInfo& info(Edition e) {
    static const EditionInfo kInfo[3] = {
        {'F', "fq7", " 販売 管理）ラクレナ Ver 7.0", "Fq7.DOC", "FWndPt.MST", "FANA", "FAZA", "販背景１.bmp", 0xC07FC0,
         "FMST.FT0", "FMST.Bak"},
        {'S', "sq7", " 仕入 管理）ラクレナ Ver 7.0", "SQ7.DOC", "SWndPt.MST", "SANA", "SAZA", "仕背景１.bmp", 0x7FB000,
         "SMST.FT0", "SMST.Bak"},
        {'Z', "zq7", " 財務 管理）ラクレナ Ver 7.0", "ZQ7.DOC", "ZWndPt.MST", "ZANA", "ZAZA", "", 0xFFFF4F, "ZMST.FT0",
         "ZMST.Bak"},
    };
    int i = number(e) - 1;
    return kInfo[(i >= 0 && i < 3) ? i : 0];
}

}  // namespace rk
