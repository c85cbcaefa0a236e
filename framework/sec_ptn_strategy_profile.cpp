#include "framework/sec_ptn_strategy_profile.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/sys/inifile.h"

namespace {

BOOL HasLineBreak(LPCTSTR text) { return std::strpbrk(text, "\r\n") != nullptr; }

BOOL IsWritableKey(LPCTSTR key) {
  return key && *key && *key != '[' && *key != ';' && !std::strpbrk(key, "=\r\n");
}

}  // namespace

SECPTNStrategyProfile::SECPTNStrategyProfile(LPCTSTR lpszFileName) : m_strFileName(lpszFileName) {}

SECPTNStrategyProfile::~SECPTNStrategyProfile() { WritePending(); }

BOOL SECPTNStrategyProfile::Gather(const CString& section, LPCTSTR lpszKey, LPCTSTR lpszValue) {
  if (!m_bGathering || section != m_strGatheredSection) return FALSE;
  for (auto& entry : m_gathered) {
    if (entry.first.CompareNoCase(lpszKey) == 0) {
      entry.second = lpszValue;
      return TRUE;
    }
  }
  m_gathered.emplace_back(CString(lpszKey), CString(lpszValue));
  return TRUE;
}

// Writes the gathered section as a whole, replacing what the file had.
void SECPTNStrategyProfile::WritePending() {
  if (!m_bGathering) return;
  m_bGathering = FALSE;
  if (m_gathered.empty()) {
    WritePrivateProfileString(m_strGatheredSection, nullptr, nullptr, m_strFileName);
    return;
  }
  std::string lines;
  for (const auto& [key, value] : m_gathered) {
    lines += key.str() + "=" + value.str();
    lines += '\0';
  }
  lines += '\0';
  WritePrivateProfileSection(m_strGatheredSection, lines.data(), m_strFileName);
  m_gathered.clear();
}

CString SECPTNStrategyProfile::SectionName(const CStringList& path) const {
  CString section;
  for (POSITION pos = path.GetHeadPosition(); pos;) {
    const CString& element = path.GetNext(pos);
    if (element.FindOneOf("[]\r\n") >= 0) return CString();
    if (!section.IsEmpty()) section += m_lpszPathSeparator;
    section += element;
  }
  return section;
}

BOOL SECPTNStrategyProfile::DeleteNode(const CStringList& path) {
  CString section = SectionName(path);
  if (section.IsEmpty()) return FALSE;
  WritePending();
  m_bGathering = TRUE;
  m_strGatheredSection = section;
  return TRUE;
}

BOOL SECPTNStrategyProfile::WriteKeyValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) {
  CString section = SectionName(path);
  if (section.IsEmpty() || !IsWritableKey(lpszKey) || !lpszValue || HasLineBreak(lpszValue)) return FALSE;
  if (!Gather(section, lpszKey, lpszValue)) {
    WritePending();
    WritePrivateProfileString(section, lpszKey, lpszValue, m_strFileName);
  }
  return TRUE;
}

BOOL SECPTNStrategyProfile::WriteChildList(const CStringList& path, const CStringList& childNames) {
  CString section = SectionName(path);
  if (section.IsEmpty()) return FALSE;
  int number = 0;
  for (POSITION pos = childNames.GetHeadPosition(); pos;) {
    const CString& name = childNames.GetNext(pos);
    CString key;
    key.Format("%s%d", m_lpszChildKeyPrefix, ++number);
    if (HasLineBreak(name) || Gather(section, key, name)) continue;
    WritePending();
    WritePrivateProfileString(section, key, name, m_strFileName);
  }
  WritePending();
  return TRUE;
}

// Asks for the key list with a growing buffer until it is not cut.
BOOL SECPTNStrategyProfile::GetSectionKeys(LPCTSTR lpszSection, CStringList& keys) {
  DWORD size = std::min<DWORD>(512, m_dwFirstKeyListBuffer);
  std::vector<char> buffer;
  DWORD got = 0;
  for (;;) {
    buffer.assign(size, '\0');
    got = GetPrivateProfileString(lpszSection, nullptr, "", buffer.data(), size, m_strFileName);
    if (got + 2 != size || size >= 0x40000000) break;
    size *= 2;
  }
  if (got == 0) return FALSE;
  for (DWORD at = 0; at < got && buffer[at];) {
    size_t length = strnlen(buffer.data() + at, got - at);
    keys.AddTail(CString(buffer.data() + at, static_cast<int>(length)));
    at += static_cast<DWORD>(length) + 1;
  }
  return TRUE;
}

BOOL SECPTNStrategyProfile::ReadNode(const CStringList& path, CStringList& childNames, CStringList& keys,
                                     CStringList& values) {
  CString section = SectionName(path);
  if (section.IsEmpty()) return FALSE;
  WritePending();
  childNames.RemoveAll();
  keys.RemoveAll();
  values.RemoveAll();
  CString sectionKey = section;
  sectionKey.MakeUpper();
  if (!m_sectionsRead.insert(sectionKey.str()).second) return FALSE;
  CStringList names;
  if (!GetSectionKeys(section, names)) return FALSE;
  size_t prefixLength = std::strlen(m_lpszChildKeyPrefix);
  for (POSITION pos = names.GetHeadPosition(); pos;) {
    const CString& name = names.GetNext(pos);
    CString value(plat::ReadProfileValue(m_strFileName.str(), section.str(), name.str()).value_or(""));
    if (std::strncmp(name, m_lpszChildKeyPrefix, prefixLength) == 0) {
      childNames.AddTail(value);
    } else {
      keys.AddTail(name);
      values.AddTail(value);
    }
  }
  return TRUE;
}
