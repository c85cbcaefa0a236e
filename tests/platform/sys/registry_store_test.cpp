// The registry's files: the text format, damaged files, failed writes,
// the serial ports key, concurrent use.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/sys/reg_file_format.h"
#include "platform/sys/registry.h"
#include "tests/platform/sys/sys_test_util.h"
#include "tests/support/file_size_limit.h"

namespace {

using plat::regfile::Parse;

std::string Query(HKEY root, const char* path, const char* name) {
  HKEY k;
  if (RegOpenKeyEx(root, path, 0, KEY_READ, &k) != ERROR_SUCCESS) return "<no key>";
  char buf[256] = {};
  DWORD size = sizeof buf;
  LONG rc = RegQueryValueEx(k, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size);
  RegCloseKey(k);
  return rc == ERROR_SUCCESS ? std::string(buf) : "<no value>";
}

TEST(RegFileFormat, ReadsContinuedHexAndAllLineEnds) {
  std::string text =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\n\"B\"=hex:01,02,\\\r\n  03\r@=\"d\"\n"
      "\"Dw\" = dword:ff\n; comment\n[HKEY_CURRENT_USER\\A\\C]\r\n\"M\"=hex(7):61,00,00\n";
  auto r = Parse(text);
  EXPECT_TRUE(r.errors.empty()) << r.errors[0];
  ASSERT_EQ(2u, r.keys.size());
  ASSERT_EQ(3u, r.keys[0].values.size());
  EXPECT_EQ(std::string("\1\2\3"), r.keys[0].values[0].data);
  EXPECT_EQ("", r.keys[0].values[1].name);
  EXPECT_EQ(std::string("\xff\0\0\0", 4), r.keys[0].values[2].data);
  EXPECT_EQ(7u, r.keys[1].values[0].type);
}

TEST(RegFileFormat, BadLinesAreReportedAndSkipped) {
  struct Case {
    const char* line;
  } cases[] = {
      {"\"unterminated=\"x\""},
      {"\"a\"=dword:123456789"},
      {"\"a\"=hex:0g"},
      {"\"a\"=hex(zz):00"},
      {"\"a\"=\"text\" trailing"},
      {"garbage"},
      {"\"a\"=unknown:1"},
      {"[unclosed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    auto r = Parse(std::string("REGEDIT4\n[K]\n\"ok1\"=dword:1\n") + c.line + "\n[K2]\n\"ok2\"=\"x\"\n");
    EXPECT_EQ(1u, r.errors.size());
    EXPECT_NE(std::string::npos, r.errors.at(0).find("line 4"));
    ASSERT_FALSE(r.keys.empty());
    EXPECT_EQ("ok1", r.keys.front().values.at(0).name);
    EXPECT_EQ("ok2", r.keys.back().values.at(0).name);
  }
}

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { dir = sys_test::FreshSettings("store"); }
  std::string dir;
};

TEST_F(RegistryStoreTest, DamagedFileKeepsTheRestAndABackup) {
  std::string file = dir + "/HKEY_CURRENT_USER.reg";
  std::string damaged =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Good]\r\n\"a\"=\"1\"\r\n\"b\"=dword:zz\r\n"
      "\x01\x02 binary junk\r\n[HKEY_LOCAL_MACHINE\\Wrong]\r\n\"w\"=\"x\"\r\n"
      "[HKEY_CURRENT_USER\\Good\\Later]\r\n\"c\"=\"3\"\r\n";
  mirt_test::WriteFile(file, damaged);
  plat::ReloadRegistry();
  testing::internal::CaptureStderr();
  EXPECT_EQ("1", Query(HKEY_CURRENT_USER, "Good", "a"));
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(std::string::npos, err.find("damaged"));
  EXPECT_NE(std::string::npos, err.find("line 5"));
  EXPECT_EQ("3", Query(HKEY_CURRENT_USER, "Good\\Later", "c"));
  EXPECT_EQ("<no value>", Query(HKEY_CURRENT_USER, "Good", "b"));
  EXPECT_EQ(damaged, mirt_test::ReadFile(file + ".bad"));
  // A later write keeps every readable key.
  ASSERT_EQ(ERROR_SUCCESS, RegSetValue(HKEY_CURRENT_USER, "New", REG_SZ, "n", 0));
  plat::ReloadRegistry();
  EXPECT_EQ("3", Query(HKEY_CURRENT_USER, "Good\\Later", "c"));
  EXPECT_EQ("n", Query(HKEY_CURRENT_USER, "New", ""));
}

TEST_F(RegistryStoreTest, FailedWriteLeavesTheOldFileWhole) {
  ASSERT_EQ(ERROR_SUCCESS, RegSetValue(HKEY_CURRENT_USER, "Kept", REG_SZ, "old", 0));
  std::string file = dir + "/HKEY_CURRENT_USER.reg";
  std::string before = mirt_test::ReadFile(file);
  {
    // (Standard error is not captured here: the limit would cut it too.)
    mirt_test::FileSizeLimit limit(before.size() + 10);
    RegSetValue(HKEY_CURRENT_USER, "Kept", REG_SZ, std::string(100, 'n').c_str(), 0);
    EXPECT_NE(ERROR_SUCCESS, RegFlushKey(HKEY_CURRENT_USER));
  }
  EXPECT_EQ(before, mirt_test::ReadFile(file));
  EXPECT_EQ(ERROR_SUCCESS, RegFlushKey(HKEY_CURRENT_USER));  // still pending, written now
  plat::ReloadRegistry();
  EXPECT_EQ(std::string(100, 'n'), Query(HKEY_CURRENT_USER, "Kept", ""));
}

