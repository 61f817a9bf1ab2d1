// Texts shown or written by the program, as code page 932 bytes. Each constant carries its
// text in a comment; the unit tests check the bytes against a conversion of that text.
#pragma once

namespace korvane {

// The default memory group, always the first of the group index.
// "デフォルト"
inline constexpr char kDefaultGroupName[] = "\x83\x66\x83t\x83H\x83\x8b\x83g";

// Shown once at shut-down when memory files could not be written; the folders follow.
// "メモリを保存できませんでした。Dataフォルダを確認してください："
inline constexpr char kSaveFailedMessage[] = "\x83\x81\x83\x82\x83\x8a\x82\xf0\x95\xdb\x91\xb6\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42\x44\x61ta\x83t\x83H\x83\x8b\x83_\x82\xf0\x8am\x94\x46\x82\xb5\x82\xc4\x82\xad\x82\xbe\x82\xb3\x82\xa2\x81\x46";

// Shown when the settings file or the group index could not be written; the file follows.
// "設定を保存できませんでした："
inline constexpr char kSettingsSaveFailedMessage[] = "\x90\xdd\x92\xe8\x82\xf0\x95\xdb\x91\xb6\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x46";

// Hints of the option buttons.
// "コピー"
inline constexpr char kHintCopy[] = "\x83R\x83s\x81[";
// "貼り付け"
inline constexpr char kHintPaste[] = "\x93\x5c\x82\xe8\x95t\x82\xaf";
// "切り取り"
inline constexpr char kHintCut[] = "\x90\xd8\x82\xe8\x8e\xe6\x82\xe8";
// "元に戻す"
inline constexpr char kHintUndo[] = "\x8c\xb3\x82\xc9\x96\xdf\x82\xb7";
// "やり直す"
inline constexpr char kHintRedo[] = "\x82\xe2\x82\xe8\x92\xbc\x82\xb7";
// "UnLockメモリ全消去"
inline constexpr char kHintAllErase[] = "UnLock\x83\x81\x83\x82\x83\x8a\x91S\x8f\xc1\x8b\x8e";

// The popup menu's items, in menu order.
// "メモリグループ"
inline constexpr char kMenuGroup[] = "\x83\x81\x83\x82\x83\x8a\x83O\x83\x8b\x81[\x83v";
// "Lockメモリのグループ化"
inline constexpr char kMenuMakeGroup[] = "Lock\x83\x81\x83\x82\x83\x8a\x82\xcc\x83O\x83\x8b\x81[\x83v\x89\xbb";
// "グループ項目の編集"
inline constexpr char kMenuGroupEdit[] = "\x83O\x83\x8b\x81[\x83v\x8d\x80\x96\xda\x82\xcc\x95\xd2\x8fW";
// "ウインドウ非表示"
inline constexpr char kMenuWindowHidden[] = "\x83\x45\x83\x43\x83\x93\x83h\x83\x45\x94\xf1\x95\x5c\x8e\xa6";
// "クリップボードの監視"
inline constexpr char kMenuWatchClipboard[] = "\x83N\x83\x8a\x83\x62\x83v\x83{\x81[\x83h\x82\xcc\x8a\xc4\x8e\x8b";
// "常に前面に表示"
inline constexpr char kMenuAlwaysOnTop[] = "\x8f\xed\x82\xc9\x91O\x96\xca\x82\xc9\x95\x5c\x8e\xa6";
// "設定"
inline constexpr char kMenuOptions[] = "\x90\xdd\x92\xe8";
// "ヘルプ"
inline constexpr char kMenuHelp[] = "\x83w\x83\x8b\x83v";
// "プログラムの終了"
inline constexpr char kMenuExit[] = "\x83v\x83\x8d\x83O\x83\x89\x83\x80\x82\xcc\x8fI\x97\xb9";

}  // namespace korvane
