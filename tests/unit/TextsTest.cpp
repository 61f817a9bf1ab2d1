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
}

}  // namespace
}  // namespace korvane::test
