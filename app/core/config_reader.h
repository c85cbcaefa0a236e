// Reads the environments of "mirt.cfg" into the application's list.
#pragma once

#include "app/core/environ.h"
#include "app/core/heap_text.h"
#include "platform/base/afxcoll.h"

class ConfigReader {
 public:
  explicit ConfigReader(CList<CEnviron, CEnviron&>& list) : m_list(list) {}

  // Ends the process (exit code -1) after a message box when the file is
  // missing, holds no environment or an incomplete one.
  void Read(const char* path);

 private:
  enum Field { kSettings, kBaseMakefile, kDefaultProject, kFieldCount };

  // False when reading must stop after this line.
  bool TakeLine(const char* key, HeapText& value);
  void BeginEnvironment(HeapText& name);
  void TakeField(Field field, HeapText& value);
  void CheckComplete() const;

  CList<CEnviron, CEnviron&>& m_list;
  bool m_seen[kFieldCount] = {true, true, true};
  bool m_begun = false;  // an environment of this file is at the list's end
};
