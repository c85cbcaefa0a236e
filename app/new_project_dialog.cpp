#include "app/new_project_dialog.h"

#include "app/command_ids.h"
#include "app/mirt2_app.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/commdlg.h"

BEGIN_MESSAGE_MAP(CNewProjectDialog, CDialog)
ON_CONTROL(BN_CLICKED, IDC_NEWPROJ_CREATE, OnCreate)
ON_CONTROL(BN_CLICKED, IDC_NEWPROJ_BROWSE, OnBrowse)
ON_CONTROL(EN_CHANGE, IDC_NEWPROJ_NAME, OnNameChanged)
ON_CONTROL(EN_CHANGE, IDC_NEWPROJ_LOCATION, OnLocationChanged)
END_MESSAGE_MAP()

namespace {
constexpr const char* kNewProjTaskTypes[] = {"NI-Task", "TI-Task", "II-Task"};
constexpr const char* kNewProjPreferredType = "ZOR6PCI";
}  // namespace

CNewProjectDialog::CNewProjectDialog(CWnd* parent, const CEnvironmentList* environments)
    : CDialog(IDD_NEW_PROJECT, parent), m_pEnvironments(environments) {
  if (!m_pEnvironments && GetMirt2App()) m_pEnvironments = &GetMirt2App()->m_environments;
}

void CNewProjectDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_NEWPROJ_TASK_TYPE, m_taskTypeBox);
  DDX_Control(pDX, IDC_NEWPROJ_TYPE, m_typeBox);
  DDX_Control(pDX, IDC_NEWPROJ_CREATE, m_createButton);
  DDX_Control(pDX, IDC_NEWPROJ_NAME, m_nameEdit);
  DDX_Text(pDX, IDC_NEWPROJ_LOCATION, m_location);
  DDX_Text(pDX, IDC_NEWPROJ_NAME, m_name);
  DDX_CBString(pDX, IDC_NEWPROJ_TYPE, m_type);
  DDX_CBIndex(pDX, IDC_NEWPROJ_TASK_TYPE, m_nTaskType);
  DDX_Text(pDX, IDC_NEWPROJ_PROGRAM_NUMBER, m_programNumber);
}

BOOL CNewProjectDialog::OnInitDialog() {
  m_location = m_baseDir;
  m_nTaskType = 0;
  m_bRefreshing = true;
  CDialog::OnInitDialog();
  if (m_taskTypeBox.GetCount() == 0)
    for (const char* type : kNewProjTaskTypes) m_taskTypeBox.AddString(type);
  m_taskTypeBox.SetCurSel(0);
  if (m_pEnvironments) {
    POSITION pos = m_pEnvironments->GetHeadPosition();
    while (pos) {
      const CEnviron& env = m_pEnvironments->GetNext(pos);
      m_typeBox.AddString(env.name ? env.name : "");
    }
  }
  int preferred = m_typeBox.FindStringExact(-1, kNewProjPreferredType);
  if (preferred >= 0) m_typeBox.SetCurSel(preferred);
  m_bRefreshing = false;
  return TRUE;
}

void CNewProjectDialog::RefreshControls() {
  m_bRefreshing = true;
  UpdateData(FALSE);
  m_bRefreshing = false;
}

void CNewProjectDialog::OnBrowse() {
  UpdateData(TRUE);
  char path[MAX_PATH] = {};
  BROWSEINFO info{};
  info.hwndOwner = m_hWnd;
  info.pszDisplayName = path;
  info.lpszTitle = "Choose a directory";
  LPITEMIDLIST chosen = SHBrowseForFolder(&info);
  if (!chosen) return;
  if (SHGetPathFromIDList(chosen, path)) {
    m_location = path;
    m_baseDir = path;
    RefreshControls();
  }
  CoTaskMemFree(chosen);
}

void CNewProjectDialog::OnNameChanged() {
  if (m_bRefreshing) return;
  UpdateData(TRUE);
  m_createButton.EnableWindow(!m_name.IsEmpty());
  const int length = m_baseDir.GetLength();
  if (length == 0 || m_baseDir[length - 1] != '\\') m_baseDir += '\\';
  m_location = m_baseDir + m_name;
  RefreshControls();
}

void CNewProjectDialog::OnLocationChanged() {
  if (m_bRefreshing) return;
  UpdateData(TRUE);
  m_baseDir = m_location;
}

void CNewProjectDialog::OnCreate() {
  UpdateData(TRUE);
  if (m_type.IsEmpty()) ::MessageBox(m_hWnd, "project type not specified", nullptr, MB_OK);
  EndDialog(IDC_NEWPROJ_CREATE);
}
