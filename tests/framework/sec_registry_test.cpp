#include "framework/sec_registry.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "persist_fixture.h"
#include "platform/sys/computer_name.h"
#include "tests/support/test_support.h"

namespace {

std::vector<std::string> ToVector(const CStringArray& a) {
  std::vector<std::string> v;
  for (int i = 0; i < a.GetSize(); ++i) v.push_back(a[i].str());
  return v;
}

// Arrays cannot be copied: these hold one for the length of a call.
struct ToArray {
  explicit ToArray(const std::vector<std::string>& v) {
    for (const std::string& s : v) a.Add(CString(s.c_str()));
  }
  operator const CStringArray&() const { return a; }
  CStringArray a;
};

std::string Bytes(const CByteArray& a) {
  return std::string(reinterpret_cast<const char*>(a.GetData()), static_cast<size_t>(a.GetSize()));
}

struct ToByteArray {
  explicit ToByteArray(const std::string& s) {
    for (char c : s) a.Add(static_cast<BYTE>(c));
  }
  operator const CByteArray&() const { return a; }
  CByteArray a;
};

class SECRegistryTest : public RegistryKeyTest {
 protected:
  // A wrapper with the test's key created and open.
  void OpenOwnKey(SECRegistry& reg) {
    ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
    ASSERT_TRUE(reg.CreateKey(Key("").c_str()));
  }
};

TEST(SECRegistryConnect, RemoteMachinesAreUnreachableAndLocalRootsConnect) {
  struct Case {
    HKEY root;
    const char* machine;
    BOOL ok;
    LONG error;
    const char* rootName;
  } cases[] = {
      {HKEY_CURRENT_USER, "BUILDHOST", FALSE, ERROR_INVALID_HANDLE, ""},
      {HKEY_CLASSES_ROOT, "BUILDHOST", FALSE, ERROR_INVALID_HANDLE, ""},
      {HKEY_LOCAL_MACHINE, "BUILDHOST", FALSE, ERROR_BAD_NETPATH, ""},
      {HKEY_USERS, "\\\\BUILDHOST", FALSE, ERROR_BAD_NETPATH, ""},
      {HKEY_CURRENT_USER, nullptr, TRUE, 0, "HKEY_CURRENT_USER"},
      {HKEY_CLASSES_ROOT, "", TRUE, 0, "HKEY_CLASSES_ROOT"},
      {HKEY_LOCAL_MACHINE, nullptr, TRUE, 0, "HKEY_LOCAL_MACHINE"},
      {HKEY_USERS, "", TRUE, 0, "HKEY_USERS"},
      {HKEY_CURRENT_CONFIG, nullptr, TRUE, 0, "HKEY_CURRENT_CONFIG"},
  };
  char local[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof local;
  GetComputerName(local, &size);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(SECRegistry::RootKeyName(c.root)) + " on " + (c.machine ? c.machine : "(null)"));
    SECRegistry reg;
    EXPECT_EQ(reg.Connect(c.root, c.machine, FALSE), c.ok);
    EXPECT_EQ(reg.m_lErrorCode, c.error);
    EXPECT_STREQ(reg.m_strRegistryName, c.rootName);
    if (c.ok) {
      EXPECT_EQ(reg.m_hRegistry, c.root);
      EXPECT_EQ(reg.m_hKey, reg.m_hRegistry);
      EXPECT_STREQ(reg.m_strComputerName, local);
      EXPECT_FALSE(reg.m_bRemote);
      EXPECT_FALSE(reg.m_bCloseKeyOnDisconnect);
    } else {
      EXPECT_EQ(reg.m_hRegistry, nullptr);
      EXPECT_TRUE(reg.m_bCloseKeyOnDisconnect) << "the earlier flag comes back";
    }
  }
}

TEST(SECRegistryConnect, ComputerNameIsTheShortHostNameInCapitals) {
  char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof name;
  ASSERT_TRUE(GetComputerName(name, &size));
  EXPECT_EQ(size, strlen(name));
  EXPECT_GT(size, 0u);
  for (char c : std::string(name)) {
    EXPECT_NE(c, '.');
    EXPECT_FALSE(c >= 'a' && c <= 'z');
  }
  DWORD tooSmall = 1;
  EXPECT_FALSE(GetComputerName(name, &tooSmall));
  EXPECT_EQ(GetLastError(), ERROR_BUFFER_OVERFLOW);
  EXPECT_EQ(tooSmall, size + 1);
}

