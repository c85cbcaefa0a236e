// The I/O-Port Access dialog: reads and writes one of the board's I/O
// ports, a byte or a word wide, through the board object. Addresses and
// values are typed in decimal or hexadecimal; each one used is kept in its
// combo box's list.
#pragma once

#include "debugger/ui/hex_numeric_combo.h"
#include "platform/ui/afxdlg.h"

class CKalvenBoard;

class CIOPortDialog : public CDialog {
 public:
  static const UINT kTemplate = 141;
  static const int kAddress = 1014, kValue = 1005, kByteWidth = 1006, kWrite = 1008, kRead = 1013;
  enum Width { kByte = 0, kWord = 1 };

  // Without a board (null) Read and Write do nothing.
  CIOPortDialog(CKalvenBoard* board, CWnd* parent = nullptr);
  BOOL OnInitDialog() override;

  // The value text of a port read: "63 (003fh)".
  static CString ValueText(WORD value);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnWrite();
  void OnRead();
  DECLARE_MESSAGE_MAP()

 private:
  void RememberTexts();

  CKalvenBoard* m_board;
  CHexNumericComboBox m_addressCombo;
  CHexNumericComboBox m_valueCombo;
  CString m_addressText;
  CString m_valueText;
  int m_width = kByte;
};
