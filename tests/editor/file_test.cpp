#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/editor/edit_test_util.h"
#include "platform/sys/atomic_file.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"
#include "tests/support/test_support.h"

using edit_test::Lines;
using edit_test::Text;
using V = std::vector<std::string>;

namespace {

std::string Fixture(const std::string& name, const std::string& bytes) {
  return mirt_test::WriteFile(mirt_test::MakeTempDir("load") + "/" + name, bytes);
}

}  // namespace

TEST(LoadFile, KeepsTheFilesOwnLineEnds) {
  const struct {
    const char* bytes;
    int type;
    V lines;
  } cases[] = {
      {"a\nb\n", LINEEND_LF, {"a\n", "b\n"}},
      {"a\r\nb", LINEEND_CRLF, {"a\r\n", "b"}},
      {"a\rb\r", LINEEND_CR, {"a\r", "b\r"}},
      {"a\n\rb\n\r", LINEEND_LFCR, {"a\n\r", "b\n\r"}},
  };
  for (const auto& c : cases) {
    std::string path = Fixture("f.c", c.bytes);
    EditBuffer buffer;
    ASSERT_EQ(buffer.LoadFile(path.c_str()), 0) << c.bytes;
    EXPECT_EQ(buffer.m_nLineEndType, c.type);
    EXPECT_EQ(Lines(buffer), c.lines);
    EXPECT_EQ(buffer.m_nLineCount, (int)c.lines.size());
    ASSERT_EQ(buffer.SaveFile(path.c_str()), 0);
    EXPECT_EQ(mirt_test::ReadFile(path), c.bytes);
  }
}

TEST(LoadFile, EmptyFileGivesOneEmptyLine) {
  std::string path = Fixture("empty.c", "");
  EditBuffer buffer;
  ASSERT_EQ(buffer.LoadFile(path.c_str()), 0);
  EXPECT_EQ(Lines(buffer), V{""});
  EXPECT_EQ(buffer.m_nLineCount, 1);
}

TEST(LoadFile, BadContentFailsAndLeavesOneEmptyLine) {
  std::string tail(kReadChunk + 10, 'x');
  for (int i = 100; i < (int)tail.size(); i += 100) tail[i] = '\n';
  std::string lateNul = tail;
  lateNul[kReadChunk + 5] = '\0';
  const struct {
    std::string bytes;
    int result;
  } cases[] = {
      {std::string("ab\0cd\n", 6), EDIT_NULLS_IN_FILE},
      {lateNul, EDIT_CANT_READ},
      {std::string(20000, 'q'), EDIT_LINE_TOO_LONG},
  };
  for (const auto& c : cases) {
    std::string path = Fixture("bad.c", c.bytes);
    EditBuffer buffer;
    EXPECT_EQ(buffer.LoadFile(path.c_str()), c.result);
    EXPECT_EQ(Lines(buffer), V{""});
  }
}

TEST(LoadFile, MissingFileReturnsTheSystemError) {
  EditBuffer buffer;
  EXPECT_EQ(buffer.LoadFile("/nonexistent-dir/none.c"), (int)ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(Lines(buffer), V{""});
}

TEST(LoadFile, OnlyTheFinalCtrlZIsDropped) {
  // A ^Z ending a full chunk in the middle of the file is text.
  std::string bytes(kReadChunk - 1, 'a');
  bytes[50] = '\n';
  bytes += '\x1a';
  bytes += "rest\n\x1a";
  std::string path = Fixture("z.c", bytes);
  EditBuffer buffer;
  ASSERT_EQ(buffer.LoadFile(path.c_str()), 0);
  EXPECT_EQ(Text(buffer), bytes.substr(0, bytes.size() - 1));
  ASSERT_EQ(buffer.SaveFile(path.c_str()), 0);
  EXPECT_EQ(mirt_test::ReadFile(path), bytes.substr(0, bytes.size() - 1));
}

TEST(LoadFile, ALineEndCutByAChunkBoundaryIsOneLineEnd) {
  std::string bytes;
  while (bytes.size() + 200 < (size_t)kReadChunk) bytes += std::string(98, 'b') + "\r\n";
  bytes.resize(kReadChunk - 1, 'c');
  bytes += "\r\nnext\r\n";  // CR is the chunk's last byte, LF the next one's first
  std::string path = Fixture("cut.c", bytes);
  EditBuffer buffer;
  ASSERT_EQ(buffer.LoadFile(path.c_str()), 0);
  V lines = Lines(buffer);
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2].substr(lines[lines.size() - 2].size() - 4), "cc\r\n");
  EXPECT_EQ(lines.back(), "next\r\n");
  EXPECT_EQ(Text(buffer), bytes);
}

