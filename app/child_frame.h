// CChildFrame: the MDI child of the source and disassembly documents.
// While the last run's documents are reopened it takes their saved place
// and show state.
#pragma once

#include "framework/sec_worksheet.h"

class CChildFrame : public SECWorksheet {
  DECLARE_DYNCREATE(CChildFrame)
 public:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  void ActivateFrame(int nCmdShow = -1) override;
};
