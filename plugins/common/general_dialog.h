// The General page: the board (from the board-information library), the
// installation file and the executable.
#pragma once

#include <cstdint>

#include "platform/ui/afxdlg.h"

class CGeneralDialog : public CPropertyPage {
 public:
  enum { IDD = 172 };
  CGeneralDialog();

  void SetBoard(uint16_t cardClass, uint16_t cardNumber);
  void SetInsFile(const char* name) { m_insFile = name; }
  void SetExeFile(const char* name) { m_exeFile = name; }
  void GetBoard(uint16_t& cardClass, uint16_t& cardNumber, uint16_t& cardType) const;
  const CString& InsFile() const { return m_insFile; }
  const CString& ExeFile() const { return m_exeFile; }

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

 protected:
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  void BoardFromText();

  uint16_t m_cardClass = 0;
  uint16_t m_cardNumber = 0;
  uint16_t m_boardTypes[100] = {};
  CString m_board;
  CString m_insFile;
  CString m_exeFile;
};
