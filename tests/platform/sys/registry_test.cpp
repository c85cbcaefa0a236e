// The Reg* functions: values of every type, result codes, enumeration,
// delete rules, hives.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/sys/registry.h"
#include "tests/platform/sys/sys_test_util.h"

namespace {

using sys_test::Bytes;

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { dir = sys_test::FreshSettings("reg"); }
  HKEY Create(HKEY parent, const char* path) {
    HKEY k = nullptr;
    EXPECT_EQ(ERROR_SUCCESS,
              RegCreateKeyEx(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr));
    return k;
  }
  std::string dir;
};

struct TypedValue {
  const char* name;
  DWORD type;
  std::string data;
};

const std::vector<TypedValue>& AllTypes() {
  static const std::vector<TypedValue> values = {
      {"Text", REG_SZ, Bytes("C:\\dir \"quoted\" = x\0")},
      {"Empty", REG_SZ, Bytes("\0")},
      {"Lines", REG_SZ, Bytes("one\r\ntwo\0")},
      {"Expand", REG_EXPAND_SZ, Bytes("%HOME%\\bin\0")},
      {"Number", REG_DWORD, Bytes("\x78\x56\x34\x12")},
      {"Binary", REG_BINARY, Bytes("\x00\xff\x10\x7f")},
      {"LongBinary", REG_BINARY, std::string(300, '\xab')},
      {"List", REG_MULTI_SZ, Bytes("a\0bc\0\0")},
      {"None", REG_NONE, std::string()},
      {"QWord", REG_QWORD, Bytes("\1\2\3\4\5\6\7\x8")},
      {"", REG_SZ, Bytes("default\0")},
      {"Na\"me\\ with\nbreak", REG_DWORD, Bytes("\1\0\0\0")},
  };
  return values;
}

void ExpectValue(HKEY key, const TypedValue& v) {
  SCOPED_TRACE(v.name);
  DWORD type = 0, size = 0;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueEx(key, v.name, nullptr, &type, nullptr, &size));
  EXPECT_EQ(v.type, type);
  ASSERT_EQ(v.data.size(), size);
  std::string got(size, '?');
  ASSERT_EQ(ERROR_SUCCESS,
            RegQueryValueEx(key, v.name, nullptr, &type, reinterpret_cast<BYTE*>(got.data()), &size));
  EXPECT_EQ(v.data, got);
}

TEST_F(RegistryTest, EveryValueTypeSurvivesTheFileRoundTrip) {
  HKEY k = Create(HKEY_CURRENT_USER, "Software\\Maker\\App");
  for (const auto& v : AllTypes())
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueEx(k, v.name, 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                                           static_cast<DWORD>(v.data.size())));
  RegCloseKey(k);
  std::string file = mirt_test::ReadFile(dir + "/HKEY_CURRENT_USER.reg");
  EXPECT_EQ(0u, file.find("REGEDIT4\r\n"));
  EXPECT_NE(std::string::npos, file.find("[HKEY_CURRENT_USER\\Software\\Maker\\App]"));
  EXPECT_NE(std::string::npos, file.find("\"Number\"=dword:12345678"));
  EXPECT_NE(std::string::npos, file.find("\"Expand\"=hex(2):"));
  EXPECT_NE(std::string::npos, file.find("\"List\"=hex(7):61,00,62,63,00,00"));

  plat::ReloadRegistry();
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "software\\MAKER\\app", 0, KEY_READ, &k));
  for (const auto& v : AllTypes()) ExpectValue(k, v);
  RegCloseKey(k);
}