TEST_F(RegistryStoreTest, SerialPortsAndPortMapping) {
  std::string dev = mirt_test::MakeTempDir("dev");
  for (const char* n : {"ttyS0", "ttyS1", "ttyUSB0", "ttyACM2", "ttySX", "tty0", "console"})
    mirt_test::WriteFile(dev + "/" + n, "");
  plat::RefreshSerialCommKey(dev);
  const char* key = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
  EXPECT_EQ("COM1", Query(HKEY_LOCAL_MACHINE, key, "\\Device\\Serial0"));
  EXPECT_EQ("COM2", Query(HKEY_LOCAL_MACHINE, key, "\\Device\\Serial1"));
  EXPECT_EQ("COM3", Query(HKEY_LOCAL_MACHINE, key, "\\Device\\USBSER000"));
  EXPECT_EQ("COM4", Query(HKEY_LOCAL_MACHINE, key, "\\Device\\USBACM002"));
  HKEY k;
  RegOpenKeyEx(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &k);
  DWORD values = 0;
  RegQueryInfoKey(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                  nullptr);
  RegCloseKey(k);
  EXPECT_EQ(4u, values);

  EXPECT_EQ("/dev/ttyUSB0", plat::ComPortDevicePath("COM3"));
  EXPECT_EQ("/dev/ttyS1", plat::ComPortDevicePath("\\\\.\\com2"));
  EXPECT_EQ("", plat::ComPortDevicePath("COM9"));
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\mirt2\\Ports", 0, nullptr, 0,
                                          KEY_ALL_ACCESS, nullptr, &k, nullptr));
  const char pty[] = "/dev/pts/7";
  RegSetValueEx(k, "COM3", 0, REG_SZ, reinterpret_cast<const BYTE*>(pty), sizeof pty);
  RegCloseKey(k);
  EXPECT_EQ("/dev/pts/7", plat::ComPortDevicePath("COM3"));
  // The hardware key is never written to the file.
  EXPECT_EQ(std::string::npos, mirt_test::ReadFile(dir + "/HKEY_LOCAL_MACHINE.reg").find("SERIALCOMM"));
}

TEST_F(RegistryStoreTest, ConcurrentWritersLoseNothing) {
  plat::RegistryWriteBatch batch;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([t] {
      for (int i = 0; i < 50; ++i) {
        std::string path = "Threads\\T" + std::to_string(t);
        std::string value = std::to_string(i);
        RegSetValue(HKEY_CURRENT_USER, path.c_str(), REG_SZ, value.c_str(), 0);
        HKEY k;
        RegCreateKey(HKEY_CURRENT_USER, path.c_str(), &k);
        DWORD n = static_cast<DWORD>(i);
        RegSetValueEx(k, ("v" + value).c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&n), 4);
        RegCloseKey(k);
      }
    });
  for (auto& th : threads) th.join();
  for (int t = 0; t < 4; ++t) {
    HKEY k;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyEx(HKEY_CURRENT_USER, ("Threads\\T" + std::to_string(t)).c_str(), 0, KEY_READ, &k));
    DWORD values = 0;
    RegQueryInfoKey(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                    nullptr, nullptr);
    EXPECT_EQ(51u, values);
    RegCloseKey(k);
  }
}

// Several processes writing values of their own into one hive at once
// lose none of them, whether each write goes to the file at once or a
// batch writes them together at its end.
TEST_F(RegistryStoreTest, ConcurrentProcessesLoseNoValue) {
  constexpr int kProcesses = 3;
  constexpr int kValuesEach = 60;
  enum class Writes { EachAtOnce, Batched };
  for (Writes writes : {Writes::EachAtOnce, Writes::Batched}) {
    SCOPED_TRACE(writes == Writes::Batched ? "batched" : "each at once");
    sys_test::FreshSettings("regproc");
    std::vector<int> codes = sys_test::RunTogether(kProcesses, [&](int p) {
      plat::ReloadRegistry();
      std::optional<plat::RegistryWriteBatch> batch;
      if (writes == Writes::Batched) batch.emplace();
      HKEY k;
      if (RegCreateKey(HKEY_CURRENT_USER, "Software\\Shared", &k) != ERROR_SUCCESS) return 1;
      for (int i = 0; i < kValuesEach; ++i) {
        std::string name = "p" + std::to_string(p) + "v" + std::to_string(i);
        DWORD n = static_cast<DWORD>(i);
        if (RegSetValueEx(k, name.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&n), sizeof n)) return 2;
      }
      RegCloseKey(k);
      batch.reset();
      return plat::FlushRegistry() ? 0 : 3;
    });
    EXPECT_EQ(std::vector<int>(kProcesses, 0), codes);
    plat::ReloadRegistry();
    HKEY k;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Shared", 0, KEY_READ, &k));
    DWORD values = 0;
    RegQueryInfoKey(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                    nullptr, nullptr);
    EXPECT_EQ(DWORD(kProcesses * kValuesEach), values);
    RegCloseKey(k);
  }
}

