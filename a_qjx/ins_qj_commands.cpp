// The QJ commands of installation files: DEVICE, INST, PAR, PROC and FUNC.
// Tokens are split at blanks and tabs; token 0 is the keyword, numbers are
// hexadecimal.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "a_qjx/ins_interpreter.h"
#include "a_qjx/ins_texts.h"
#include "drivers/rizo32/rizo32.h"

namespace {

constexpr const char* kHex = "0123456789ABCDEFabcdef";
constexpr const char* kDecimal = "0123456789";
constexpr WORD kDefaultTimeout = 10;
constexpr WORD kLastBoardNumber = 99;
constexpr WORD kConfigBlockSize = 80;
constexpr int kFuncBufferSize = 256;

DWORD HexValue(const CString& text) { return DWORD(std::strtoul(text, nullptr, 16)); }

bool IsHex(const CString& text, int digits) {
  return !text.IsEmpty() && InsInterpreter::IsOfChars(text, digits, kHex);
}

// The number of arguments after the keyword.
int ArgumentCount(const CStringArray& tokens) { return tokens.GetSize() - 1; }

int16_t StartBoard(int generation, WORD board, WORD timeout) {
  switch (generation) {
    case 2:
      return qj2_start(board, 0, 1, 0, 0, OnDriverErrorRequest, timeout);
    case 6:
      return qj6_start(board, 0, 1, 0, 0, OnDriverErrorRequest, timeout);
    case 7:
      return qj7_start(board, 0, 1, 0, 0, OnDriverErrorRequest, timeout);
    default:
      return qj8_start(board, 0, 1, 0, 0, OnDriverErrorRequest, timeout);
  }
}

int16_t ResetBoard(int generation, WORD board, const char* os, WORD timeout) {
  switch (generation) {
    case 2:
      return qj2_reset(board, 0, 1, 0, 0, OnDriverErrorRequest, os, timeout);
    case 6:
      return qj6_reset(board, 0, 1, 0, 0, OnDriverErrorRequest, os, timeout);
    case 7:
      return qj7_reset(board, 0, 1, 0, 0, OnDriverErrorRequest, os, timeout);
    default:
      return qj8_reset(board, 0, 1, 0, 0, OnDriverErrorRequest, os, timeout);
  }
}

}  // namespace

bool InsInterpreter::HexBytes(const CStringArray& tokens, int first, std::vector<BYTE>* bytes) {
  bytes->clear();
  for (int i = first; i < tokens.GetSize(); ++i) {
    if (!IsHex(tokens[i], 2)) return false;
    bytes->push_back(BYTE(HexValue(tokens[i])));
  }
  return true;
}

CString InsInterpreter::AnswerText(const BYTE* bytes, int count, LPCTSTR format) {
  CString text = ins::kAnswerPrefix, one;
  for (int i = 0; i < count; ++i) {
    one.Format(format, (unsigned short)bytes[i]);
    text += one;
  }
  return text;
}

bool InsInterpreter::QjFailed(int16_t result, Reply& reply) {
  if (g_driverErrorRequest == 1)
    reply.result = QjErrorText();
  else if (result != 0)
    reply.result = QjDriverErrorText(WORD(result));
  else
    return false;
  return true;
}

// QxDEVICE adr [TIMEOUT=time] [RESET osname]
int16_t InsInterpreter::Device(const Line& line, bool execute, Reply& reply) {
  reply.help = ins::kDeviceHelp;
  const CStringArray& t = line.tokens;
  const int n = ArgumentCount(t);
  if (n < 1 || n > 4 || !IsHex(t[1], 4)) return SyntaxError();
  int i = 2;
  WORD timeout = kDefaultTimeout;
  if (i <= n && std::strncmp(t[i], "TIMEOUT=", 8) == 0) {
    CString value = t[i].Mid(8);
    // Not decimal: the run fails in the end, but the line goes on.
    if (!IsOfChars(value, 100, kDecimal)) errorCode = kInsSyntaxError;
    // The digits are read as hexadecimal, as the files in use expect.
    if (!value.IsEmpty()) timeout = WORD(HexValue(value));
    ++i;
  }
  bool reset = false;
  CString os = "ROM";
  if (i <= n) {
    if (t[i] != "RESET") return SyntaxError();
    reset = true;
    if (++i <= n) os = line.originalTokens[i++];
  }
  if (i <= n) return SyntaxError();
  if (!execute) return kLineAccepted;

  const WORD address = WORD(HexValue(t[1]));
  WORD board = address;
  if (address > kLastBoardNumber && DeviceBoard(address, &board, reply) != kLineAccepted) return kLineError;
  qj8_clear_error();
  const int generation = line.text[1] - '0';
  int16_t r = reset ? ResetBoard(generation, board, os, timeout) : StartBoard(generation, board, timeout);
  // Nothing may run on a board that did not start.
  if (r != 0) {
    reply.result = QjDriverErrorText(WORD(r));
    return kLineError;
  }
  qj8_set_macro_interruptible(1);
  return kLineAccepted;
}

