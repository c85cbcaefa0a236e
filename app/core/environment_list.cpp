#include "app/core/environment_list.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/core/config_reader.h"

CEnvironmentList::CEnvironmentList() : m_list(10) {}

CEnvironmentList::~CEnvironmentList() {
  for (POSITION pos = m_list.GetHeadPosition(); pos;) {
    CEnviron& env = m_list.GetNext(pos);
    free(env.baseMakefile);
    free(env.settings);
    free(env.defaultProject);
    free(env.name);
  }
}

void CEnvironmentList::ReadConfigFile(const char* path) { ConfigReader(m_list).Read(path); }

BOOL CEnvironmentList::FindEnvironment(const char* name, CEnviron& out) const {
  if (!name) return FALSE;
  for (POSITION pos = m_list.GetHeadPosition(); pos;) {
    const CEnviron& env = m_list.GetNext(pos);
    if (env.name && strcmp(env.name, name) == 0) {
      out = env;
      return TRUE;
    }
  }
  return FALSE;
}