// What another process changed meanwhile is merged with this process's own
// changes, value by value; deletions on either side stay deleted.
TEST_F(RegistryStoreTest, WritesMergeWithWhatAnotherProcessChanged) {
  auto set = [](const char* key, const char* name, const char* text) {
    HKEY k;
    RegCreateKey(HKEY_CURRENT_USER, key, &k);
    LONG rc = RegSetValueEx(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), DWORD(strlen(text) + 1));
    RegCloseKey(k);
    return rc;
  };
  ASSERT_EQ(ERROR_SUCCESS, set("S", "mine", "1"));
  ASSERT_EQ(ERROR_SUCCESS, set("S", "theirs", "1"));
  ASSERT_EQ(ERROR_SUCCESS, set("S", "gone", "1"));
  ASSERT_EQ(ERROR_SUCCESS, set("Old", "x", "1"));
  ASSERT_EQ(0, sys_test::RunInChild(dir, [&] {
              plat::ReloadRegistry();
              HKEY k;
              RegOpenKeyEx(HKEY_CURRENT_USER, "S", 0, KEY_ALL_ACCESS, &k);
              LONG rc = RegDeleteValue(k, "gone");
              RegCloseKey(k);
              rc = rc ? rc : set("S", "theirs", "2");
              rc = rc ? rc : set("Theirs", "t", "1");
              rc = rc ? rc : RegDeleteKey(HKEY_CURRENT_USER, "Old");
              return int(rc);
            }));
  // This process has not seen those changes and writes its own.
  plat::RegistryWriteBatch* batch = new plat::RegistryWriteBatch;
  HKEY k;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "S", 0, KEY_ALL_ACCESS, &k));
  const char two[] = "2";
  ASSERT_EQ(ERROR_SUCCESS,
            RegSetValueEx(k, "mine", 0, REG_SZ, reinterpret_cast<const BYTE*>(two), sizeof two));
  ASSERT_EQ(ERROR_SUCCESS,
            RegSetValueEx(k, "new", 0, REG_SZ, reinterpret_cast<const BYTE*>(two), sizeof two));
  RegCloseKey(k);
  delete batch;
  plat::ReloadRegistry();
  struct Expect {
    const char *key, *name, *value;
  } expected[] = {
      {"S", "mine", "2"},          {"S", "new", "2"},    {"S", "theirs", "2"},
      {"S", "gone", "<no value>"}, {"Theirs", "t", "1"}, {"Old", "x", "<no key>"},
  };
  for (const Expect& e : expected)
    EXPECT_EQ(e.value, Query(HKEY_CURRENT_USER, e.key, e.name)) << e.key << "/" << e.name;
}

// A hive that can not be written gives the Windows error of the write; the
// change stays in memory and reaches the file once it can be written.
TEST_F(RegistryStoreTest, UnwritableHiveReportsTheErrorAndKeepsTheChange) {
  std::string file = dir + "/HKEY_CURRENT_USER.reg";
  const char text[] = "kept";
  ASSERT_EQ(ERROR_SUCCESS, RegSetValue(HKEY_CURRENT_USER, "Before", REG_SZ, "b", 0));
  HKEY pending;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKey(HKEY_CURRENT_USER, "Pending", &pending));
  auto setValue = [&] {
    return RegSetValueEx(pending, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
  };
  // The hive's path is a folder.
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  testing::internal::CaptureStderr();
  EXPECT_EQ(ERROR_ACCESS_DENIED, setValue());
  EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("HKEY_CURRENT_USER.reg"));
  EXPECT_EQ("kept", Query(HKEY_CURRENT_USER, "Pending", "v"));
  std::filesystem::remove(file);
  EXPECT_EQ(ERROR_SUCCESS, RegFlushKey(HKEY_CURRENT_USER));
  RegCloseKey(pending);
  plat::ReloadRegistry();
  EXPECT_EQ("kept", Query(HKEY_CURRENT_USER, "Pending", "v"));
  EXPECT_EQ("b", Query(HKEY_CURRENT_USER, "Before", ""));
}

// The same for a read-only settings folder, as a user without root's rights.
TEST_F(RegistryStoreTest, ReadOnlySettingsFolderRefusesWrites) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to become another user";
  chmod(dir.c_str(), 0555);
  int code = sys_test::RunAsNobody(dir, [] {
    setenv("MIRT_CONFIG_DIR", ".", 1);
    plat::ReloadRegistry();
    freopen("/dev/null", "w", stderr);
    return int(RegSetValue(HKEY_CURRENT_USER, "Key", REG_SZ, "v", 0));
  });
  chmod(dir.c_str(), 0755);
  EXPECT_EQ(int(ERROR_ACCESS_DENIED), code);
}

}  // namespace
