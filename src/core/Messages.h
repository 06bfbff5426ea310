#pragma once
// The program's own texts.

namespace kelvora::core::messages {

inline constexpr const char* kTitle = "Kelvora";
inline constexpr const char* kCaption = "  Kelvora";
inline constexpr const char* kLoadFailedCaption = "****フォームの初期処理エラー****";
inline constexpr const char* kMinutesOutOfRange = "分の設定は1～999です。";
inline constexpr const char* kSecondsOutOfRange = "秒の設定は1～999です。";
inline constexpr const char* kNoSetting = "分：秒の設定をしてください。";
inline constexpr const char* kTotalOutOfRange = "分・秒の設定は1～999です。";
inline constexpr const char* kSettingFileTitle = "設定ファイル読込み";
inline constexpr const char* kMinutesTip = "1～999分を設定";
inline constexpr const char* kSecondsTip = "1～999秒を設定";

}  // namespace kelvora::core::messages
