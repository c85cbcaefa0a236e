#include "plugins/common/tool_dialog.h"

BEGIN_MESSAGE_MAP(CToolDialog, CPropertyPage)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CToolDialog::CToolDialog(PascalFields pascal) : CPropertyPage(IDD), m_pascal(pascal) {}

void CToolDialog::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Text(pDX, 1126, m_toolDir);
  DDX_Text(pDX, 1127, m_makeCommand);
  DDX_Text(pDX, 1128, m_compiler);
  DDX_Text(pDX, 1129, m_linker);
  DDX_Text(pDX, 1130, m_assembler);
  DDX_Text(pDX, 1131, m_objSuffix);
  if (m_pascal == PascalFields::kShown) DDX_Text(pDX, 1132, m_pascalCompiler);
}

void CToolDialog::OnDestroy() {
  CPropertyPage::OnDestroy();
  UpdateData(TRUE);
}
