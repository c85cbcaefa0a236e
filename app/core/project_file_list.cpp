#include "app/core/project_file_list.h"

ProjectFileList::ProjectFileList() : m_entries(10) {}

POSITION ProjectFileList::Find(const char* name) const {
  for (POSITION pos = m_entries.GetHeadPosition(); pos;) {
    POSITION at = pos;
    if (m_entries.GetNext(pos).CompareNoCase(name) == 0) return at;
  }
  return nullptr;
}

BOOL ProjectFileList::Add(const char* name) {
  if (!name || Find(name)) return FALSE;
  m_entries.AddTail(CString(name));
  return TRUE;
}

BOOL ProjectFileList::Remove(const char* name) {
  POSITION at = name ? Find(name) : nullptr;
  if (!at) return FALSE;
  if (at == m_cursor) m_entries.GetNext(m_cursor);
  m_entries.RemoveAt(at);
  return TRUE;
}

void ProjectFileList::RemoveAll() {
  m_entries.RemoveAll();
  m_cursor = nullptr;
}

POSITION ProjectFileList::Begin() {
  m_cursor = m_entries.GetHeadPosition();
  return m_cursor;
}

const char* ProjectFileList::Get() const {
  return m_cursor ? static_cast<const char*>(m_entries.GetAt(m_cursor)) : nullptr;
}

void ProjectFileList::Next() {
  if (m_cursor) m_entries.GetNext(m_cursor);
}
