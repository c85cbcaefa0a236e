#include <gtest/gtest.h>

#include <string>

#include "platform/sys/file.h"
#include "tests/support/test_support.h"
#include "ytn1/help_viewer.h"
#include "ytn1/prompt.h"
#include "ytn1/settings_state.h"
#include "ytn1/ytn1.h"

namespace {

TEST(HelpTest, PathFromProductFolderAndErrorWhenNotShown) {
  ytn1::LibraryStartup();
  ytn1::HelpRequests().clear();
  plat::ClearMessageBoxRecords();
  ShowHelpFile("ytn32.chm", "ytn32_help_memory.htm", 0);
  ASSERT_EQ(ytn1::HelpRequests().size(), 1u);
  EXPECT_EQ(ytn1::HelpRequests()[0].file, "\\\\help\\ytn32.chm");
  EXPECT_EQ(ytn1::HelpRequests()[0].topic, "ytn32_help_memory.htm");
  ASSERT_EQ(plat::MessageBoxRecords().size(), 1u);
  EXPECT_EQ(plat::MessageBoxRecords()[0].text, "Help File Error");

  std::string product = mirt_test::MakeTempDir("product");
  mirt_test::WriteFile(product + "/help/ytn32.chm", "chm");
  SetYtn32Path(product.c_str());
  plat::ClearMessageBoxRecords();
  EXPECT_EQ(ShowHelpFile("ytn32.chm", "", 0), 0);
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
  EXPECT_EQ(ytn1::HelpRequests().back().topic, "");
  SetYtn32Path("\\");
}

TEST(FolderTest, CopyAndRemoveOneLevel) {
  std::string src = mirt_test::MakeTempDir("src"), dst = mirt_test::MakeTempDir("dst");
  mirt_test::WriteFile(src + "/a.txt", "A");
  mirt_test::WriteFile(src + "/b.bin", "B");
  mirt_test::WriteFile(dst + "/a.txt", "old");
  CreateDirectory((src + "/sub").c_str(), nullptr);
  char before[300];
  GetCurrentDirectory(300, before);
  EXPECT_EQ(Ytn1CopyDirectory(src.c_str(), (dst + "\\").c_str()), 0);
  EXPECT_EQ(mirt_test::ReadFile(dst + "/a.txt"), "A");
  EXPECT_EQ(mirt_test::ReadFile(dst + "/b.bin"), "B");
  EXPECT_EQ(Ytn1CopyDirectory((src + "/missing").c_str(), dst.c_str()), 0);

  EXPECT_EQ(Ytn1RemoveDirectory(dst.c_str()), 0);
  EXPECT_EQ(GetFileAttributes(dst.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(Ytn1RemoveDirectory(src.c_str()), 0);  // a subfolder stays
  EXPECT_EQ(GetFileAttributes((src + "/a.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributes(src.c_str()), INVALID_FILE_ATTRIBUTES);
  char after[300];
  GetCurrentDirectory(300, after);
  EXPECT_STREQ(before, after);
}

}  // namespace
