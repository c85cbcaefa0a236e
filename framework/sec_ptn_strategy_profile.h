// SECPTNStrategyProfile: a persistent setting tree in a private-profile
// file, one section per node named by its path joined with "."
// (Layout.DockState.Bar-1). A node's section holds its keys and one entry
// "ptn_Child<n>" (n from 1) per child, whose value is the child's name.
//
// A node's section is written in one go: from DeleteNode on, its keys and
// child list are gathered and written with WriteChildList (or when another
// section is written, or the strategy is destroyed). Values are read whole. Keys and values that would break
// the file's lines (line breaks; "=" or a leading "[" or ";" in a key) are not written. Each section is read
// at most once by one strategy object, so node names that meet in one section name (letter case, dots) cannot
// make a load repeat itself.
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/sec_ptn_strategy.h"
#include "platform/base/cstring.h"

class SECPTNStrategyProfile : public SECPTNStrategy {
 public:
  explicit SECPTNStrategyProfile(LPCTSTR lpszFileName);
  ~SECPTNStrategyProfile() override;

  // Removes the node's section (not the sections of its children).
  BOOL DeleteNode(const CStringList& path) override;
  BOOL WriteKeyValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) override;
  BOOL WriteChildList(const CStringList& path, const CStringList& childNames) override;
  BOOL ReadNode(const CStringList& path, CStringList& childNames, CStringList& keys,
                CStringList& values) override;

  // The key names of the section, in file order; FALSE when it has none.
  virtual BOOL GetSectionKeys(LPCTSTR lpszSection, CStringList& keys);

  // The section of a node; "" when the path cannot name a section.
  CString SectionName(const CStringList& path) const;

 protected:
  CString m_strFileName;
  LPCTSTR m_lpszChildKeyPrefix = "ptn_Child";
  LPCTSTR m_lpszPathSeparator = ".";
  DWORD m_dwFirstKeyListBuffer = 8192;   // the key list is first asked for with at most this much
  std::set<std::string> m_sectionsRead;  // upper case

 private:
  // Adds the entry to the gathered section; FALSE when another section is
  // being gathered (or none).
  BOOL Gather(const CString& section, LPCTSTR lpszKey, LPCTSTR lpszValue);
  void WritePending();

  BOOL m_bGathering = FALSE;
  CString m_strGatheredSection;
  std::vector<std::pair<CString, CString>> m_gathered;
};
