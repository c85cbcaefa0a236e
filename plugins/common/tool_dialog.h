// The Tools page: the toolchain's program names and folder.
#pragma once

#include "platform/ui/afxdlg.h"
#include "plugins/common/plugin_tables.h"

class CToolDialog : public CPropertyPage {
 public:
  enum { IDD = 175 };
  explicit CToolDialog(PascalFields pascal);

  CString m_toolDir, m_makeCommand, m_compiler, m_linker, m_assembler, m_objSuffix, m_pascalCompiler;

  void DoDataExchange(CDataExchange* pDX) override;

 protected:
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  PascalFields m_pascal;
};
