#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/core/keyvalue_file.h"
#include "platform/sys/file.h"
#include "tests/support/test_support.h"

namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

std::string TempFile(const std::string& bytes) {
  return mirt_test::WriteFile(mirt_test::MakeTempDir("kv") + "/f.txt", bytes);
}

// Every line the reader gives, and the result that ended the reading.
Lines ReadAll(const std::string& bytes, KeyValueRead* end = nullptr) {
  HANDLE file = CreateFile(TempFile(bytes).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE);
  Lines lines;
  char* key = nullptr;
  char* value = nullptr;
  KeyValueRead r;
  while ((r = ReadKeyValueLine(file, &key, &value)) == kKeyValueLine) {
    lines.emplace_back(key, value);
    free(key);
    free(value);
    key = value = nullptr;
  }
  if (end) *end = r;
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(value, nullptr);
  CloseHandle(file);
  return lines;
}

struct ReadCase {
  const char* name;
  std::string bytes;
  Lines lines;
  KeyValueRead end = kKeyValueEnd;
};

class ReadKeyValueLineTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadKeyValueLineTest, ReadsTheLines) {
  KeyValueRead end = kKeyValueLine;
  EXPECT_EQ(ReadAll(GetParam().bytes, &end), GetParam().lines);
  EXPECT_EQ(end, GetParam().end);
}

// Lines of the lengths that older files were limited to, and beyond.
const std::string k2047(2047, 'k');
const std::string k2048(2048, 'k');
const std::string kLongest(kKeyValueMaxLength, 'k');
const std::string kTooLong(kKeyValueMaxLength + 1, 'k');

