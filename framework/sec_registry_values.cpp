// SECRegistry: reading, writing and enumerating values.
#include <cstring>

#include "framework/sec_registry.h"

namespace {

BOOL IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

BOOL SECRegistry::QueryValue(LPCTSTR lpszValueName, DWORD& dwType, LPBYTE lpData, DWORD& dwSize) {
  if (!lpszValueName) return Fail(ERROR_INVALID_PARAMETER);
  return Result(RegQueryValueEx(m_hKey, lpszValueName, nullptr, &dwType, lpData, &dwSize));
}

// The value's bytes as they are now: sized by asking for the size first,
// asked again when the value grew in between.
BOOL SECRegistry::ReadValueBytes(LPCTSTR lpszValueName, DWORD& dwType, CByteArray& aData) {
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = 0;
    if (!QueryValue(lpszValueName, dwType, nullptr, size)) return FALSE;
    CByteArray buffer;
    buffer.SetSize(static_cast<int>(size) + 1);  // never empty, so GetData is a buffer
    DWORD got = size;
    if (QueryValue(lpszValueName, dwType, buffer.GetData(), got)) {
      buffer.SetSize(static_cast<int>(got));
      aData.Copy(buffer);
      return TRUE;
    }
    if (m_lErrorCode != ERROR_MORE_DATA) return FALSE;
  }
  return FALSE;
}

BOOL SECRegistry::GetBinaryValue(LPCTSTR lpszValueName, CByteArray& aData) {
  DWORD type = REG_BINARY;
  return ReadValueBytes(lpszValueName, type, aData);
}

BOOL SECRegistry::GetDWordValue(LPCTSTR lpszValueName, DWORD& dwValue) {
  DWORD type = REG_DWORD;
  CByteArray bytes;
  if (!ReadValueBytes(lpszValueName, type, bytes)) return FALSE;
  if (type != REG_DWORD) return Fail(ERROR_UNSUPPORTED_TYPE);
  if (bytes.GetSize() != 4) return Fail(ERROR_INVALID_DATA);
  std::memcpy(&dwValue, bytes.GetData(), 4);
  return TRUE;
}

BOOL SECRegistry::GetStringValue(LPCTSTR lpszValueName, CString& strValue) {
  DWORD type = REG_SZ;
  CByteArray bytes;
  BOOL ok = ReadValueBytes(lpszValueName, type, bytes);
  if (ok && !IsTextType(type)) ok = Fail(ERROR_UNSUPPORTED_TYPE);
  if (!ok) {
    strValue.Empty();
    return FALSE;
  }
  const char* text = reinterpret_cast<const char*>(bytes.GetData());
  strValue = text ? CString(text, static_cast<int>(strnlen(text, bytes.GetSize()))) : CString();
  return TRUE;
}

BOOL SECRegistry::GetStringArrayValue(LPCTSTR lpszValueName, CStringArray& aStrings) {
  DWORD type = REG_MULTI_SZ;
  CByteArray bytes;
  if (!ReadValueBytes(lpszValueName, type, bytes)) return FALSE;
  if (type != REG_MULTI_SZ) return Fail(ERROR_UNSUPPORTED_TYPE);
  const char* data = reinterpret_cast<const char*>(bytes.GetData());
  size_t size = static_cast<size_t>(bytes.GetSize());
  if (size && data[size - 1] == '\0') --size;  // the list's final NUL
  for (size_t at = 0; at < size;) {
    size_t length = strnlen(data + at, size - at);
    aStrings.Add(CString(data + at, static_cast<int>(length)));
    at += length + 1;
  }
  return TRUE;
}

BOOL SECRegistry::GetValue(LPCTSTR lpszValueName, CString& strValue) {
  if (!lpszValueName) return Fail(ERROR_INVALID_PARAMETER);
  return GetStringValue(lpszValueName, strValue);
}

BOOL SECRegistry::GetValue(LPCTSTR lpszValueName, CStringArray& aStrings) {
  if (!lpszValueName) return Fail(ERROR_INVALID_PARAMETER);
  return GetStringArrayValue(lpszValueName, aStrings);
}

BOOL SECRegistry::GetValue(LPCTSTR lpszValueName, DWORD& dwValue) {
  if (!lpszValueName) return Fail(ERROR_INVALID_PARAMETER);
  return GetDWordValue(lpszValueName, dwValue);
}

BOOL SECRegistry::GetValue(LPCTSTR lpszValueName, CByteArray& aData) {
  if (!lpszValueName) return Fail(ERROR_INVALID_PARAMETER);
  return GetBinaryValue(lpszValueName, aData);
}

BOOL SECRegistry::SetValue(LPCTSTR lpszValueName, DWORD dwType, const BYTE* lpData, DWORD dwSize) {
  if (!lpszValueName || !lpData) return Fail(ERROR_INVALID_PARAMETER);
  return Result(RegSetValueEx(m_hKey, lpszValueName, 0, dwType, lpData, dwSize));
}