TEST(LoadFile, LongLinesAreCutAndSavedBackUnchanged) {
  std::string bytes = "int x;\r\n" + std::string(20000, 'w') + "\r\nend\r\n";
  std::string path = Fixture("long.c", bytes);
  EditBuffer buffer;
  ASSERT_EQ(buffer.LoadFile(path.c_str()), 0);
  V lines = Lines(buffer);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].size(), 16382u);
  ASSERT_EQ(buffer.SaveFile(path.c_str()), 0);
  EXPECT_EQ(mirt_test::ReadFile(path), bytes);
}

TEST(LoadFile, TheWrapMessageIsShownOncePerLoad) {
  std::string line(17000, 'k');
  std::string path = Fixture("two.c", line + "\n" + line + "\n");
  plat::ClearMessageBoxRecords();
  EditBuffer buffer;
  ASSERT_EQ(buffer.LoadFile(path.c_str()), 0);
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(
      boxes[0].text,
      "This file contains lines longer than the 16384 character maximum.\r\nThe lines will be wrapped.");
  EXPECT_EQ(Lines(buffer).size(), 4u);
}

TEST(LoadFile, ALongLineAcrossChunksIsCutToo) {
  std::string bytes = "a\n" + std::string(3 * kReadChunk, 'm') + "\n";
  std::string path = Fixture("huge.c", bytes);
  EditBuffer buffer;
  ASSERT_EQ(buffer.LoadFile(path.c_str()), 0);
  for (const std::string& line : Lines(buffer)) EXPECT_LE(line.size(), 16384u);
  EXPECT_EQ(Text(buffer), bytes);
}