TEST_F(SECRegistryTest, OpenBeforeConnectUsesClassesRootAndDropsTheTrailingBackslash) {
  HKEY made = nullptr;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, ".persisttest\\Shell", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                           &made, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(made);
  {
    SECRegistry reg;
    ASSERT_TRUE(reg.Open(".persisttest\\Shell\\"));
    EXPECT_EQ(reg.m_hRegistry, HKEY_CLASSES_ROOT);
    EXPECT_STREQ(reg.m_strKeyName, ".persisttest\\Shell");
    EXPECT_STREQ(reg.m_strRegistryName, "HKEY_CLASSES_ROOT");
    EXPECT_TRUE(reg.Open("\\.persisttest\\"));
    EXPECT_STREQ(reg.m_strKeyName, ".persisttest");
    EXPECT_EQ(reg.m_dwNumberOfSubkeys, 1u);
    EXPECT_FALSE(reg.Open("no such key"));
    EXPECT_EQ(reg.m_lErrorCode, ERROR_FILE_NOT_FOUND);
  }
  SECRegistry cleaner;
  cleaner.Connect(HKEY_CLASSES_ROOT);
  EXPECT_TRUE(cleaner.DeleteKey(".persisttest", TRUE));
}

TEST_F(SECRegistryTest, CreateKeyGivesTheDispositionAndQueryInfoTheKeysShape) {
  SECRegistry reg;
  ASSERT_TRUE(reg.Connect(HKEY_CURRENT_USER));
  DWORD disposition = 0;
  ASSERT_TRUE(
      reg.CreateKey((Key("Shape") + "\\").c_str(), "ShapeClass", 0, KEY_ALL_ACCESS, nullptr, &disposition));
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  EXPECT_STREQ(reg.m_strKeyName, Key("Shape").c_str());
  ASSERT_TRUE(reg.SetStringValue("LongestName", "0123456789"));
  ASSERT_TRUE(reg.SetDWordValue("n", 7));
  ASSERT_TRUE(reg.CreateKey(Key("Shape\\Sub").c_str()));
  ASSERT_TRUE(reg.CreateKey(Key("Shape").c_str(), nullptr, 0, KEY_ALL_ACCESS, nullptr, &disposition));
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  ASSERT_TRUE(reg.QueryInfo());
  EXPECT_STREQ(reg.m_strClassName, "ShapeClass");
  EXPECT_EQ(reg.m_dwNumberOfSubkeys, 1u);
  EXPECT_EQ(reg.m_dwNumberOfValues, 2u);
  EXPECT_EQ(reg.m_dwLongestValueNameLength, 11u);
  EXPECT_EQ(reg.m_dwLongestValueDataLength, 11u);
  EXPECT_GT(reg.m_timeLastWrite, 1600000000);
}

TEST_F(SECRegistryTest, TextValuesOfAnyLengthReadBackWhole) {
  SECRegistry reg;
  OpenOwnKey(reg);
  for (size_t length : {0u, 1u, 2047u, 2048u, 2049u, 70000u}) {
    SCOPED_TRACE(length);
    std::string text(length, 'x');
    for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>('a' + i % 26);
    ASSERT_TRUE(reg.SetStringValue("Text", CString(text.c_str())));
    CString back("old");
    ASSERT_TRUE(reg.GetStringValue("Text", back));
    EXPECT_EQ(back.str(), text);
    DWORD type = 0, size = 0;
    ASSERT_TRUE(reg.QueryValue("Text", type, nullptr, size));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, length + 1);
  }
}

TEST_F(SECRegistryTest, NumbersAndBinaryBlocksRoundTrip) {
  SECRegistry reg;
  OpenOwnKey(reg);
  for (DWORD n : {0u, 1u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
    ASSERT_TRUE(reg.SetValue("Number", n));
    DWORD back = 12345;
    ASSERT_TRUE(reg.GetValue("Number", back));
    EXPECT_EQ(back, n);
  }
  for (const std::string& bytes :
       {std::string(), std::string("\0\x01\xFF", 3), std::string(100000, '\x5A')}) {
    SCOPED_TRACE(bytes.size());
    ASSERT_TRUE(reg.SetValue("Block", ToByteArray(bytes)));
    CByteArray back;
    back.Add(9);
    ASSERT_TRUE(reg.GetValue("Block", back));
    EXPECT_EQ(Bytes(back), bytes);
  }
}

TEST_F(SECRegistryTest, StringListsAreStoredEachWithItsNulAndOneMore) {
  SECRegistry reg;
  OpenOwnKey(reg);
  ASSERT_TRUE(reg.SetStringArrayValue("List", ToArray(std::vector<std::string>{"a", "bc"})));
  BYTE raw[16] = {};
  DWORD type = 0, size = sizeof raw;
  ASSERT_TRUE(reg.QueryValue("List", type, raw, size));
  EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(raw), size), std::string("a\0bc\0\0", 6));

  const std::vector<std::vector<std::string>> lists = {{"a", "bc"}, {},        {""},
                                                       {"", "x"},   {"a", ""}, {std::string(5000, 'q'), "z"}};
  for (const auto& list : lists) {
    SCOPED_TRACE(list.size());
    ASSERT_TRUE(reg.SetValue("List", ToArray(list)));
    CStringArray back;
    ASSERT_TRUE(reg.GetValue("List", back));
    EXPECT_EQ(ToVector(back), list);
  }
}

