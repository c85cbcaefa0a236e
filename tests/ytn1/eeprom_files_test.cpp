#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/ui/modal.h"
#include "tests/support/test_support.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

namespace {

class EepromFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = mirt_test::MakeTempDir("eep");
    ytn1::PromptRecords().clear();
  }
  static std::vector<WORD> Words(size_t n) {
    std::vector<WORD> w(n);
    for (size_t i = 0; i < n; ++i) w[i] = WORD(0x1000 * (i % 16) + i);
    return w;
  }
  std::string dir;
};

TEST_F(EepromFilesTest, SavedFileLoadsBackForEachGeometry) {
  for (WORD count : {1, 16, 32, 64, 100}) {
    std::vector<WORD> words = Words(count), back(count, 0);
    char path[MAX_PATH] = {};
    ytn1::PushFileAnswer(dir + "/m" + std::to_string(count) + ".eep");
    ASSERT_EQ(SaveEepromValues(count, words.data(), "[0040]", "", path), 0);
    std::string text = mirt_test::ReadFile(path);
    EXPECT_EQ(text.substr(0, 14), "[0040]\r\n" + std::string(count > 0 ? "0000\r\n" : ""));
    EXPECT_EQ(text.size(), 8u + 6u * count);
    ytn1::PushFileAnswer(path);
    ASSERT_EQ(LoadEepromValues(count, back.data(), "[0040]", "", path), 0);
    EXPECT_EQ(back, words);
  }
}

// Without a queued answer a person names the file in the layer's file
// dialog: a save dialog for Save, an open dialog for Load, Cancel as 1.
TEST_F(EepromFilesTest, ThePersonsFileDialogNamesTheFile) {
  constexpr WORD kCancelled = 1;
  const std::string file = dir + "/person.eep";
  std::vector<std::string> kinds;
  bool cancel = false;
  plat::SetCommonDialogHandler([&](const std::string& kind, const std::string&) {
    kinds.push_back(kind);
    return cancel ? plat::CommonDialogAnswer{} : plat::CommonDialogAnswer{true, {file}};
  });
  std::vector<WORD> words = Words(4), back(4, 0);
  char path[MAX_PATH] = {};
  EXPECT_EQ(SaveEepromValues(4, words.data(), "[0040]", "", path), 0);
  EXPECT_EQ(std::string(path), file);
  EXPECT_EQ(LoadEepromValues(4, back.data(), "[0040]", "", path), 0);
  EXPECT_EQ(back, words);
  cancel = true;
  EXPECT_EQ(SaveEepromValues(4, words.data(), "[0040]", "", path), kCancelled);
  EXPECT_EQ(LoadEepromValues(4, back.data(), "[0040]", "", path), kCancelled);
  plat::SetCommonDialogHandler(nullptr);
  EXPECT_EQ(kinds, (std::vector<std::string>{"save", "open", "save", "open"}));
}

TEST_F(EepromFilesTest, SaveReplacesOnlyTheFileNameExtension) {
  std::string folder = mirt_test::MakeTempDir("v1.2");
  struct Case {
    std::string chosen, saved;
  };
  const Case cases[] = {
      {folder + "/values.old.txt", folder + "/values.eep"},
      {folder + "/values", folder + "/values.eep"},
      {folder + "/.hidden", folder + "/.hidden.eep"},
      {folder + "\\plain.eep", folder + "\\plain.eep"},
  };
  WORD w = 0xABCD;
  for (const Case& c : cases) {
    char path[MAX_PATH] = {};
    ytn1::PushFileAnswer(c.chosen);
    ASSERT_EQ(SaveEepromValues(1, &w, "[00CD]", "", path), 0) << c.chosen;
    EXPECT_EQ(std::string(path), c.saved);
    std::string host = c.saved;
    for (char& ch : host)
      if (ch == '\\') ch = '/';
    EXPECT_EQ(mirt_test::ReadFile(host), "[00CD]\r\nABCD\r\n");
  }
}

TEST_F(EepromFilesTest, LoadResultsLeaveWordsUntouchedOnEveryFailure) {
  struct Case {
    const char* name;
    std::string content;
    WORD result;
  };
  const Case cases[] = {
      {"lf", "[0041]\n0001\n0002\n0003\n", 0},
      {"crlf", "[0041]\r\n0001\r\n0002\r\n0003\r\n", 0},
      {"noend", "[0041]\r\n0001\r\n0002\r\n0003", 0},
      {"header", "[0042]\r\n0001\r\n0002\r\n0003\r\n", 3},
      {"caseheader", "[0041]x\r\n0001\r\n0002\r\n0003\r\n", 3},
      {"short", "[0041]\r\n0001\r\n0002\r\n", 4},
      {"long", "[0041]\r\n0001\r\n0002\r\n0003\r\n0004\r\n", 4},
      {"nothex", "[0041]\r\n0001\r\nZZ02\r\n0003\r\n", 5},
      {"toowide", "[0041]\r\n0001\r\n10002\r\n0003\r\n", 5},
      {"empty", "", 3},
  };
  for (const Case& c : cases) {
    std::string file = mirt_test::WriteFile(dir + "/" + c.name + ".eep", c.content);
    std::vector<WORD> words = {7, 7, 7};
    char path[MAX_PATH] = {};
    ytn1::PushFileAnswer(file);
    EXPECT_EQ(LoadEepromValues(3, words.data(), "[0041]", "", path), c.result) << c.name;
    const std::vector<WORD> expected =
        c.result == 0 ? std::vector<WORD>{1, 2, 3} : std::vector<WORD>{7, 7, 7};
    EXPECT_EQ(words, expected) << c.name;
  }
}

TEST_F(EepromFilesTest, CancelAndMissingFile) {
  WORD w = 5;
  char path[MAX_PATH] = "unchanged";
  ytn1::PushFileAnswer("");
  EXPECT_EQ(SaveEepromValues(1, &w, "h", "", path), 1);
  ytn1::PushFileAnswer("");
  EXPECT_EQ(LoadEepromValues(1, &w, "h", "", path), 1);
  EXPECT_STREQ(path, "unchanged");
  plat::ClearMessageBoxRecords();
  ytn1::PushFileAnswer(dir + "/none.eep");
  EXPECT_EQ(LoadEepromValues(1, &w, "h", "", path), 2);
  ytn1::PushFileAnswer(dir + "/no/such/folder/x.eep");
  EXPECT_EQ(SaveEepromValues(1, &w, "h", "", path), 2);
  std::vector<std::string> texts;
  for (auto& r : plat::MessageBoxRecords()) texts.push_back(r.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"File could not be opened!", "File could not created!"}));
  EXPECT_EQ(w, 5);
}

}  // namespace
