// CNewProjectDialog: name, location, environment, task type and program
// number of a new project (dialog 140). Create ends it with 1002.
#pragma once

#include "platform/ui/afxctrl.h"
#include "platform/ui/afxdlg.h"

class CEnvironmentList;

// Controls of the dialog.
constexpr int IDC_NEWPROJ_LOCATION = 1001;
constexpr int IDC_NEWPROJ_CREATE = 1002;
constexpr int IDC_NEWPROJ_NAME = 1004;
constexpr int IDC_NEWPROJ_TYPE = 1013;
constexpr int IDC_NEWPROJ_TASK_TYPE = 1020;
constexpr int IDC_NEWPROJ_PROGRAM_NUMBER = 1021;
constexpr int IDC_NEWPROJ_BROWSE = 3;

class CNewProjectDialog : public CDialog {
 public:
  // environments: the list shown in the type box (the application's when null).
  explicit CNewProjectDialog(CWnd* parent = nullptr, const CEnvironmentList* environments = nullptr);

  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnCreate();
  void OnBrowse();
  void OnNameChanged();
  void OnLocationChanged();

  CComboBox m_taskTypeBox;
  CComboBox m_typeBox;
  CButton m_createButton;
  CEdit m_nameEdit;
  CString m_location;
  CString m_name;
  CString m_type;
  int m_nTaskType = -1;
  CString m_programNumber = "0x7e57";
  CString m_baseDir = "c:\\";

 protected:
  void RefreshControls();

  const CEnvironmentList* m_pEnvironments;
  bool m_bRefreshing = false;  // our own control updates are not user edits

  DECLARE_MESSAGE_MAP()
};