TEST_F(RegistryTest, QueryResultCodes) {
  HKEY k = Create(HKEY_CURRENT_USER, "Q");
  const char text[] = "hello";
  RegSetValueEx(k, "S", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);

  char buf[16];
  DWORD size = 3, type = 0;
  EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueEx(k, "S", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size));
  EXPECT_EQ(sizeof text, size);
  EXPECT_EQ(REG_SZ, type);
  size = sizeof buf;
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            RegQueryValueEx(k, "Missing", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size));
  EXPECT_EQ(ERROR_INVALID_PARAMETER,
            RegQueryValueEx(k, "S", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), nullptr));

  HKEY missing = reinterpret_cast<HKEY>(1);
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyEx(HKEY_CURRENT_USER, "Q\\Nope", 0, KEY_READ, &missing));
  EXPECT_EQ(nullptr, missing);
  EXPECT_EQ(ERROR_INVALID_HANDLE,
            RegQueryValueEx(reinterpret_cast<HKEY>(0x1234), "S", nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(ERROR_BAD_PATHNAME, RegCreateKeyEx(HKEY_CURRENT_USER, "\\Lead", 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &missing, nullptr));

  // A key opened for reading refuses writes.
  HKEY ro;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, "Q", 0, KEY_READ, &ro));
  EXPECT_EQ(ERROR_ACCESS_DENIED,
            RegSetValueEx(ro, "S", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text));
  RegCloseKey(ro);
  RegCloseKey(k);
  EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(k));
}

TEST_F(RegistryTest, CreateReportsDispositionAndKeepsCase) {
  DWORD disposition = 0;
  HKEY k;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, "Mixed\\CaseKey", 0, nullptr, 0, KEY_ALL_ACCESS,
                                          nullptr, &k, &disposition));
  EXPECT_EQ(REG_CREATED_NEW_KEY, disposition);
  RegCloseKey(k);
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, "MIXED\\casekey", 0, nullptr, 0, KEY_ALL_ACCESS,
                                          nullptr, &k, &disposition));
  EXPECT_EQ(REG_OPENED_EXISTING_KEY, disposition);
  RegCloseKey(k);
  HKEY mixed;
  RegOpenKey(HKEY_CURRENT_USER, "mixed", &mixed);
  char name[32];
  ASSERT_EQ(ERROR_SUCCESS, RegEnumKey(mixed, 0, name, sizeof name));
  EXPECT_STREQ("CaseKey", name);
  RegCloseKey(mixed);
}

TEST_F(RegistryTest, EnumerationOrderAndBufferRules) {
  HKEY k = Create(HKEY_CURRENT_USER, "E");
  for (const char* sub : {"beta", "Alpha", "gamma"}) RegCloseKey(Create(k, sub));
  for (const char* v : {"z", "a", "m"})
    RegSetValueEx(k, v, 0, REG_DWORD, reinterpret_cast<const BYTE*>("\1\0\0\0"), 4);

  std::vector<std::string> keys;
  char name[64];
  DWORD i = 0;
  for (;; ++i) {
    DWORD len = sizeof name;
    LONG rc = RegEnumKeyEx(k, i, name, &len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(ERROR_SUCCESS, rc);
    EXPECT_EQ(std::strlen(name), len);
    keys.push_back(name);
  }
  EXPECT_EQ((std::vector<std::string>{"Alpha", "beta", "gamma"}), keys);

  std::vector<std::string> values;
  for (i = 0;; ++i) {
    DWORD len = sizeof name, type;
    if (RegEnumValue(k, i, name, &len, nullptr, &type, nullptr, nullptr) == ERROR_NO_MORE_ITEMS) break;
    values.push_back(name);
  }
  EXPECT_EQ((std::vector<std::string>{"z", "a", "m"}), values);  // the order they were set

  DWORD small = 3;
  EXPECT_EQ(ERROR_MORE_DATA, RegEnumKeyEx(k, 0, name, &small, nullptr, nullptr, nullptr, nullptr));
  BYTE data[2];
  DWORD len = sizeof name, dataSize = sizeof data;
  EXPECT_EQ(ERROR_MORE_DATA, RegEnumValue(k, 0, name, &len, nullptr, nullptr, data, &dataSize));
  EXPECT_EQ(4u, dataSize);

  DWORD subKeys, maxSub, values2, maxName, maxData;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryInfoKey(k, nullptr, nullptr, nullptr, &subKeys, &maxSub, nullptr, &values2,
                                           &maxName, &maxData, nullptr, nullptr));
  EXPECT_EQ(3u, subKeys);
  EXPECT_EQ(5u, maxSub);
  EXPECT_EQ(3u, values2);
  EXPECT_EQ(1u, maxName);
  EXPECT_EQ(4u, maxData);
  RegCloseKey(k);
}

