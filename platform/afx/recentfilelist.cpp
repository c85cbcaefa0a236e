#include "platform/afx/recentfilelist.h"

#include <strings.h>

#include "platform/afx/cmdui.h"
#include "platform/sys/path.h"
#include "platform/sys/profile.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen),
      m_arrNames(static_cast<size_t>(nSize > 0 ? nSize : 0)) {}

void CRecentFileList::Add(LPCSTR lpszPathName) {
  if (!lpszPathName || !*lpszPathName || m_arrNames.empty()) return;
  CString path = plat::AbsolutePath(lpszPathName).c_str();
  size_t at = m_arrNames.size() - 1;  // the last entry makes room when the path is new
  for (size_t i = 0; i < m_arrNames.size(); ++i) {
    if (strcasecmp(m_arrNames[i], path) == 0) {
      at = i;
      break;
    }
  }
  for (size_t i = at; i > 0; --i) m_arrNames[i] = m_arrNames[i - 1];
  m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex) {
  if (nIndex < 0 || nIndex >= GetSize()) return;
  m_arrNames.erase(m_arrNames.begin() + nIndex);
  m_arrNames.emplace_back();
}

CString AfxAbbreviateName(LPCSTR lpszCanon, int nMaxLength, BOOL bAtLeastName) {
  std::string full = lpszCanon ? lpszCanon : "";
  if (nMaxLength <= 0 || static_cast<int>(full.size()) <= nMaxLength) return full.c_str();
  std::string name = plat::FileNamePart(full);
  if (static_cast<int>(name.size()) >= nMaxLength || name.size() == full.size())
    return bAtLeastName ? CString(name.c_str()) : CString();
  // Keep the first folder, drop the following ones until the rest fits.
  size_t first = full.find('/', full[0] == '/' ? 1 : 0);
  std::string head = first == std::string::npos ? std::string() : full.substr(0, first + 1);
  std::string tail = full.substr(head.size());
  while (static_cast<int>(head.size() + 4 + tail.size()) > nMaxLength) {
    size_t slash = tail.find('/');
    if (slash == std::string::npos) break;
    tail = tail.substr(slash + 1);
  }
  if (static_cast<int>(head.size() + 4 + tail.size()) > nMaxLength)
    return bAtLeastName ? CString(name.c_str()) : CString();
  return (head + ".../" + tail).c_str();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
  if (nIndex < 0 || nIndex >= GetSize() || m_arrNames[static_cast<size_t>(nIndex)].IsEmpty()) return FALSE;
  CString path = m_arrNames[static_cast<size_t>(nIndex)];
  // A file in the current folder shows without its folder.
  if (lpszCurDir && nCurDir > 0 && path.GetLength() > nCurDir &&
      strncasecmp(path, lpszCurDir, static_cast<size_t>(nCurDir)) == 0 && path[nCurDir] == '/' &&
      path.Mid(nCurDir + 1).Find('/') < 0) {
    strName = path.Mid(nCurDir + 1);
    return TRUE;
  }
  strName = AfxAbbreviateName(path, m_nMaxDisplayLength, bAtLeastName);
  return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI) {
  // Without a menu layer there is nothing to rebuild; a plain item just
  // shows whether the list has an entry.
  if (!pCmdUI) return;
  BOOL any = GetSize() > 0 && !m_arrNames[0].IsEmpty();
  if (!pCmdUI->m_pMenu) {
    pCmdUI->Enable(any);
    return;
  }
  if (m_strOriginal.IsEmpty()) m_strOriginal = "Recent File";
  if (!any) {
    pCmdUI->SetText(m_strOriginal);
    pCmdUI->Enable(FALSE);
    return;
  }
  CString name;
  if (GetDisplayName(name, static_cast<int>(pCmdUI->m_nID - m_nStart), nullptr, 0)) {
    CString text;
    text.Format("&%d %s", static_cast<int>(pCmdUI->m_nID - m_nStart + 1), static_cast<LPCSTR>(name));
    pCmdUI->SetText(text);
  }
  pCmdUI->Enable(TRUE);
}

void CRecentFileList::ReadList() {
  for (size_t i = 0; i < m_arrNames.size(); ++i) {
    CString entry;
    entry.Format(m_strEntryFormat, static_cast<int>(i + 1));
    m_arrNames[i] = plat::Profile::App().GetProfileString(m_strSectionName, entry, "");
  }
}

void CRecentFileList::WriteList() {
  plat::Profile& profile = plat::Profile::App();
  profile.WriteProfileString(m_strSectionName, nullptr, nullptr);
  for (size_t i = 0; i < m_arrNames.size(); ++i) {
    if (m_arrNames[i].IsEmpty()) continue;
    CString entry;
    entry.Format(m_strEntryFormat, static_cast<int>(i + 1));
    profile.WriteProfileString(m_strSectionName, entry, m_arrNames[i]);
  }
}
