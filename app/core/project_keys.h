// The keys of project files and templates, in the order Save writes them,
// with the field each one fills.
#pragma once

#include "app/core/project_data.h"

enum class ProjectKeyKind {
  kEnviron,    // environment name, looked up in the environment list
  kText,       // a text field
  kKernelDir,  // a text field that gets a trailing separator on loading
  kList,       // names separated by blanks
  kWord,       // decimal, 16 bits
  kDword,      // decimal, 32 bits
  kCardClass,  // "TRAIL" or "QJX"
};

struct ProjectKey {
  const char* key;
  ProjectKeyKind kind;
  bool projectOnly;  // written only into project files, not templates
  char* ProjectData::*text = nullptr;
  ProjectFileList ProjectData::*list = nullptr;
  WORD ProjectData::*word = nullptr;
  DWORD ProjectData::*dword = nullptr;
};

// All keys but VERSION, in file order.
extern const ProjectKey kProjectKeys[];
extern const size_t kProjectKeyCount;

// The key's entry, or null for a key the project file does not know.
const ProjectKey* FindProjectKey(const char* key);