TEST_F(RegistryTest, DeleteRules) {
  HKEY k = Create(HKEY_CURRENT_USER, "D\\Child");
  RegSetValueEx(k, "v", 0, REG_DWORD, reinterpret_cast<const BYTE*>("\1\0\0\0"), 4);
  EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKey(HKEY_CURRENT_USER, "D"));  // has a subkey
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteKey(HKEY_CURRENT_USER, "D\\Nope"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValue(k, "nope"));
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteValue(k, "V"));
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteKey(HKEY_CURRENT_USER, "d\\child"));
  // The handle to the deleted key is still a handle, but its key is gone.
  EXPECT_EQ(ERROR_KEY_DELETED,
            RegSetValueEx(k, "v", 0, REG_DWORD, reinterpret_cast<const BYTE*>("\1\0\0\0"), 4));
  EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(k));
  EXPECT_EQ(ERROR_SUCCESS, RegDeleteKey(HKEY_CURRENT_USER, "D"));
  plat::ReloadRegistry();
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyEx(HKEY_CURRENT_USER, "D", 0, KEY_READ, &k));
}

TEST_F(RegistryTest, OldStyleDefaultValueFunctions) {
  ASSERT_EQ(ERROR_SUCCESS, RegSetValue(HKEY_CURRENT_USER, "Old\\Sub", REG_SZ, "value", 0));
  char buf[16];
  LONG size = sizeof buf;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValue(HKEY_CURRENT_USER, "Old\\Sub", buf, &size));
  EXPECT_STREQ("value", buf);
  EXPECT_EQ(6, size);
  size = 2;
  EXPECT_EQ(ERROR_MORE_DATA, RegQueryValue(HKEY_CURRENT_USER, "Old\\Sub", buf, &size));
  EXPECT_EQ(6, size);
  size = sizeof buf;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValue(HKEY_CURRENT_USER, "Old", buf, &size));  // no default value: ""
  EXPECT_STREQ("", buf);
  EXPECT_EQ(ERROR_INVALID_PARAMETER, RegSetValue(HKEY_CURRENT_USER, "Old", REG_DWORD, "x", 0));
}

TEST_F(RegistryTest, ConnectAndSecurityAreLocalOnly) {
  HKEY k;
  EXPECT_EQ(ERROR_SUCCESS, RegConnectRegistry(nullptr, HKEY_LOCAL_MACHINE, &k));
  EXPECT_EQ(HKEY_LOCAL_MACHINE, k);
  EXPECT_EQ(ERROR_SUCCESS, RegConnectRegistry("", HKEY_USERS, &k));
  EXPECT_EQ(ERROR_BAD_NETPATH, RegConnectRegistry("\\\\other", HKEY_LOCAL_MACHINE, &k));
  DWORD size = 0;
  EXPECT_EQ(ERROR_CALL_NOT_IMPLEMENTED, RegGetKeySecurity(HKEY_CURRENT_USER, 0, nullptr, &size));
  EXPECT_EQ(ERROR_CALL_NOT_IMPLEMENTED, RegSetKeySecurity(HKEY_CURRENT_USER, 0, nullptr));
}

