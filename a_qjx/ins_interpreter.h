// The installation-file interpreter: checks the syntax of installation-file
// lines and, in the installation pass, runs them on the boards through the
// driver libraries. One object per run (or per editor session).
#pragma once
#include <atomic>
#include <cstdint>
#include <vector>

#include "platform/base/afxcoll.h"
#include "platform/base/cstring.h"
#include "platform/base/windef.h"

// Run flags.
constexpr WORD kInsErrorBoxes = 0x01;    // a box for an error
constexpr WORD kInsFinishedBox = 0x02;   // "Installation finished!" after a good run
constexpr WORD kInsExecute = 0x04;       // installation pass (else syntax pass)
constexpr WORD kInsFlashFileOk = 0x08;   // ZORFLASHFILE accepted without a warning
constexpr WORD kInsWarningBoxes = 0x10;  // a box for each warning

// Results of a run. Codes that come from a driver never take one of these
// values (see InsInterpreter::DriverCode).
constexpr WORD kInsFileNotOpened = 0x207;
constexpr WORD kInsSyntaxError = 0x1207;
constexpr WORD kInsWrongBoard = 0x201;

// Line results.
constexpr int16_t kLineAccepted = 0, kLineError = 1, kLineWarning = 2;

// Set by OnDriverErrorRequest when the QJ driver reports a failed call.
extern std::atomic<DWORD> g_driverErrorRequest;
// The QJ driver's error callback of the interpreter.
void OnDriverErrorRequest();

class InsInterpreter {
 public:
  explicit InsInterpreter(WORD runFlags = 0) : flags(runFlags) {}
  ~InsInterpreter() { ExitCpu(); }
  InsInterpreter(const InsInterpreter&) = delete;
  InsInterpreter& operator=(const InsInterpreter&) = delete;

  // Runs a whole file with `flags`: 0 = success, else the code of the
  // failure (kInsFileNotOpened when the file cannot be opened).
  WORD RunFile(LPCTSTR path);
  // One line; execute non-zero runs it. Returns kLineAccepted, kLineError
  // or kLineWarning; help gets the command's syntax help, answer the
  // board's answer, result the error or warning text.
  int16_t ParseLine(LPCTSTR line, BOOL execute, CString& help, CString& answer, CString& result);
  // The QxCMD handler alone (the macro dialog sends "Q8CMD " + bytes).
  int16_t ParseCmd(LPCTSTR line, BOOL execute, CString& help, CString& answer, CString& result);
  // Disconnects a ZOR CPU that a line connected; 0 when none was.
  WORD ExitCpu();

  // True when text has at most limit characters, all from allowed.
  static bool IsOfChars(const CString& text, int limit, LPCTSTR allowed);

  // Error texts; each sets errorCode.
  CString QjErrorText();
  CString QjDriverErrorText(WORD error);
  CString ZorErrorText(WORD error);

  uint32_t cpuConnection = 0;
  WORD errorCode = 0;
  WORD flags = 0;

 private:
  struct Line {
    CString text;      // upper case, trimmed
    CString original;  // as written, trimmed (file names keep their case)
    CStringArray tokens, originalTokens;
  };
  struct Reply {
    CString help, answer, result;
  };
  using Handler = int16_t (InsInterpreter::*)(const Line&, bool, Reply&);

  int16_t Parse(LPCTSTR line, bool execute, bool cmdOnly, CString& help, CString& answer, CString& result);
  int16_t Dispatch(LPCTSTR line, bool execute, Reply& reply, bool cmdOnly);
  static void Split(LPCTSTR text, Line* line);
  int16_t SyntaxError();
  // A driver code as the run's result, kept apart from the run's own codes.
  static WORD DriverCode(WORD code);
  // Bytes of hex tokens; false when one is not 1 or 2 hex digits.
  static bool HexBytes(const CStringArray& tokens, int first, std::vector<BYTE>* bytes);
  static CString AnswerText(const BYTE* bytes, int count, LPCTSTR format);
  // The failure of a QJ call: the callback's report, else a non-zero result.
  bool QjFailed(int16_t result, Reply& reply);

  int16_t Device(const Line& line, bool execute, Reply& reply);
  int16_t DeviceBoard(WORD address, WORD* board, Reply& reply);
  int16_t Inst(const Line& line, bool execute, Reply& reply);
  int16_t Par(const Line& line, bool execute, Reply& reply);
  int16_t Proc(const Line& line, bool execute, Reply& reply);
  int16_t Func(const Line& line, bool execute, Reply& reply);
  int16_t Cmd(const Line& line, bool execute, Reply& reply);
  int16_t LinkTime(const Line& line, bool execute, Reply& reply);
  int16_t ZorReset(const Line& line, bool execute, Reply& reply);
  int16_t ZorConnectCpu(const Line& line, bool execute, Reply& reply);
  int16_t ZorLoadVantor(const Line& line, bool execute, Reply& reply);
  int16_t ZorInst(const Line& line, bool execute, Reply& reply);
  int16_t ZorProc(const Line& line, bool execute, Reply& reply);
  int16_t ZorFunc(const Line& line, bool execute, Reply& reply);
  int16_t ZorPar(const Line& line, bool execute, Reply& reply);
  int16_t ZorLoadMdd(const Line& line, bool execute, Reply& reply);
  int16_t ZorFlashFile(const Line& line, bool execute, Reply& reply);
  int16_t PelixConnectChannels(const Line& line, bool execute, Reply& reply);
  int16_t ZorResult(uint16_t driverResult, Reply& reply);

  friend struct InsKeyword;
};
