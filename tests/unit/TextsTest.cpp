// The program's Japanese texts are the code page 932 bytes of what they say.
#include <gtest/gtest.h>

#include "app/Texts.h"
#include "support/Support.h"

namespace korvane::test {
namespace {

TEST(Texts, AreCodePage932) {
  EXPECT_EQ(kDefaultGroupName, Sjis("デフォルト"));
  EXPECT_EQ(kSaveFailedMessage, Sjis("メモリを保存できませんでした。Dataフォルダを確認してください："));
  EXPECT_EQ(kSettingsSaveFailedMessage, Sjis("設定を保存できませんでした："));
  EXPECT_EQ(kHintCopy, Sjis("コピー"));
  EXPECT_EQ(kHintPaste, Sjis("貼り付け"));
  EXPECT_EQ(kHintCut, Sjis("切り取り"));
  EXPECT_EQ(kHintUndo, Sjis("元に戻す"));
  EXPECT_EQ(kHintRedo, Sjis("やり直す"));
  EXPECT_EQ(kHintAllErase, Sjis("UnLockメモリ全消去"));
  EXPECT_EQ(kNoHotKey, Sjis("なし"));
  EXPECT_EQ(kShortcutRowLabel, Sjis("メモリ"));
  EXPECT_EQ(kShortcutsIncompleteMessage, Sjis("すべてのショートカットキーが設定されていません"));
  EXPECT_EQ(kGroupNameTakenMessage, Sjis("同じ名前のグループが登録済みです"));
  EXPECT_EQ(kGroupNameEmptyMessage, Sjis("グループ名が未入力です"));
  EXPECT_EQ(kGroupNameCharactersMessage, Sjis("グループ名に使用できない文字が含まれています"));
  EXPECT_EQ(kGroupNameReservedMessage, Sjis("この名前はグループ名に使用できません"));
}

}  // namespace
}  // namespace korvane::test