INSTANTIATE_TEST_SUITE_P(
    Files, ReadKeyValueLineTest,
    testing::Values(
        ReadCase{"FirstEqualSeparates", "A=B=C\r\n", {{"A", "B=C"}}},
        ReadCase{"NoEqualIsEmptyKey", "ABC\r", {{"", "ABC"}}},
        ReadCase{"EmptyValue", "KEY=\r\n", {{"KEY", ""}}},
        ReadCase{"EmptyLine", "\r\nA=1\r\n", {{"", ""}, {"A", "1"}}},
        ReadCase{"NothingTrimmed", " a = b \r\n", {{" a ", " b "}}},
        ReadCase{"CarriageReturnAlone", "A=1\rB=2\r", {{"A", "1"}, {"B", "2"}}},
        ReadCase{"LineFeedAlone", "A=1\nB=2\n", {{"A", "1"}, {"B", "2"}}},
        ReadCase{"MixedLineEnds", "A=1\r\nB=2\nC=3\r", {{"A", "1"}, {"B", "2"}, {"C", "3"}}},
        ReadCase{"BlankLineFeedLinesSkipped", "\n\nA=1\n\n", {{"A", "1"}}},
        ReadCase{"LastLineCutOff", "A=1\r\nB=2", {{"A", "1"}, {"B", "2"}}},
        ReadCase{"CutOffWithoutEqual", "A=1\r\nBB", {{"A", "1"}, {"", "BB"}}}, ReadCase{"EmptyFile", "", {}},
        ReadCase{"OldLongestKeyAndValue", k2047 + "=" + k2047 + "\r\n", {{k2047, k2047}}},
        ReadCase{"KeyOverOldLimit", "A=1\r\n" + k2048 + "=v\r\n", {{"A", "1"}, {k2048, "v"}}},
        ReadCase{"LongestKeyAndValue", kLongest + "=" + kLongest + "\r\n", {{kLongest, kLongest}}},
        ReadCase{"KeyTooLong", "A=1\r\n" + kTooLong + "=v\r\nB=2\r\n", {{"A", "1"}}, kKeyValueTooLong},
        ReadCase{"ValueTooLong", "A=" + kTooLong + "\r\nB=2\r\n", {}, kKeyValueTooLong},
        ReadCase{"LineWithoutEqualTooLong", kTooLong + "\r\n", {}, kKeyValueTooLong},
        ReadCase{"NulInAValue", std::string("A=1\r\nL=a.c \0b.c\r\n", 15), {{"A", "1"}}, kKeyValueNulByte},
        ReadCase{"BinaryBytes", "\x01=\xff\x80\r\n", {{"\x01", "\xff\x80"}}}),
    [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

std::string WrittenBy(void (*write)(HANDLE)) {
  std::string path = mirt_test::MakeTempDir("kvw") + "/out.txt";
  HANDLE file =
      CreateFile(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE);
  write(file);
  CloseHandle(file);
  return mirt_test::ReadFile(path);
}

TEST(ReadKeyValueLine, TakesNoMoreOfTheFileThanItsLine) {
  constexpr auto kText = "A=1\r\nREST OF THE FILE";
  HANDLE file = CreateFile(TempFile(kText).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  HeapText key, value;
  ASSERT_EQ(ReadKeyValueLine(file, key, value), kKeyValueLine);
  char rest[64] = {};
  DWORD got = 0;
  ASSERT_TRUE(ReadFile(file, rest, sizeof rest - 1, &got, nullptr));
  EXPECT_STREQ(rest, "\nREST OF THE FILE");
  CloseHandle(file);
}

TEST(ReadKeyValueLine, AHandleThatCannotReadIsAFailedRead) {
  std::string path = TempFile("A=1\r\n");
  HANDLE file =
      CreateFile(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char* key = nullptr;
  char* value = nullptr;
  EXPECT_EQ(ReadKeyValueLine(file, &key, &value), kKeyValueReadFailed);
  EXPECT_EQ(key, nullptr);
  CloseHandle(file);
}

TEST(WriteKeyValueLine, WritesLinesWithCrLfAndSkipsNullValues) {
  std::string bytes = WrittenBy([](HANDLE f) {
    EXPECT_TRUE(WriteKeyValueLine(f, "CC", ""));
    EXPECT_TRUE(WriteKeyValueLine(f, "EXE", nullptr));
    EXPECT_TRUE(WriteKeyValueLine(f, "A", "b=c"));
    EXPECT_TRUE(WriteKeyNumberLine(f, "N", -5));
    EXPECT_TRUE(WriteKeyNumberLine(f, "M", 65535));
  });
  EXPECT_EQ(bytes, "CC=\r\nA=b=c\r\nN=-5\r\nM=65535\r\n");
}

TEST(WriteKeyValueLine, ReportsAFailedWrite) {
  std::string path = TempFile("x");
  HANDLE file = CreateFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_FALSE(WriteKeyValueLine(file, "A", "1"));
  CloseHandle(file);
}

TEST(AppendKeyValueLine, FormatsLikeTheFileWriter) {
  std::string text;
  AppendKeyValueLine(text, "CC", "");
  AppendKeyValueLine(text, "EXE", nullptr);
  AppendKeyValueLine(text, "A", "b=c");
  AppendKeyNumberLine(text, "N", -5);
  EXPECT_EQ(text, "CC=\r\nA=b=c\r\nN=-5\r\n");
}

TEST(KeyValueFile, TextReadableOnlyWithinTheLimit) {
  struct {
    std::string text;
    bool readable;
  } cases[] = {
      {"K=" + kLongest + "\r\n", true},  {kLongest + "=" + kLongest + "\r\n", true},
      {"K=" + kTooLong + "\r\n", false}, {"K=" + kLongest + "=x\r\n", false},  // only the first "=" separates
      {kTooLong + "\r\n", false},
  };
  for (auto& c : cases) EXPECT_EQ(KeyValueTextReadable(c.text), c.readable) << c.text.size();
}

TEST(KeyValueFile, WrittenLinesReadBack) {
  Lines lines = {{"VERSION", "MIRT-KPJ0"}, {"SOURCEFILES", "a.c b.c "}, {"", "x"}, {"K", "=v="}};
  std::string text;
  for (auto& [k, v] : lines) AppendKeyValueLine(text, k.c_str(), v.c_str());
  EXPECT_EQ(ReadAll(text), lines);
}

}  // namespace
