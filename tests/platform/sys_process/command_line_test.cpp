#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/sys/process.h"
#include "tests/support/test_support.h"

namespace {

struct SplitCase {
  const char* line;
  std::vector<std::string> words;
};

TEST(SplitCommandLine, SplitsAsTheWindowsRunTime) {
  const SplitCase cases[] = {
      {"make", {"make"}},
      {"  make   -f  x.mak ", {"make", "-f", "x.mak"}},
      {"\"c:\\my tools\\make.exe\" all", {"c:\\my tools\\make.exe", "all"}},
      {"c:\\tools\\bin\\make rebuild", {"c:\\tools\\bin\\make", "rebuild"}},
      {"p \"a b\" c", {"p", "a b", "c"}},
      {"p a\\\\b", {"p", "a\\\\b"}},
      {"p a\\\"b", {"p", "a\"b"}},
      {"p a\\\\\"b c\"", {"p", "a\\b c"}},
      {"p \"x\"\"y\"", {"p", "x\"y"}},
      {"p \"\"", {"p", ""}},
      {"pc -M a.pas > out", {"pc", "-M", "a.pas", ">", "out"}},
      {"\t", {}},
  };
  for (const SplitCase& c : cases) EXPECT_EQ(plat::SplitCommandLine(c.line), c.words) << c.line;
}

TEST(FindProgram, SearchesThePathAndDropsExe) {
  std::string a = mirt_test::MakeTempDir("a"), b = mirt_test::MakeTempDir("b");
  std::string tool = mirt_test::WriteFile(b + "/tool", "#!/bin/sh\n");
  chmod(tool.c_str(), 0755);
  mirt_test::WriteFile(a + "/tool", "not executable");
  std::string path = a + ":" + b;
  EXPECT_EQ(plat::FindProgram("tool", path), tool);
  EXPECT_EQ(plat::FindProgram("tool.exe", path), tool);
  EXPECT_EQ(plat::FindProgram("TOOL", path), "");
  EXPECT_EQ(plat::FindProgram("missing", path), "");
  std::string winPath = b;
  for (char& ch : winPath) ch = ch == '/' ? '\\' : ch;
  EXPECT_EQ(plat::FindProgram(winPath + "\\tool.exe", ""), tool);
}

}  // namespace
