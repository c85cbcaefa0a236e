#include "plugins/common/connection_dialog.h"

#include <cstdlib>

#include "platform/sys/file.h"
#include "platform/sys/registry.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/commdlg.h"
#include "plugins/common/number_combo_box.h"

namespace {
constexpr int kConnBaud = 1142;
constexpr int kConnPort = 1141;
constexpr int kConnKernelPath = 1143;
constexpr int kConnInterfaceA = 1139;
constexpr int kConnInterfaceB = 1147;
constexpr int kConnHost = 1144;
constexpr int kConnSerial = 1146;
constexpr int kConnKernelNum = 1152;
constexpr int kConnDebuggeeNum = 1126;
constexpr int kConnBrowse = 1151;
constexpr int kConnMaxTask = 1023;
constexpr int kConnNameSize = 256;
// The transfer rates offered.
constexpr const char* kConnBaudRates[] = {"9600", "19200", "38400", "115200"};

// Enabled in serial mode, disabled with the host interface.
constexpr int kConnSerialControls[] = {kConnBaud, kConnPort, kConnInterfaceA, kConnInterfaceB, 1148,
                                       1150,      1149};
// Enabled with the host interface, disabled in serial mode.
constexpr int kConnHostControls[] = {kConnKernelNum, kConnDebuggeeNum, 1153, 1154};
}  // namespace

BEGIN_MESSAGE_MAP(CConnectionDialog, CPropertyPage)
ON_WM_DESTROY()
ON_CONTROL(BN_CLICKED, 1144, OnHostInterface)
ON_CONTROL(BN_CLICKED, 1146, OnSerial)
ON_CONTROL(BN_CLICKED, 1151, OnBrowse)
END_MESSAGE_MAP()

CConnectionDialog::CConnectionDialog() : CPropertyPage(IDD) {}

void CConnectionDialog::SetCardInterface(uint16_t cardInterface) {
  m_setInterface = cardInterface;
  m_cardInterface = cardInterface <= 1 ? cardInterface : -1;
}

void CConnectionDialog::SetPcPort(uint16_t port) {
  m_mode = port ? 1 : 0;
  m_port.Format("COM%d", port);
}

void CConnectionDialog::SetBaudRate(uint32_t baud) {
  m_setBaud = baud;
  m_baud.Format("%u", baud);
}

uint16_t CConnectionDialog::GetCardInterface() const {
  return m_cardInterface < 0 ? m_setInterface : static_cast<uint16_t>(m_cardInterface);
}

uint16_t CConnectionDialog::GetPcPort() const {
  if (m_mode != 1 || m_port.Left(3) != "COM") return 0;
  return static_cast<uint16_t>(std::atoi(m_port.Mid(3)));
}

uint32_t CConnectionDialog::GetBaudRate() const {
  if (m_baud.IsEmpty()) return m_setBaud;
  return static_cast<uint32_t>(std::strtoul(m_baud, nullptr, 10));
}

CString CConnectionDialog::GetKernelPath() const {
  CString path = m_kernelPath;
  // A folder that already ends in a separator ("/" too) keeps it as it is.
  if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\' && path[path.GetLength() - 1] != '/')
    path += "\\";
  return path;
}

void CConnectionDialog::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_CBString(pDX, kConnBaud, m_baud);
  DDX_CBString(pDX, kConnPort, m_port);
  DDX_CBString(pDX, kConnKernelPath, m_kernelPath);
  DDX_Radio(pDX, kConnInterfaceA, m_cardInterface);
  DDX_Radio(pDX, kConnHost, m_mode);
  DDX_Text(pDX, kConnKernelNum, m_kernelNum);
  DDV_MinMaxInt(pDX, m_kernelNum, 0, kConnMaxTask);
  DDX_Text(pDX, kConnDebuggeeNum, m_debuggeeNum);
  DDV_MinMaxInt(pDX, m_debuggeeNum, 0, kConnMaxTask);
}

BOOL CConnectionDialog::OnInitDialog() {
  if (GetDlgItem(kConnBaud))
    for (const char* rate : kConnBaudRates)
      SendDlgItemMessage(kConnBaud, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rate));
  CPropertyPage::OnInitDialog();
  SubclassNumberComboBox(GetDlgItem(kConnBaud));
  SubclassNumberEdit(GetDlgItem(kConnKernelNum));
  SubclassNumberEdit(GetDlgItem(kConnDebuggeeNum));
  FillPorts();
  EnableSerialControls(m_mode == 1);
  return TRUE;
}

void CConnectionDialog::FillPorts() {
  if (!GetDlgItem(kConnPort)) return;
  for (const CString& port : OpenableSerialPorts())
    SendDlgItemMessage(kConnPort, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(port)));
  LRESULT index = m_port.IsEmpty()
                      ? CB_ERR
                      : SendDlgItemMessage(kConnPort, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(static_cast<LPCSTR>(m_port)));
  SendDlgItemMessage(kConnPort, CB_SETCURSEL, static_cast<WPARAM>(index == CB_ERR ? 0 : index));
}

std::vector<CString> OpenableSerialPorts() {
  std::vector<CString> ports;
  HKEY key;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
    return ports;
  for (DWORD i = 0;; ++i) {
    char name[kConnNameSize];
    BYTE data[kConnNameSize] = {};
    DWORD nameLen = sizeof name, dataLen = sizeof data - 1, type = 0;
    if (RegEnumValue(key, i, name, &nameLen, nullptr, &type, data, &dataLen) != ERROR_SUCCESS) break;
    CString port(reinterpret_cast<const char*>(data));
    CString device = "\\\\.\\" + port;
    HANDLE h = CreateFile(device, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) continue;
    CloseHandle(h);
    ports.push_back(port);
  }
  RegCloseKey(key);
  return ports;
}

void CConnectionDialog::EnableSerialControls(BOOL serial) {
  for (int id : kConnSerialControls)
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(serial);
  for (int id : kConnHostControls)
    if (CWnd* w = GetDlgItem(id)) w->EnableWindow(!serial);
}

void CConnectionDialog::OnHostInterface() { EnableSerialControls(FALSE); }

void CConnectionDialog::OnSerial() { EnableSerialControls(TRUE); }

void CConnectionDialog::OnBrowse() {
  char cwd[MAX_PATH] = {};
  GetCurrentDirectory(MAX_PATH, cwd);
  BROWSEINFO info = {};
  info.lpszTitle = "Choose a directory";
  if (LPITEMIDLIST item = SHBrowseForFolder(&info)) {
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDList(item, path)) {
      m_kernelPath = path;
      UpdateData(FALSE);
    }
    CoTaskMemFree(item);
  }
  SetCurrentDirectory(cwd);
}

void CConnectionDialog::OnDestroy() {
  CPropertyPage::OnDestroy();
  UpdateData(TRUE);
}