TEST_F(RegistryTest, SaveLoadUnloadAndRestoreHives) {
  HKEY k = Create(HKEY_CURRENT_USER, "Tree\\Inner");
  RegSetValueEx(k, "n", 0, REG_DWORD, reinterpret_cast<const BYTE*>("\7\0\0\0"), 4);
  RegCloseKey(k);
  HKEY tree = Create(HKEY_CURRENT_USER, "Tree");
  std::string hive = dir + "/tree.hive";
  ASSERT_EQ(ERROR_SUCCESS, RegSaveKey(tree, hive.c_str(), nullptr));
  EXPECT_EQ(ERROR_ALREADY_EXISTS, RegSaveKey(tree, hive.c_str(), nullptr));

  EXPECT_EQ(ERROR_INVALID_PARAMETER, RegLoadKey(HKEY_CURRENT_USER, "Mounted", hive.c_str()));
  ASSERT_EQ(ERROR_SUCCESS, RegLoadKey(HKEY_USERS, "Mounted", hive.c_str()));
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_USERS, "Mounted\\Inner", 0, KEY_ALL_ACCESS, &k));
  DWORD n = 0, size = 4;
  ASSERT_EQ(ERROR_SUCCESS, RegQueryValueEx(k, "n", nullptr, nullptr, reinterpret_cast<BYTE*>(&n), &size));
  EXPECT_EQ(7u, n);
  // Changes to a mounted hive go to its own file, not to HKEY_USERS'.
  RegSetValueEx(k, "added", 0, REG_DWORD, reinterpret_cast<const BYTE*>("\1\0\0\0"), 4);
  RegCloseKey(k);
  ASSERT_EQ(ERROR_SUCCESS, RegUnLoadKey(HKEY_USERS, "Mounted"));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyEx(HKEY_USERS, "Mounted", 0, KEY_READ, &k));
  EXPECT_NE(std::string::npos, mirt_test::ReadFile(hive).find("\"added\""));
  EXPECT_EQ(std::string::npos, mirt_test::ReadFile(dir + "/HKEY_USERS.reg").find("added"));

  // Restore replaces the key's whole content with the hive's.
  HKEY other = Create(HKEY_CURRENT_USER, "Other\\Old");
  RegCloseKey(other);
  other = Create(HKEY_CURRENT_USER, "Other");
  ASSERT_EQ(ERROR_SUCCESS, RegRestoreKey(other, hive.c_str(), 0));
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyEx(other, "Old", 0, KEY_READ, &k));
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(other, "Inner", 0, KEY_READ, &k));
  size = 4;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueEx(k, "added", nullptr, nullptr, reinterpret_cast<BYTE*>(&n), &size));
  RegCloseKey(k);
  RegCloseKey(other);
  RegCloseKey(tree);
}

TEST_F(RegistryTest, VolatileKeysStayOutOfTheFile) {
  HKEY k;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyEx(HKEY_CURRENT_USER, "Live", 0, nullptr, REG_OPTION_VOLATILE,
                                          KEY_ALL_ACCESS, nullptr, &k, nullptr));
  HKEY child;
  EXPECT_EQ(ERROR_CHILD_MUST_BE_VOLATILE,
            RegCreateKeyEx(k, "Lasting", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr));
  RegSetValueEx(k, "v", 0, REG_DWORD, reinterpret_cast<const BYTE*>("\1\0\0\0"), 4);
  RegCloseKey(k);
  RegCloseKey(Create(HKEY_CURRENT_USER, "Kept"));
  EXPECT_EQ(std::string::npos, mirt_test::ReadFile(dir + "/HKEY_CURRENT_USER.reg").find("Live"));
  plat::ReloadRegistry();
  EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyEx(HKEY_CURRENT_USER, "Live", 0, KEY_READ, &k));
}

TEST_F(RegistryTest, BatchedWritesReachTheFileWhenTheBatchEnds) {
  std::string file = dir + "/HKEY_CURRENT_USER.reg";
  {
    plat::RegistryWriteBatch batch;
    RegCloseKey(Create(HKEY_CURRENT_USER, "Batched"));
    EXPECT_EQ(std::string::npos, mirt_test::ReadFile(file).find("Batched"));
  }
  EXPECT_NE(std::string::npos, mirt_test::ReadFile(file).find("Batched"));
}

}  // namespace