BOOL SECRegistry::SetBinaryValue(LPCTSTR lpszValueName, const CByteArray& aData) {
  static const BYTE kNoBytes = 0;
  const BYTE* data = aData.GetSize() ? aData.GetData() : &kNoBytes;  // an empty block is a value too
  return SetValue(lpszValueName, REG_BINARY, data, static_cast<DWORD>(aData.GetSize()));
}

BOOL SECRegistry::SetDWordValue(LPCTSTR lpszValueName, DWORD dwValue) {
  return SetValue(lpszValueName, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), 4);
}

BOOL SECRegistry::SetStringValue(LPCTSTR lpszValueName, const CString& strValue) {
  return SetValue(lpszValueName, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCTSTR>(strValue)),
                  static_cast<DWORD>(strValue.GetLength() + 1));
}

BOOL SECRegistry::SetStringArrayValue(LPCTSTR lpszValueName, const CStringArray& aStrings) {
  std::string list;
  for (int i = 0; i < aStrings.GetSize(); ++i) {
    list += aStrings[i].str();
    list += '\0';
  }
  list += '\0';
  return SetValue(lpszValueName, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()),
                  static_cast<DWORD>(list.size()));
}

BOOL SECRegistry::SetValue(LPCTSTR lpszValueName, const CString& strValue) {
  if (!lpszValueName) return Fail(ERROR_INVALID_PARAMETER);
  return SetStringValue(lpszValueName, strValue);
}

BOOL SECRegistry::SetValue(LPCTSTR lpszValueName, const CStringArray& aStrings) {
  if (!lpszValueName) return Fail(ERROR_INVALID_PARAMETER);
  return SetStringArrayValue(lpszValueName, aStrings);
}

BOOL SECRegistry::SetValue(LPCTSTR lpszValueName, DWORD dwValue) {
  if (!lpszValueName) return Fail(ERROR_INVALID_PARAMETER);
  return SetDWordValue(lpszValueName, dwValue);
}

BOOL SECRegistry::SetValue(LPCTSTR lpszValueName, const CByteArray& aData) {
  if (!lpszValueName) return Fail(ERROR_INVALID_PARAMETER);
  return SetBinaryValue(lpszValueName, aData);
}

BOOL SECRegistry::DeleteValue(LPCTSTR lpszValueName) {
  if (!lpszValueName) return Fail(ERROR_INVALID_PARAMETER);
  return Result(RegDeleteValue(m_hKey, lpszValueName));
}

LONG SECRegistry::EnumKeyRaw(DWORD dwIndex, LPTSTR lpszName, LPDWORD lpcchName, LPTSTR lpszClass,
                             LPDWORD lpcchClass) {
  m_lErrorCode = RegEnumKeyEx(m_hKey, dwIndex, lpszName, lpcchName, nullptr, lpszClass, lpcchClass,
                              &m_fileTimeLastWrite);
  return m_lErrorCode;
}

BOOL SECRegistry::EnumKey(DWORD dwIndex, CString& strName, CString& strClass) {
  char name[2048] = {}, className[2048] = {};
  DWORD nameChars = 2047, classChars = 2047;
  LONG rc = EnumKeyRaw(dwIndex, name, &nameChars, className, &classChars);
  if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return FALSE;
  strName = CString(name, static_cast<int>(strnlen(name, 2047)));
  strClass = CString(className, static_cast<int>(strnlen(className, 2047)));
  return TRUE;
}

BOOL SECRegistry::EnumKey(DWORD dwIndex, CString& strName) {
  char name[2048] = {};
  DWORD nameChars = 2047;
  LONG rc = EnumKeyRaw(dwIndex, name, &nameChars, nullptr, nullptr);
  if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return FALSE;
  strName = CString(name, static_cast<int>(strnlen(name, 2047)));
  return TRUE;
}

BOOL SECRegistry::EnumValueRaw(DWORD dwIndex, CString& strName, DWORD& dwType, LPBYTE lpData,
                               LPDWORD lpcbData) {
  char name[2049] = {};
  DWORD nameChars = 2048;
  LONG rc = RegEnumValue(m_hKey, dwIndex, name, &nameChars, nullptr, &dwType, lpData, lpcbData);
  m_lErrorCode = rc;
  if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return FALSE;
  strName = CString(name, static_cast<int>(strnlen(name, 2048)));
  return TRUE;
}

BOOL SECRegistry::EnumValue(DWORD dwIndex, CString& strName, DWORD& dwType, LPBYTE lpData, DWORD& dwSize) {
  return EnumValueRaw(dwIndex, strName, dwType, lpData, &dwSize);
}

BOOL SECRegistry::EnumValue(DWORD dwIndex, CString& strName, DWORD& dwType) {
  return EnumValueRaw(dwIndex, strName, dwType, nullptr, nullptr);
}
