#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/core/environment_list.h"
#include "app/core/keyvalue_file.h"
#include "tests/app_core/core_test_util.h"
#include "tests/support/test_support.h"

namespace {

using core_test::Boxes;
using core_test::CrLf;

const std::vector<std::string> kEnvA = {"ENVIRON=A", "SETTINGS=a.dll", "BASEMAKEFILE=a.mak",
                                        "DEFAULTPROJECT=a.kpt"};
const std::vector<std::string> kEnvB = {"ENVIRON=B", "DEFAULTPROJECT=b.kpt", "SETTINGS=gnuopt.dll",
                                        "BASEMAKEFILE="};

std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

class EnvironmentListTest : public testing::Test {
 protected:
  void SetUp() override { core_test::ClearBoxes(); }

  // Reads the bytes as "mirt.cfg"; the exit code when it ended the process.
  bool Read(const std::string& bytes, int* code = nullptr) {
    std::string path = core_test::NewFile("mirt.cfg", bytes);
    return core_test::EndsProcess([&] { list.ReadConfigFile(path.c_str()); }, code);
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (POSITION pos = list.GetHeadPosition(); pos;) names.push_back(list.GetNext(pos).name);
    return names;
  }

  core_test::ExitTrap trap;
  CEnvironmentList list;
};

TEST_F(EnvironmentListTest, ReadsEnvironmentsInFileOrder) {
  ASSERT_FALSE(Read(CrLf(Join({{"VERSION=MIRT-CFG0"}, kEnvA, {"OTHER=x"}, kEnvB}))));
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
  CEnviron b;
  ASSERT_TRUE(list.FindEnvironment("B", b));
  EXPECT_STREQ(b.settings, "gnuopt.dll");
  EXPECT_STREQ(b.baseMakefile, "");  // an empty value counts as given
  EXPECT_STREQ(b.defaultProject, "b.kpt");
  EXPECT_TRUE(core_test::ShownBoxes().empty());
}

TEST_F(EnvironmentListTest, AcceptsLineFeedLinesAndNoVersion) {
  std::string text;
  for (auto& line : kEnvA) text += line + "\n";
  ASSERT_FALSE(Read(text));
  EXPECT_EQ(Names(), std::vector<std::string>{"A"});
}

TEST_F(EnvironmentListTest, FindsTheFirstOfTwoNamesExactly) {
  std::vector<std::string> second = kEnvA;
  second[1] = "SETTINGS=second.dll";
  ASSERT_FALSE(Read(CrLf(Join({kEnvA, second}))));
  CEnviron env;
  ASSERT_TRUE(list.FindEnvironment("A", env));
  EXPECT_STREQ(env.settings, "a.dll");

  CEnviron untouched;
  untouched.name = env.name;
  EXPECT_FALSE(list.FindEnvironment("a", untouched));
  EXPECT_FALSE(list.FindEnvironment(nullptr, untouched));
  EXPECT_EQ(untouched.name, env.name);
  EXPECT_EQ(untouched.settings, nullptr);
}

TEST_F(EnvironmentListTest, LaterKeyReplacesAndStrayKeysAreDropped) {
  ASSERT_FALSE(Read(CrLf(Join({{"SETTINGS=stray.dll"}, kEnvA, {"SETTINGS=again.dll"}}))));
  CEnviron env;
  ASSERT_TRUE(list.FindEnvironment("A", env));
  EXPECT_STREQ(env.settings, "again.dll");
  EXPECT_EQ(list.GetCount(), 1);
}

TEST_F(EnvironmentListTest, WrongVersionAfterEnvironmentsKeepsThem) {
  ASSERT_FALSE(Read(CrLf(Join({kEnvA, kEnvB, {"VERSION=MIRT-CFG9"}, {"ENVIRON=C"}}))));
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(core_test::ShownBoxes(), (Boxes{{"Error", "cfg file has wrong version"}}));
}

TEST_F(EnvironmentListTest, LinesOverTheOldLimitAreRead) {
  const std::string kLongName(3000, 'N');
  std::vector<std::string> longEnv = kEnvA;
  longEnv[0] = "ENVIRON=" + kLongName;
  ASSERT_FALSE(Read(CrLf(Join({kEnvA, {std::string(3000, 'K') + "=1"}, longEnv, kEnvB}))));
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", kLongName, "B"}));
}

struct BadFile {
  const char* name;
  std::string bytes;
  Boxes boxes;
};

class BadConfigTest : public EnvironmentListTest, public testing::WithParamInterface<BadFile> {};

constexpr size_t kTenMegabytes = size_t(10) << 20;

const Boxes kNoEnvironment = {
    {"MIRT: fatal error in mirt.cfg", "not even one environment specified in mirt.cfg"}};

TEST_P(BadConfigTest, ShowsTheMessagesAndEndsWithMinusOne) {
  int code = 0;
  ASSERT_TRUE(Read(GetParam().bytes, &code));
  EXPECT_EQ(code, -1);
  EXPECT_EQ(core_test::ShownBoxes(), GetParam().boxes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadConfigTest,
    testing::Values(
        BadFile{"Empty", "", kNoEnvironment},
        BadFile{"OnlyVersion", CrLf({"VERSION=MIRT-CFG0"}), kNoEnvironment},
        BadFile{"WrongMagic",
                CrLf(Join({{"VERSION=MIRT-KPJ0"}, kEnvA})),
                {{"Error", "cfg file has wrong version"},
                 {"MIRT: fatal error in mirt.cfg", "not even one environment specified in mirt.cfg"}}},
        BadFile{"IncompleteBeforeNext",
                CrLf(Join({{"ENVIRON=Half", "SETTINGS=x.dll", "DEFAULTPROJECT=x.kpt"}, kEnvA})),
                {{"Error in mirt.cfg", "Environment Half was not completely specified"}}},
        BadFile{"IncompleteLast",
                CrLf(Join({kEnvA, {"ENVIRON=Last", "SETTINGS=x.dll", "BASEMAKEFILE=x.mak"}})),
                {{"Error in mirt.cfg", "Environment Last was not completely specified"}}},
        BadFile{"IncompleteBeforeWrongVersion",
                CrLf(Join({{"ENVIRON=Cut", "SETTINGS=x.dll"}, {"VERSION=0"}})),
                {{"Error", "cfg file has wrong version"},
                 {"Error in mirt.cfg", "Environment Cut was not completely specified"}}},
        BadFile{"TruncatedLine",
                "VERSION=MIRT-CFG0\r\nENVIRON=T\r\nSETTINGS=t.dll\r\nBASEMAKEFILE=t.mak\r\nDEFAULTPRO",
                {{"Error in mirt.cfg", "Environment T was not completely specified"}}},
        BadFile{"OverlongKeyFirst",
                CrLf(Join({{std::string(kKeyValueMaxLength + 1, 'K') + "=1"}, kEnvA})),
                {{"MIRT: fatal error in mirt.cfg", "a line of mirt.cfg is too long"}}},
        BadFile{"TenMegabyteFirstLine",
                std::string(kTenMegabytes, 'x'),
                {{"MIRT: fatal error in mirt.cfg", "a line of mirt.cfg is too long"}}},
        BadFile{"OverlongLineAfterAnEnvironment",
                CrLf(Join({kEnvA, {"ENVIRON=" + std::string(kKeyValueMaxLength + 1, 'N')}})),
                {{"MIRT: fatal error in mirt.cfg", "a line of mirt.cfg is too long"}}},
        BadFile{"BinaryGarbage",
                core_test::Bytes("\x7f"
                                 "ELF\x02\x01\x01\0\0\0\r\xff=\xfe\n\x90\x90"),
                {{"MIRT: fatal error in mirt.cfg", "mirt.cfg is not a text file"}}}),
    [](const testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST_F(EnvironmentListTest, MissingFileEndsWithMinusOne) {
  int code = 0;
  std::string path = core_test::NewFile("other", "") + ".missing";
  ASSERT_TRUE(core_test::EndsProcess([&] { list.ReadConfigFile(path.c_str()); }, &code));
  EXPECT_EQ(code, -1);
  EXPECT_EQ(core_test::ShownBoxes(), (Boxes{{"MIRT: fatal error", "the file mirt.cfg could not be found"}}));
}

TEST_F(EnvironmentListTest, AFolderOfThatNameIsNoFile) {
  int code = 0;
  std::string path = mirt_test::MakeTempDir("cfgdir") + "/mirt.cfg";
  std::filesystem::create_directory(path);
  ASSERT_TRUE(core_test::EndsProcess([&] { list.ReadConfigFile(path.c_str()); }, &code));
  EXPECT_EQ(code, -1);
  EXPECT_EQ(core_test::ShownBoxes(), (Boxes{{"MIRT: fatal error", "mirt.cfg is a folder, not a file"}}));
}

}  // namespace
