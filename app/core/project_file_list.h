// One file list of a project (sources, headers, libraries, object files):
// names in insertion order, no two equal ignoring case, with one cursor for
// the list's walk.
#pragma once

#include "platform/base/afxcoll.h"
#include "platform/base/cstring.h"
#include "platform/base/windef.h"

class ProjectFileList {
 public:
  ProjectFileList();
  ProjectFileList(const ProjectFileList&) = delete;
  ProjectFileList& operator=(const ProjectFileList&) = delete;

  // Appends a copy of the name unless an entry equal to it ignoring case is
  // there; TRUE when it was appended.
  BOOL Add(const char* name);
  // Removes the first entry equal to the name ignoring case; TRUE if found.
  BOOL Remove(const char* name);
  void RemoveAll();
  INT_PTR GetCount() const { return m_entries.GetCount(); }

  // The list's own walk: Begin sets the cursor to the first entry, Get gives
  // the entry at the cursor (null at the end), Next moves on.
  POSITION Begin();
  BOOL AtEnd() const { return m_cursor == nullptr; }
  const char* Get() const;
  void Next();

  // Independent walks (copies, writers) that leave the cursor alone.
  POSITION GetHeadPosition() const { return m_entries.GetHeadPosition(); }
  const CString& GetNext(POSITION& pos) const { return m_entries.GetNext(pos); }

 private:
  POSITION Find(const char* name) const;

  CStringList m_entries;
  POSITION m_cursor = nullptr;
};
