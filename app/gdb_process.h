// gdb as a child process of a gdb debug session: its output is read on the
// reader thread and reported to the main frame with the frame messages.
// The end of the program and gdb's own end are posted, so that the frame's
// handler may delete the session while this reader waits for nothing.
#pragma once

#include <string>

#include "app/ext_console_process.h"
#include "debugger/gdb_output.h"

class CGDBProcess : public CExtConsoleProcess, private GdbOutputWatcher {
 public:
  // The text of the finish message when gdb itself ends.
  static constexpr const char* kGdbEnded = "gdb has ended.";
  // How long the end of a session waits for gdb to quit before it ends it.
  static constexpr DWORD kQuitWaitMs = 3000;

  // The program to start: $MIRT_GDB when set, else "gdb" from the PATH.
  static std::string CommandLine();

  CGDBProcess();
  // Quits gdb ("q"), ending it when it does not quit in time, and waits
  // for the reader while serving what it sends.
  ~CGDBProcess();

  // Lets the reader run, reporting to `frame` and keeping `state` (the
  // front end's state word).
  void Start(HWND frame, uint16_t* state);
  DWORD Run(LPVOID param) override;

  // Writes one command and its line end; `kind` says how its answer is read.
  void WriteCommand(const char* command, GdbAnswerKind kind = GdbAnswerKind::kOther);

  HWND m_pFrame = nullptr;
  uint16_t* m_pState = nullptr;

 private:
  void OnCallStackText(const char* text) override;
  void OnProgramExited(const char* line) override;
  void OnStopLocation(const char* file, int line) override;
  void OnWatchValue(const char* typeText, const char* valueText) override;
  void OnOutputText(const char* line) override;
  void OnRunEnded() override;
  bool Reporting() const;
  void SetState(uint16_t state);
  void PostFinished(const char* text);
  bool ReaderEnded();

  GdbOutputParser m_parser;
  LONG m_quiet = 0;         // set when the session ends: no more reports
  LONG m_finishPosted = 0;  // one finish message per session
  bool m_started = false;
};
