// Texts of the connection's buttons, messages and panel, by their number
// in the interface text table.
#pragma once

#include "catalogue/catalogue_tables.h"

namespace word {
inline constexpr NamePair kConfiguration{u"接続図", u"Configuration"};         // 24
inline constexpr NamePair kUutUnconnected{u"測定器未接続", u"UUT Unconnected"};  // 25
inline constexpr NamePair kMonitor{u"モニタ開始", u"Monitor"};          // 19
inline constexpr NamePair kStopMonitor{u"モニタ停止", u"Stop Monitor"};  // 20
inline constexpr NamePair kFirmwareNotSupported{   // 181, both %s: the oldest supported version
    u"本体ソフトのバージョンが対応していません。\n\nこのプログラムは、Ver %s 以上が有効です。\nVer %s "
    u"以上にバージョンアップしてから実行してください。    ",
    u"Version of the DMM firmware is not compatible.\n\nThis program is valid for more than or equal to Ver "
    u"%s.\nPlease execute application after the upgrade."};
inline constexpr NamePair kCannotSend{u"通信エラー。コマンド送信できません！\n\n測定を停止します。",  // 185
                                      u"Communication Error. Can not send command!\n\nThe monitor is stopped."};
inline constexpr NamePair kNoResponse{u"通信エラー。応答がありません！\n\n測定を停止します。",  // 186
                                      u"Communication Error. No response!\n\nThe monitor is stopped."};
inline constexpr NamePair kBufferOver{u"通信エラー。バッファオーバー。", u"Communication Error. Buffer over."};  // 188
}  // namespace word