TEST(FileAccess, ReadOnlyFileLoadsReadOnlyAndRefusesSaving) {
  std::string path = Fixture("ro.c", "x\n");
  ASSERT_TRUE(SetFileAttributes(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EditBuffer buffer;
  ASSERT_EQ(buffer.LoadFile(path.c_str()), 0);
  EXPECT_TRUE(buffer.IsReadOnly());
  EXPECT_EQ(buffer.SaveFile(path.c_str()), EDIT_READ_ONLY);
}

TEST(FileAccess, FailedSaveKeepsTheOldFileAndTheModifiedFlag) {
  std::string dir = mirt_test::MakeTempDir("save");
  std::string path = mirt_test::WriteFile(dir + "/keep.c", "old text\n");
  EditBuffer buffer;
  ASSERT_EQ(buffer.LoadFile(path.c_str()), 0);
  edit_test::SetText(buffer, "new text\n");
  buffer.SetModified(TRUE);
  // Saving into a folder that is gone fails and reports it.
  EXPECT_NE(buffer.SaveFile((dir + "/gone/keep.c").c_str()), 0);
  EXPECT_TRUE(buffer.IsModified());
  EXPECT_EQ(mirt_test::ReadFile(path), "old text\n");
  ASSERT_EQ(buffer.SaveFile(path.c_str()), 0);
  EXPECT_FALSE(buffer.IsModified());
  EXPECT_EQ(mirt_test::ReadFile(path), "new text\n");
}

TEST(FileAccess, LockFilesKeepsTheFileOpenAfterLoadAndSave) {
  std::string path = Fixture("lock.c", "x\n");
  EditBuffer buffer;
  buffer.SetLockFiles(TRUE);
  ASSERT_EQ(buffer.LoadFile(path.c_str()), 0);
  EXPECT_NE(buffer.m_hLockFile, nullptr);
  // Held shared for reading: another writer of this process is refused.
  HANDLE writer = CreateFile(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  ASSERT_EQ(buffer.SaveFile(path.c_str()), 0);
  EXPECT_NE(buffer.m_hLockFile, nullptr);
  buffer.SetLockFiles(FALSE);
  ASSERT_EQ(buffer.LoadFile(path.c_str()), 0);
  EXPECT_EQ(buffer.m_hLockFile, nullptr);
}

// With "Lock files" on, the lock really holds while the file is open:
// another program's save (the layer's atomic save) is refused.
TEST(FileAccess, LockFilesKeepsOtherProgramsFromReplacingTheFile) {
  std::string path = Fixture("held.c", "mine\n");
  auto otherProgramSaves = [&] {
    pid_t child = fork();
    if (child == 0) _exit(plat::ReplaceFileAtomically(path, "theirs\n") ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  };
  EditBuffer buffer;
  buffer.SetLockFiles(TRUE);
  ASSERT_EQ(buffer.LoadFile(path.c_str()), 0);
  EXPECT_FALSE(otherProgramSaves());
  ASSERT_EQ(buffer.SaveFile(path.c_str()), 0);
  EXPECT_FALSE(otherProgramSaves());  // held again after the save
  EXPECT_EQ(mirt_test::ReadFile(path), "mine\n");
  buffer.SetLockFiles(FALSE);
  ASSERT_EQ(buffer.LoadFile(path.c_str()), 0);
  EXPECT_TRUE(otherProgramSaves());
}

// A file another program changed since it was loaded or saved is not
// overwritten without asking.
TEST(FileAccess, SaveAsksBeforeOverwritingAnotherProgramsChange) {
  constexpr auto kTheirs = "changed by another program\n";
  const struct {
    const char* what;
    bool changed;
    int answer;  // 0: no question expected
    int result;
    const char* content;
  } cases[] = {
      {"unchanged", false, 0, 0, "mine\n"},
      {"changed, keep theirs", true, IDNO, ERROR_CANCELLED, kTheirs},
      {"changed, overwrite", true, IDYES, 0, "mine\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string path = Fixture("shared.c", "old\n");
    EditBuffer buffer;
    ASSERT_EQ(buffer.LoadFile(path.c_str()), 0);
    edit_test::SetText(buffer, "mine\n");
    if (c.changed) mirt_test::WriteFile(path, kTheirs);
    plat::ClearMessageBoxRecords();
    if (c.answer) plat::PushMessageBoxAnswer(c.answer);
    EXPECT_EQ(buffer.SaveFile(path.c_str()), c.result);
    EXPECT_EQ(plat::MessageBoxRecords().size(), c.answer ? 1u : 0u);
    EXPECT_EQ(mirt_test::ReadFile(path), c.content);
  }
}

TEST(InsertFile, LinesGoInFrontOfTheLineWithThisBuffersLineEnds) {
  std::string path = Fixture("part.c", "p1\r\np2");
  EditBuffer buffer;
  edit_test::SetText(buffer, "a\nb\n");
  EditPos at = edit_test::At(buffer, 2, 1);
  ASSERT_EQ(buffer.InsertFile(at, path.c_str(), TRUE), 0);
  EXPECT_EQ(Lines(buffer), (V{"a\n", "p1\n", "p2\n", "b\n"}));
  EXPECT_EQ(at.line, buffer.GetLine(2));
  EXPECT_EQ(at.offset, 0);
  EXPECT_EQ(buffer.m_nLineCount, 4);
  EXPECT_TRUE(buffer.IsModified());
  ASSERT_TRUE(buffer.Undo());
  EXPECT_EQ(Lines(buffer), (V{"a\n", "b\n"}));
  ASSERT_TRUE(buffer.Redo());
  EXPECT_EQ(Lines(buffer), (V{"a\n", "p1\n", "p2\n", "b\n"}));
}

TEST(InsertFile, AtTheFirstLineTheInsertedLinesBecomeTheHead) {
  std::string path = Fixture("head.c", "h\n");
  EditBuffer buffer;
  edit_test::SetText(buffer, "a\n");
  EditPos at = edit_test::At(buffer, 1, 0);
  ASSERT_EQ(buffer.InsertFile(at, path.c_str(), FALSE), 0);
  EXPECT_EQ(Lines(buffer), (V{"h\n", "a\n"}));
  EXPECT_EQ(buffer.GetLine(1)->lineNumber, 1);
  EXPECT_EQ(buffer.GetLine(2)->lineNumber, 2);
}