TEST_F(SECRegistryTest, StringListWithoutFinalNulStopsAtTheData) {
  SECRegistry reg;
  OpenOwnKey(reg);
  ASSERT_TRUE(reg.SetValue("Raw", REG_MULTI_SZ, reinterpret_cast<const BYTE*>("one\0two"), 7));
  CStringArray back;
  back.Add("kept");
  ASSERT_TRUE(reg.GetStringArrayValue("Raw", back));
  EXPECT_EQ(ToVector(back), (std::vector<std::string>{"kept", "one", "two"}));
}

TEST_F(SECRegistryTest, ReadsAreSizedFromTheValueAsItIsNow) {
  SECRegistry reader;
  OpenOwnKey(reader);
  ASSERT_TRUE(reader.SetBinaryValue("Grows", ToByteArray("ab")));
  ASSERT_TRUE(reader.Open(Key("").c_str()));
  ASSERT_EQ(reader.m_dwLongestValueDataLength, 2u);

  SECRegistry writer;
  OpenOwnKey(writer);
  std::string big(4096, '\x11');
  ASSERT_TRUE(writer.SetBinaryValue("Grows", ToByteArray(big)));
  ASSERT_TRUE(
      writer.SetStringArrayValue("List", ToArray(std::vector<std::string>{std::string(3000, 'm'), "n"})));

  CByteArray bytes;
  ASSERT_TRUE(reader.GetBinaryValue("Grows", bytes));
  EXPECT_EQ(Bytes(bytes), big);
  CStringArray list;
  ASSERT_TRUE(reader.GetStringArrayValue("List", list));
  EXPECT_EQ(ToVector(list), (std::vector<std::string>{std::string(3000, 'm'), "n"}));
}