// The board at an I/O address: the last of boards 0..99 configured there.
int16_t InsInterpreter::DeviceBoard(WORD address, WORD* board, Reply& reply) {
  int found = -1;
  for (WORD b = 0; b <= kLastBoardNumber; ++b) {
    BYTE block[kConfigBlockSize] = {};
    const DWORD size = kConfigBlockSize;
    std::memcpy(block, &size, sizeof size);
    if (qj8_get_config(b, block) == 0) continue;
    DWORD flag = 0;
    WORD at = 0;
    std::memcpy(&flag, block + 8, sizeof flag);
    std::memcpy(&at, block + 16, sizeof at);
    if (flag == 0 && at == address) found = b;
  }
  if (found < 0) {
    reply.result = ins::kWrongBoard;
    errorCode = kInsWrongBoard;
    return kLineError;
  }
  *board = WORD(found);
  return kLineAccepted;
}

// QxINST filename number task interrupt datasize flags
int16_t InsInterpreter::Inst(const Line& line, bool execute, Reply& reply) {
  reply.help = ins::kInstHelp;
  const CStringArray& t = line.tokens;
  if (ArgumentCount(t) != 6 || !IsHex(t[2], 4) || !IsHex(t[3], 4) || !IsHex(t[4], 2) || !IsHex(t[5], 6) ||
      !IsHex(t[6], 8))
    return SyntaxError();
  if (!execute) return kLineAccepted;
  int16_t r = qj8_transfer_and_install(line.originalTokens[1], 0, WORD(HexValue(t[3])), WORD(HexValue(t[2])),
                                       WORD(HexValue(t[4])), HexValue(t[6]), HexValue(t[5]));
  return QjFailed(r, reply) ? kLineError : kLineAccepted;
}

// QxPAR task start b1 [b2] ... [bm]
int16_t InsInterpreter::Par(const Line& line, bool execute, Reply& reply) {
  reply.help = ins::kParHelp;
  const CStringArray& t = line.tokens;
  std::vector<BYTE> bytes;
  // Every byte is checked before the first one is written.
  if (ArgumentCount(t) < 3 || !IsHex(t[1], 4) || !IsHex(t[2], 4) || !HexBytes(t, 3, &bytes))
    return SyntaxError();
  const WORD task = WORD(HexValue(t[1]));
  const DWORD start = HexValue(t[2]);
  if (start + bytes.size() - 1 > 0xFFFF) return SyntaxError();
  if (!execute) return kLineAccepted;
  for (size_t i = 0; i < bytes.size(); ++i) {
    int16_t r = qj8_write_par_byte(task, WORD(start + i), bytes[i]);
    if (QjFailed(r, reply)) return kLineError;
  }
  return kLineAccepted;
}

// QxPROC task procnr
int16_t InsInterpreter::Proc(const Line& line, bool execute, Reply& reply) {
  reply.help = ins::kProcHelp;
  const CStringArray& t = line.tokens;
  if (ArgumentCount(t) != 2 || !IsHex(t[1], 4) || !IsHex(t[2], 4)) return SyntaxError();
  if (!execute) return kLineAccepted;
  int16_t r = qj8_call_proc(WORD(HexValue(t[1])), WORD(HexValue(t[2])));
  return QjFailed(r, reply) ? kLineError : kLineAccepted;
}

// QxFUNC task funcnr [p1] ... [pn]
int16_t InsInterpreter::Func(const Line& line, bool execute, Reply& reply) {
  reply.help = ins::kFuncHelp;
  const CStringArray& t = line.tokens;
  if (ArgumentCount(t) < 2 || !IsHex(t[1], 4) || !IsHex(t[2], 4)) return SyntaxError();
  if (ArgumentCount(t) - 2 > kFuncBufferSize) {
    reply.result = ins::kTooManyParameters;
    return SyntaxError();
  }
  if (!execute) return kLineAccepted;
  // Parameters are taken as written, each read as a hexadecimal byte.
  std::vector<BYTE> params;
  for (int i = 3; i < t.GetSize(); ++i) params.push_back(BYTE(HexValue(t[i])));
  BYTE answer[kFuncBufferSize] = {};
  uint16_t answerLength = 0, status = 0;
  int16_t r = qj8_call_func(WORD(HexValue(t[1])), WORD(HexValue(t[2])), uint16_t(params.size()),
                            params.data(), kFuncBufferSize, &answerLength, answer, &status);
  if (QjFailed(r, reply)) return kLineError;
  if (status == 0) {
    int shown = answerLength < kFuncBufferSize ? answerLength : kFuncBufferSize;
    if (shown > 0) reply.answer = AnswerText(answer, shown, "%.2hX ");
    return kLineAccepted;
  }
  if (status == 1)
    reply.result = ins::kFuncTimeout;
  else if (status == 0x18)
    reply.result = ins::kFuncMissing;
  else
    reply.result.Format("Number %hx hex", (unsigned short)status);
  errorCode = DriverCode(status);
  return kLineError;
}
