#include "editor/combo_tables.h"

namespace zet {

// The values are MB_OK, MB_OKCANCEL, MB_RETRYCANCEL, MB_YESNO, MB_YESNOCANCEL and
// MB_ABORTRETRYIGNORE; ｷｬﾝｾﾙ is half-width on purpose.
const ComboRow ButtonSetTable[kButtonSetCount] = {
    {0, "OK"},
    {1, "OK / ｷｬﾝｾﾙ"},
    {5, "再試行 / ｷｬﾝｾﾙ"},
    {4, "はい / いいえ"},
    {3, "はい / いいえ / ｷｬﾝｾﾙ"},
    {2, "中止 / 再試行 / 無視"},
};

// No icon, MB_ICONINFORMATION, MB_ICONEXCLAMATION and MB_ICONHAND; there is no
// question-mark entry. ｉ and ！ are full-width, × is the multiplication sign.
const ComboRow IconTable[kIconCount] = {
    {0, "なし"},
    {0x40, "ｉアイコン"},
    {0x30, "！アイコン"},
    {0x10, "×アイコン"},
};

}  // namespace zet
