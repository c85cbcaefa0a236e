// The start and end of a debug session, run on the GUI thread for the
// main frame: the variant is chosen from the executable and the project's
// board settings, the board is brought up, the debug kernel and the
// program are made present on it, and the front end gets the source
// breakpoints. The frame's part (bars, installers, views) is reached
// through DebugSessionFrame.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/base/windef.h"

class CDebugger;
class ProjectData;

// The debug bars whose visibility a session remembers.
enum class DebugBar { Registers, Variable, CallStack };

class DebugSessionFrame {
 public:
  virtual ~DebugSessionFrame() = default;
  virtual HWND Window() = 0;
  virtual ProjectData* Project() = 0;
  // Installs the debug kernel on g_pBoard; non-zero when it failed.
  virtual WORD InstallDebugKernel() = 0;
  // Runs the project's installation file.
  virtual void RunInstallationFile() = 0;
  virtual void ClearExecutionMarkers() = 0;
  virtual bool IsBarVisible(DebugBar bar) = 0;
  virtual void ShowBar(DebugBar bar, bool show) = 0;
  virtual void RecalcLayout() = 0;
  // Hands the Variable bar g_pEval and g_pRegisters, the Registers bar g_pRegEval.
  virtual void GiveBarsEvaluators() = 0;
  // Closes the disassembly document when it is open.
  virtual void CloseDisassembly() = 0;
};

// Makes the front end for a program of the host (an ELF file, debugged by
// gdb); it sets *pSessionActive itself. Without one such programs start
// no session.
using HostProgramDebuggerFactory =
    std::function<CDebugger*(const char* path, HWND frame, int* pSessionActive)>;
void SetHostProgramDebuggerFactory(HostProgramDebuggerFactory factory);

// The outcome of the stop handshake with the board's kernel.
enum class StopHandshake { NoBoard, Done, NoAnswer };

class CDebugSession {
 public:
  // Reads of the stop handshake, and the pause between two of them.
  static constexpr int kHandshakeReads = 256;
  static constexpr DWORD kHandshakePauseMs = 10;
  // Pause before the kernel is installed again after a re-installation.
  static constexpr DWORD kReinstallPauseMs = 1000;

  explicit CDebugSession(DebugSessionFrame& frame) : m_frame(frame) {}

  // True when a session is up: then g_pCurrentDebugger is its front end
  // and *pSessionActive 1. A failed start leaves g_pCurrentDebugger null.
  bool StartDebugger(const char* path, int* pSessionActive, int* pSpare, uint32_t startFlag);
  // The board's stop handshake (index 0x34F1 of the kernel task: 1 asks,
  // 2 answers) and the bars' bookkeeping; ends with *pSessionActive 0.
  StopHandshake StopDebugSession(int* pSessionActive);
  // The Go command: starts a session when there is none (reporting "Error
  // starting Debugger!" when that fails), else lets the program run.
  void Go(const char* path, int* pSessionActive, int* pSpare);

 private:
  enum class Outcome { Up, Failed };
  Outcome BringUpBoard(ProjectData* project);
  Outcome EnsureKernel(ProjectData* project, DWORD pauseMs);
  // Creates the front end for the board; *communicating, program time and
  // date tell how far it got. Null when the front end could not go on.
  CDebugger* CreateFrontEnd(const char* path, ProjectData* project, int* pSpare, bool* communicating,
                            uint16_t* time, uint16_t* date);
  void FinishStart(CDebugger* frontEnd, uint32_t startFlag);
  void DropBoard();

  DebugSessionFrame& m_frame;
  int m_debugInfoOk = 0;
};

// Whether the bars were visible when the last session ended.
extern int g_bRegistersBarWasVisible;
extern int g_bVariableBarWasVisible;
extern int g_bCallStackBarWasVisible;