TEST_F(SECRegistryTest, TypedReadersRefuseValuesOfAnotherType) {
  SECRegistry reg;
  OpenOwnKey(reg);
  ASSERT_TRUE(reg.SetStringValue("Text", "12"));
  ASSERT_TRUE(reg.SetDWordValue("Number", 0x31));
  ASSERT_TRUE(reg.SetStringArrayValue("List", ToArray(std::vector<std::string>{"x"})));
  ASSERT_TRUE(reg.SetValue("Short", REG_DWORD, reinterpret_cast<const BYTE*>("ab"), 2));

  DWORD number = 77;
  EXPECT_FALSE(reg.GetDWordValue("Text", number));
  EXPECT_EQ(reg.m_lErrorCode, ERROR_UNSUPPORTED_TYPE);
  EXPECT_FALSE(reg.GetDWordValue("Short", number));
  EXPECT_EQ(reg.m_lErrorCode, ERROR_INVALID_DATA);
  EXPECT_EQ(number, 77u);

  CString text("stale");
  EXPECT_FALSE(reg.GetStringValue("Number", text));
  EXPECT_EQ(reg.m_lErrorCode, ERROR_UNSUPPORTED_TYPE);
  EXPECT_TRUE(text.IsEmpty());
  text = "stale";
  EXPECT_FALSE(reg.GetStringValue("missing", text));
  EXPECT_EQ(reg.m_lErrorCode, ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(text.IsEmpty());

  CStringArray list;
  list.Add("kept");
  EXPECT_FALSE(reg.GetStringArrayValue("Text", list));
  EXPECT_FALSE(reg.GetStringArrayValue("missing", list));
  EXPECT_EQ(ToVector(list), std::vector<std::string>{"kept"});

  CByteArray raw;
  EXPECT_TRUE(reg.GetBinaryValue("Text", raw)) << "the binary reader takes any value";
  EXPECT_EQ(Bytes(raw), std::string("12\0", 3));
}

TEST_F(SECRegistryTest, NullArgumentsAreRejectedWithInvalidParameter) {
  SECRegistry reg;
  OpenOwnKey(reg);
  CString text;
  CStringArray list;
  DWORD number = 0, type = 0, size = 0;
  CByteArray bytes;
  const std::vector<std::pair<const char*, std::function<BOOL()>>> calls = {
      {"Open", [&] { return reg.Open(nullptr); }},
      {"CreateKey", [&] { return reg.CreateKey(nullptr); }},
      {"DeleteKey", [&] { return reg.DeleteKey(nullptr); }},
      {"DeleteValue", [&] { return reg.DeleteValue(nullptr); }},
      {"GetValue text", [&] { return reg.GetValue(nullptr, text); }},
      {"GetValue list", [&] { return reg.GetValue(nullptr, list); }},
      {"GetValue number", [&] { return reg.GetValue(nullptr, number); }},
      {"GetValue bytes", [&] { return reg.GetValue(nullptr, bytes); }},
      {"SetValue text", [&] { return reg.SetValue(nullptr, CString("x")); }},
      {"SetValue list", [&] { return reg.SetValue(nullptr, list); }},
      {"SetValue number", [&] { return reg.SetValue(nullptr, DWORD{1}); }},
      {"SetValue bytes", [&] { return reg.SetValue(nullptr, bytes); }},
      {"SetValue raw data", [&] { return reg.SetValue("x", REG_BINARY, nullptr, 0); }},
      {"QueryValue", [&] { return reg.QueryValue(nullptr, type, nullptr, size); }},
      {"LoadKey", [&] { return reg.LoadKey("Sub", nullptr); }},
      {"UnLoadKey", [&] { return reg.UnLoadKey(nullptr); }},
      {"ReplaceKey", [&] { return reg.ReplaceKey("Sub", "new", nullptr); }},
      {"RestoreKey", [&] { return reg.RestoreKey(nullptr); }},
      {"SaveKey", [&] { return reg.SaveKey(nullptr); }},
  };
  for (const auto& [name, call] : calls) {
    reg.m_lErrorCode = 0;
    EXPECT_FALSE(call()) << name;
    EXPECT_EQ(reg.m_lErrorCode, ERROR_INVALID_PARAMETER) << name;
  }
  EXPECT_FALSE(KeyExists("x"));
}

TEST_F(SECRegistryTest, EnumerationListsSubkeysByNameAndValuesInTheOrderSet) {
  SECRegistry reg;
  OpenOwnKey(reg);
  for (const char* name : {"Zeta", "alpha", "Mid"}) ASSERT_TRUE(reg.SetStringValue(name, "v"));
  SECRegistry maker;
  maker.Connect(HKEY_CURRENT_USER);
  for (const char* sub : {"b", "C", "a"}) ASSERT_TRUE(maker.CreateKey(Key(sub).c_str(), "Cls"));

  std::vector<std::string> keys, classes, values;
  CString name, cls;
  DWORD index = 0;
  for (; reg.EnumKey(index, name, cls); ++index) {
    keys.push_back(name.str());
    classes.push_back(cls.str());
  }
  EXPECT_EQ(reg.m_lErrorCode, ERROR_NO_MORE_ITEMS);
  EXPECT_EQ(keys, (std::vector<std::string>{"a", "b", "C"}));
  EXPECT_EQ(classes, (std::vector<std::string>(3, "Cls")));
  EXPECT_FALSE(reg.EnumKey(3, name));

  DWORD type = 0;
  for (index = 0; reg.EnumValue(index, name, type); ++index) values.push_back(name.str());
  EXPECT_EQ(values, (std::vector<std::string>{"Zeta", "alpha", "Mid"}));

  BYTE data[1] = {};
  DWORD size = sizeof data;
  EXPECT_TRUE(reg.EnumValue(0, name, type, data, size)) << "data that does not fit still counts";
  EXPECT_EQ(reg.m_lErrorCode, ERROR_MORE_DATA);
  EXPECT_STREQ(name, "");  // as on Windows, the name is not given then
  EXPECT_EQ(size, 2u);
}

TEST_F(SECRegistryTest, SecurityNotificationAndKeyReplacementAreNotOffered) {
  SECRegistry reg;
  OpenOwnKey(reg);
  BYTE descriptor[64] = {};
  DWORD size = sizeof descriptor;
  EXPECT_FALSE(reg.GetSecurity(4, descriptor, &size));
  EXPECT_EQ(reg.m_lErrorCode, ERROR_CALL_NOT_IMPLEMENTED);
  EXPECT_FALSE(reg.SetSecurity(4, descriptor));
  EXPECT_EQ(reg.m_lErrorCode, ERROR_CALL_NOT_IMPLEMENTED);
  EXPECT_FALSE(reg.NotifyChange(nullptr, REG_NOTIFY_CHANGE_LAST_SET, TRUE, FALSE));
  EXPECT_EQ(reg.m_lErrorCode, ERROR_CALL_NOT_IMPLEMENTED);
  EXPECT_FALSE(reg.ReplaceKey("Sub", "new.reg", "old.reg"));
  EXPECT_EQ(reg.m_lErrorCode, ERROR_CALL_NOT_IMPLEMENTED);
}

TEST_F(SECRegistryTest, HivesSaveLoadAndRestore) {
  std::string dir = mirt_test::MakeTempDir("hive");
  std::string file = dir + "/layout.reg";
  SECRegistry reg;
  OpenOwnKey(reg);
  ASSERT_TRUE(reg.SetStringValue("Title", "Main"));
  ASSERT_TRUE(reg.CreateKey(Key("Bars\\Bar-0").c_str()));
  ASSERT_TRUE(reg.SetDWordValue("BarID", 59393));
  ASSERT_TRUE(reg.Open(Key("").c_str(), KEY_ALL_ACCESS));
  ASSERT_TRUE(reg.SaveKey(file.c_str()));
  EXPECT_FALSE(reg.SaveKey(file.c_str()));
  EXPECT_EQ(reg.m_lErrorCode, ERROR_ALREADY_EXISTS);

  SECRegistry machine;
  ASSERT_TRUE(machine.Connect(HKEY_LOCAL_MACHINE));
  ASSERT_TRUE(machine.LoadKey("PersistHive", file.c_str()));
  ASSERT_TRUE(machine.Open("PersistHive\\Bars\\Bar-0"));
  DWORD id = 0;
  EXPECT_TRUE(machine.GetDWordValue("BarID", id));
  EXPECT_EQ(id, 59393u);
  EXPECT_TRUE(machine.UnLoadKey("PersistHive"));
  EXPECT_FALSE(machine.Open("PersistHive"));

  ASSERT_TRUE(reg.SetStringValue("Title", "Changed"));
  ASSERT_TRUE(reg.CreateKey(Key("Extra").c_str()));
  ASSERT_TRUE(reg.Open(Key("").c_str(), KEY_ALL_ACCESS));
  ASSERT_TRUE(reg.RestoreKey(file.c_str()));
  CString title;
  EXPECT_TRUE(reg.GetStringValue("Title", title));
  EXPECT_STREQ(title, "Main");
  EXPECT_FALSE(KeyExists("Extra"));
  EXPECT_TRUE(KeyExists("Bars\\Bar-0"));
}

TEST_F(SECRegistryTest, DamagedHiveFileLoadsWhatIsReadable) {
  std::string dir = mirt_test::MakeTempDir("badhive");
  std::string file = dir + "/damaged.reg";
  SECRegistry reg;
  OpenOwnKey(reg);
  ASSERT_TRUE(reg.SetStringValue("Good", "yes"));
  ASSERT_TRUE(reg.SaveKey(file.c_str()));
  std::string text = mirt_test::ReadFile(file);
  mirt_test::WriteFile(file, text + "\"Broken\"=dword:zz\r\n\"Also\"=\"fine\"\r\n");

  SECRegistry machine;
  ASSERT_TRUE(machine.Connect(HKEY_LOCAL_MACHINE));
  ASSERT_TRUE(machine.LoadKey("PersistDamaged", file.c_str()));
  ASSERT_TRUE(machine.Open("PersistDamaged"));
  CString value;
  EXPECT_TRUE(machine.GetStringValue("Good", value));
  EXPECT_STREQ(value, "yes");
  EXPECT_TRUE(machine.GetStringValue("Also", value));
  EXPECT_FALSE(machine.GetStringValue("Broken", value));
  EXPECT_TRUE(machine.UnLoadKey("PersistDamaged"));

  EXPECT_FALSE(machine.LoadKey("PersistMissing", (dir + "/none.reg").c_str()));
  EXPECT_EQ(machine.m_lErrorCode, ERROR_FILE_NOT_FOUND);
}

}  // namespace
