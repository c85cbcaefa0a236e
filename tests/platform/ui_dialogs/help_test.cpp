// Help calls find their page in the help folder beside the program and
// fail for missing files and topics.
#include <gtest/gtest.h>

#include <string>

#include "../ui/ui_test_support.h"
#include "platform/sys/file.h"
#include "platform/ui/help.h"
#include "platform/ui/modal.h"
#include "tests/support/test_support.h"

namespace {

TEST(Help, TopicsOfAHelpFolder) {
  ui_test::EnsureApp();
  std::string dir = mirt_test::MakeTempDir("help");
  std::string folder = dir + "/ytn32.chm";
  CreateDirectory(folder.c_str(), nullptr);
  mirt_test::WriteFile(folder + "/index.htm", "<p>start</p>");
  mirt_test::WriteFile(folder + "/ytn32_help_memory.htm", "<p>memory</p>");
  std::string chm = folder;  // the name as written by callers
  struct Case {
    std::string file;
    const char* topic;
    std::string page;  // "" : fails
  };
  const Case cases[] = {
      {chm, "ytn32_help_memory.htm", folder + "/ytn32_help_memory.htm"},
      {chm, nullptr, folder + "/index.htm"},
      {chm + "::/ytn32_help_memory.htm", nullptr, folder + "/ytn32_help_memory.htm"},
      {chm, "missing.htm", ""},
      {chm, "../secret.htm", ""},
      {dir + "/nothere.chm", nullptr, ""},
  };
  for (const Case& c : cases) {
    plat::ClearModalRecords();
    HWND h = HtmlHelp(nullptr, c.file.c_str(), HH_DISPLAY_TOPIC, reinterpret_cast<DWORD_PTR>(c.topic));
    EXPECT_EQ(h != nullptr, !c.page.empty()) << c.file << " " << (c.topic ? c.topic : "");
    EXPECT_EQ(mirt_ui::ResolveHelpPage(c.file.c_str(), c.topic), c.page);
    if (h) {
      char text[512];
      GetWindowText(h, text, sizeof text);
      EXPECT_EQ(std::string(text), c.page);
    }
    ASSERT_EQ(plat::ModalRecords().size(), 1u);
    EXPECT_EQ(plat::ModalRecords()[0].kind, "help");
  }
  EXPECT_TRUE(WinHelp(nullptr, chm.c_str(), HELP_CONTENTS, 0));
}

}  // namespace
