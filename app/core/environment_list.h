// The build environments of the installation, read from "mirt.cfg". The
// application object owns one list for the whole run.
#pragma once

#include "app/core/environ.h"
#include "platform/base/afxcoll.h"
#include "platform/base/windef.h"

// The installation's environment file, in the program's directory.
constexpr const char* kConfigFileName = "mirt.cfg";

class CEnvironmentList {
 public:
  CEnvironmentList();
  ~CEnvironmentList();  // frees the environments' texts
  CEnvironmentList(const CEnvironmentList&) = delete;
  CEnvironmentList& operator=(const CEnvironmentList&) = delete;

  // Reads the environments of the file and appends them in file order.
  // Returns only with at least one complete environment; a missing file, no
  // environment, or an environment without SETTINGS, BASEMAKEFILE and
  // DEFAULTPROJECT is shown in a message box and ends the process with
  // exit code -1.
  void ReadConfigFile(const char* path = kConfigFileName);

  // Copies the four texts of the first environment named exactly so into
  // out; FALSE (and out untouched) when there is none.
  BOOL FindEnvironment(const char* name, CEnviron& out) const;

  INT_PTR GetCount() const { return m_list.GetCount(); }
  POSITION GetHeadPosition() const { return m_list.GetHeadPosition(); }
  const CEnviron& GetNext(POSITION& pos) const { return m_list.GetNext(pos); }

 private:
  CList<CEnviron, CEnviron&> m_list;
};
