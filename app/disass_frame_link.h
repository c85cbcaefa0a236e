// The disassembly window's way to the IDE's main frame: while an object of
// this class lives, the disassembly document's File Open opens the main
// frame's dialog (g_pMainFrame, once there is one).
#pragma once

#include "disasm/disass_neighbours.h"

class CDisassMainFrameLink : public CDisassMainFrame {
 public:
  CDisassMainFrameLink();
  ~CDisassMainFrameLink() override;
  CDisassMainFrameLink(const CDisassMainFrameLink&) = delete;
  CDisassMainFrameLink& operator=(const CDisassMainFrameLink&) = delete;

  void OpenFileWithDialog() override;
};
