// CFile, CStdioFile and CFileException.
#include <gtest/gtest.h>

#include <string>

#include "platform/sys/cfile.h"
#include "tests/support/test_support.h"

namespace {

TEST(CFileTest, OpenReportsTheCauseWithoutThrowing) {
  std::string dir = mirt_test::MakeTempDir("cfile");
  struct Case {
    std::string name;
    UINT flags;
    int cause;
  } cases[] = {
      {dir + "/missing.txt", CFile::modeRead, CFileException::fileNotFound},
      {dir + "/no/such/x.txt", CFile::modeCreate | CFile::modeWrite, CFileException::badPath},
      {dir, CFile::modeRead, CFileException::accessDenied},
  };
  for (const Case& c : cases) {
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(c.name.c_str(), c.flags, &e));
    EXPECT_EQ(c.cause, e.m_cause) << c.name;
    EXPECT_EQ(CFile::hFileNull, f.m_hFile);
    char text[256];
    EXPECT_TRUE(e.GetErrorMessage(text, sizeof text));
    EXPECT_NE(std::string::npos, std::string(text).find(c.name));
  }
  try {
    CFile f((dir + "/missing.txt").c_str(), CFile::modeRead);
    FAIL();
  } catch (CFileException* e) {
    EXPECT_EQ(CFileException::fileNotFound, e->m_cause);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, e->m_lOsError);
    e->Delete();
  }
}

TEST(CFileTest, ReadWriteSeekLength) {
  std::string path = mirt_test::MakeTempDir("cfile") + "/data.bin";
  CFile f;
  ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary));
  EXPECT_EQ("data.bin", std::string(f.GetFileName()));
  EXPECT_EQ("data", std::string(f.GetFileTitle()));
  EXPECT_EQ(path, std::string(f.GetFilePath()));
  f.Write("abcdefgh", 8);
  EXPECT_EQ(8u, f.GetLength());
  EXPECT_EQ(8u, f.GetPosition());
  f.SeekToBegin();
  char buf[8];
  EXPECT_EQ(3u, f.Read(buf, 3));
  EXPECT_EQ("abc", std::string(buf, 3));
  EXPECT_EQ(6, f.Seek(-2, CFile::end));
  EXPECT_EQ(2u, f.Read(buf, 8));
  f.SetLength(4);
  EXPECT_EQ(4u, f.SeekToEnd());
  try {
    f.Seek(-10, CFile::begin);
    FAIL();
  } catch (CFileException* e) {
    EXPECT_EQ(CFileException::badSeek, e->m_cause);
    e->Delete();
  }
  f.Close();
  EXPECT_EQ("abcd", mirt_test::ReadFile(path));

  // modeNoTruncate keeps the content; shareExclusive keeps others out.
  CFile keep(path.c_str(),
             CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite | CFile::shareExclusive);
  EXPECT_EQ(4u, keep.GetLength());
  CFile other;
  CFileException e;
  EXPECT_FALSE(other.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone, &e));
  EXPECT_EQ(CFileException::sharingViolation, e.m_cause);
}

TEST(CFileTest, WriteFailureThrows) {
  std::string path = mirt_test::MakeTempDir("cfile") + "/ro.txt";
  mirt_test::WriteFile(path, "x");
  CFile f(path.c_str(), CFile::modeRead);
  try {
    f.Write("y", 1);
    FAIL();
  } catch (CFileException* e) {
    EXPECT_EQ(CFileException::accessDenied, e->m_cause);
    e->Delete();
  }
}

TEST(CStdioFileTest, LinesInTextMode) {
  std::string path = mirt_test::MakeTempDir("stdio") + "/t.txt";
  {
    CStdioFile out(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    out.WriteString("one\ntwo\n");
    out.WriteString("three");
  }
  EXPECT_EQ("one\r\ntwo\r\nthree", mirt_test::ReadFile(path));
  mirt_test::WriteFile(path, "a\r\nbb\nlast");
  CStdioFile in(path.c_str(), CFile::modeRead);
  CString line;
  std::vector<std::string> lines;
  while (in.ReadString(line)) lines.push_back(std::string(line));
  EXPECT_EQ((std::vector<std::string>{"a", "bb", "last"}), lines);
  in.SeekToBegin();
  char buf[3];
  EXPECT_STREQ("a\n", in.ReadString(buf, sizeof buf));
  EXPECT_STREQ("bb", in.ReadString(buf, sizeof buf));  // cut to the buffer
  EXPECT_EQ(5u, in.GetPosition());
  EXPECT_STREQ("\n", in.ReadString(buf, sizeof buf));
  EXPECT_STREQ("la", in.ReadString(buf, sizeof buf));
  EXPECT_STREQ("st", in.ReadString(buf, sizeof buf));
  EXPECT_EQ(nullptr, in.ReadString(buf, sizeof buf));
}

}  // namespace
