// The link to the debug kernel on the board: framed one-letter requests
// [n+1][letter][data], the kernel's acknowledgement byte, an answer length
// byte that must match what the caller expects, a go-ahead byte, and the
// answer's data. After each reported debug event the link hands control to
// the session's run control (g_pDebugControl).
#pragma once

#include <atomic>

#include "platform/base/windef.h"

class CTDKernelCommunication {
 public:
  // A frame carries at most this many request data bytes.
  static const WORD kMaxRequest = 126;
  // Poll reads an answer of any length up to this into its buffer.
  static const WORD kMaxAnswer = 255;

  CTDKernelCommunication() = default;
  virtual ~CTDKernelCommunication() = default;

  // Runs the program until its next stop: the 'D' frame, the 4 event bytes
  // into answer[1..4]; unless noEvent, then the run control's event
  // handling. 1 done, 0 failed.
  virtual int ReceiveEvent(BYTE* answer, int noEvent) = 0;
  // One command; answer needs expected + 1 bytes: answer[0] the length,
  // then the data. A request longer than kMaxRequest is refused (0).
  virtual int SendKernelCommand(char command, const BYTE* request, WORD requestLength, BYTE* answer,
                                WORD expected) = 0;
  // The kernel's poll answer (answer needs kMaxAnswer + 1 bytes); its second
  // data byte becomes the split mode.
  virtual int Poll(BYTE* answer) = 0;
  // Breaks into the running program and drains what the kernel sends.
  virtual void Escape() = 0;
  // Ends every wait for an answer (from another thread too).
  virtual void Abort() = 0;
  virtual int Query() { return 0; }
  virtual void Notify(DWORD) {}

  // Non-zero ends every wait for an answer with failure.
  std::atomic<DWORD> abortFlag{0};
  // 1: the first byte of a request goes out alone, followed by a pause.
  BYTE splitMode = 1;
};

extern CTDKernelCommunication* g_pKernelLink;
