#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "debugger/gdb_output.h"
#include "tests/support/test_support.h"

namespace {

using Kind = GdbAnswerKind;

// Each event as one text: "<what> <payload>".
class GdbRecordingWatcher : public GdbOutputWatcher {
 public:
  void OnCallStackText(const char* text) override { events.push_back(std::string("frame ") + text); }
  void OnProgramExited(const char* line) override { events.push_back(std::string("exit ") + line); }
  void OnStopLocation(const char* file, int line) override {
    events.push_back(std::string("stop ") + file + ":" + std::to_string(line));
  }
  void OnWatchValue(const char* type, const char* value) override {
    events.push_back(std::string("value ") + type + " | " + value);
  }
  void OnOutputText(const char* line) override { events.push_back(std::string("out ") + line); }

  // The events other than Build pane lines.
  std::vector<std::string> Debugging() const {
    std::vector<std::string> kept;
    for (const auto& e : events)
      if (e.rfind("out ", 0) != 0) kept.push_back(e);
    return kept;
  }
  std::vector<std::string> events;
};

// The commands of tests/data/gdb/session.txt, recorded from this
// machine's gdb, in the order they were written.
const Kind kSessionCommands[] = {Kind::kOther /* set annotate 1 */,
                                 Kind::kOther /* file */,
                                 Kind::kOther /* b add */,
                                 Kind::kOther /* r */,
                                 Kind::kType /* s */,
                                 Kind::kValue,
                                 Kind::kType /* nosuch */,
                                 Kind::kValue,
                                 Kind::kOther /* bt */,
                                 Kind::kOther /* finish */,
                                 Kind::kOther /* n */,
                                 Kind::kType /* p */,
                                 Kind::kValue,
                                 Kind::kType /* arr */,
                                 Kind::kValue,
                                 Kind::kType /* c */,
                                 Kind::kValue,
                                 Kind::kOther /* c */};

std::vector<std::string> ParseInPieces(const std::string& output, size_t piece) {
  GdbRecordingWatcher watcher;
  GdbOutputParser parser(watcher);
  for (Kind k : kSessionCommands) parser.ExpectAnswer(k);
  for (size_t at = 0; at < output.size(); at += piece)
    parser.Feed(output.data() + at, std::min(piece, output.size() - at));
  parser.Finish();
  return watcher.events;
}

TEST(GdbOutput, RecordedSessionGivesStopsFramesValuesAndTheEnd) {
  const std::string output = mirt_test::ReadFile(mirt_test::DataDir() + "/gdb/session.txt");
  ASSERT_FALSE(output.empty());
  GdbRecordingWatcher watcher;
  watcher.events = ParseInPieces(output, output.size());
  const std::vector<std::string> expected = {
      "stop \\tmp\\gdbt\\t.c:5",
      "value int | 0",
      "value  | <not defined>",
      "frame add (a=1, b=2) at t.c:5\r\n",
      "frame 0x0000555555555194 in main () at t.c:12\r\n",
      "stop \\tmp\\gdbt\\t.c:12",
      "stop \\tmp\\gdbt\\t.c:13",
      "value struct pt {int x;int y;} | {x = 1, y = 2}",
      "value int [3] | {4, 5, 6}",
      "value enum col {RED, GREEN} | GREEN",
      "exit [Inferior 1 (process 7715) exited normally]",
  };
  EXPECT_EQ(watcher.Debugging(), expected);
  // Build pane lines come without prompts.
  EXPECT_EQ(watcher.events.front(), "out Reading symbols from /tmp/gdbt/t...");
  for (const auto& e : watcher.events) EXPECT_EQ(e.find("(gdb)"), std::string::npos) << e;
}

TEST(GdbOutput, ReadsOfAnySizeGiveTheSameEvents) {
  const std::string output = mirt_test::ReadFile(mirt_test::DataDir() + "/gdb/session.txt");
  const auto whole = ParseInPieces(output, output.size());
  constexpr size_t kPieces[] = {1, 2, 7, 64, 4095};
  for (size_t piece : kPieces) EXPECT_EQ(ParseInPieces(output, piece), whole) << piece;
}

TEST(GdbOutput, AnErrorAnswerDoesNotShiftLaterValues) {
  // Watches: an unknown name, one whose value cannot be read, then a
  // known one; every "p" gets exactly its own answer.
  constexpr auto kOutput =
      "(gdb) No symbol \"x\" in current context.\n"
      "(gdb) No symbol \"x\" in current context.\n"
      "(gdb) type = int *\n"
      "(gdb) Cannot access memory at address 0x0\n"
      "(gdb) type = int\n"
      "(gdb) $1 = 5\n"
      "(gdb) ";
  GdbRecordingWatcher watcher;
  GdbOutputParser parser(watcher);
  for (int watch = 0; watch < 3; ++watch) {
    parser.ExpectAnswer(Kind::kType);
    parser.ExpectAnswer(Kind::kValue);
  }
  parser.Feed(kOutput, std::strlen(kOutput));
  const std::vector<std::string> expected = {"value  | <not defined>",
                                             "out Cannot access memory at address 0x0",
                                             "value  | <not defined>", "value int | 5"};
  EXPECT_EQ(watcher.events, expected);
}

TEST(GdbOutput, APromptWithoutLineEndCompletesTheAnswerAtOnce) {
  constexpr auto kFailedValue = "(gdb) No symbol \"q\" in current context.\n(gdb) ";
  constexpr auto kUnreadable = "Cannot access memory at address 0x8\n(gdb) ";
  GdbRecordingWatcher watcher;
  GdbOutputParser parser(watcher);
  parser.ExpectAnswer(Kind::kValue);
  parser.ExpectAnswer(Kind::kValue);
  parser.Feed(kFailedValue, std::strlen(kFailedValue));
  ASSERT_EQ(watcher.events.size(), 1u);
  parser.Feed(kUnreadable, std::strlen(kUnreadable));
  ASSERT_EQ(watcher.events.size(), 3u);
  EXPECT_EQ(watcher.events.back(), "value  | <not defined>");
}

TEST(GdbOutput, TextAfterTheLastLineEndWaitsForTheNextRead) {
  constexpr auto kFirst = "(gdb) $1 = {a = 1, b";
  constexpr auto kSecond = " = 2}\n";
  GdbRecordingWatcher watcher;
  GdbOutputParser parser(watcher);
  parser.ExpectAnswer(Kind::kValue);
  parser.Feed(kFirst, std::strlen(kFirst));
  EXPECT_TRUE(watcher.events.empty());
  parser.Feed(kSecond, std::strlen(kSecond));
  EXPECT_EQ(watcher.events, std::vector<std::string>{"value  | {a = 1, b = 2}"});
}

TEST(GdbOutput, ProgramEndsInEveryFormGdbWrites) {
  const char* ends[] = {"Program exited normally.", "Program exited with code 03.",
                        "[Inferior 1 (process 42) exited normally]",
                        "[Inferior 1 (process 42) exited with code 01]",
                        "Program terminated with signal SIGSEGV, Segmentation fault."};
  for (const char* end : ends) {
    GdbRecordingWatcher watcher;
    GdbOutputParser parser(watcher);
    std::string line = std::string(end) + "\n";
    parser.Feed(line.data(), line.size());
    EXPECT_EQ(watcher.events, std::vector<std::string>{std::string("exit ") + end});
  }
}

TEST(GdbOutput, AnnotationPathsBecomeDrivePaths) {
  struct Case {
    const char* text;
    const char* file;
    int line;
  };
  const Case cases[] = {{"//c/src/main.c:12:", "c:\\src\\main.c", 12},
                        {"//d/x/y.c:3:40:beg:0x1000", "d:\\x\\y.c", 3},
                        {"/tmp/a.c:9:1:beg:0x1", "\\tmp\\a.c", 9},
                        {"main.c:7", "main.c", 7},
                        {"nocolon", "nocolon", 0}};
  for (const Case& c : cases) {
    GdbLocation location = ParseGdbLocation(c.text);
    EXPECT_EQ(location.file, c.file) << c.text;
    EXPECT_EQ(location.line, c.line) << c.text;
  }
}

TEST(GdbOutput, AFrameLineKeepsItsTextAfterTheNumber) {
  constexpr auto kFrames = "#0  add (a=1) at t.c:5\n#10 0x1 in main () at t.c:12\n";
  GdbRecordingWatcher watcher;
  GdbOutputParser parser(watcher);
  parser.Feed(kFrames, std::strlen(kFrames));
  const std::vector<std::string> expected = {"frame add (a=1) at t.c:5\r\n",
                                             "frame 0x1 in main () at t.c:12\r\n"};
  EXPECT_EQ(watcher.events, expected);
}

}  // namespace
