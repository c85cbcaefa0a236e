// CRecentFileList: the most recently used files, kept in the profile.
#pragma once

#include <vector>

#include "platform/base/cstring.h"

class CCmdUI;

class CRecentFileList {
 public:
  // nStart: the index of the first entry in its menu; entries are named
  // by lpszEntryFormat ("File%d") from 1 in section lpszSection.
  CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize, int nMaxDispLen = 30);
  virtual ~CRecentFileList() = default;

  int GetSize() const { return static_cast<int>(m_arrNames.size()); }
  CString& operator[](int nIndex) { return m_arrNames[static_cast<size_t>(nIndex)]; }
  // The path (made absolute) moves to the top; the last entry drops off.
  virtual void Add(LPCSTR lpszPathName);
  virtual void Remove(int nIndex);
  // The shortened name shown in the menu; FALSE for an empty entry.
  virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                              BOOL bAtLeastName = TRUE) const;
  virtual void UpdateMenu(CCmdUI* pCmdUI);
  virtual void ReadList();
  virtual void WriteList();

  UINT m_nStart;
  CString m_strSectionName;
  CString m_strEntryFormat;
  int m_nMaxDisplayLength;
  CString m_strOriginal;  // the menu item's text when the list is empty

 private:
  std::vector<CString> m_arrNames;
};

// "c:/a/b/c/file.txt" shortened to at most nMaxLength characters by
// dropping folders from the front ("/a/.../file.txt"); the file name stays.
CString AfxAbbreviateName(LPCSTR lpszCanon, int nMaxLength, BOOL bAtLeastName);
