// The Connection page: host interface with task numbers, or a PC serial
// port with card interface and transfer rate; the kernel program's folder.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ui/afxdlg.h"

class CConnectionDialog : public CPropertyPage {
 public:
  enum { IDD = 173 };
  CConnectionDialog();

  void SetCardInterface(uint16_t cardInterface);
  void SetPcPort(uint16_t port);
  void SetBaudRate(uint32_t baud);
  void SetDebuggeeNum(uint16_t n) { m_debuggeeNum = n; }
  void SetKernelNum(uint16_t n) { m_kernelNum = n; }
  void SetKernelPath(const char* path) { m_kernelPath = path; }

  // Values that no button or entry chose keep what was set.
  uint16_t GetCardInterface() const;
  uint16_t GetPcPort() const;
  uint32_t GetBaudRate() const;
  uint16_t GetDebuggeeNum() const { return static_cast<uint16_t>(m_debuggeeNum); }
  uint16_t GetKernelNum() const { return static_cast<uint16_t>(m_kernelNum); }
  CString GetKernelPath() const;

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

 protected:
  void OnDestroy();
  void OnHostInterface();
  void OnSerial();
  void OnBrowse();
  DECLARE_MESSAGE_MAP()

 private:
  void FillPorts();
  void EnableSerialControls(BOOL serial);

  uint16_t m_setInterface = 0;
  uint32_t m_setBaud = 0;
  CString m_baud;
  CString m_port;
  int m_cardInterface = -1;
  CString m_kernelPath;
  int m_mode = -1;
  int m_kernelNum = 0;
  int m_debuggeeNum = 0;
};

// The serial ports of HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM that
// can be opened now (missing or busy ports are left out), in key order.
std::vector<CString> OpenableSerialPorts();
