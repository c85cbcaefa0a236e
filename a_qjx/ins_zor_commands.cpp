// The ZOR commands of installation files, and the PELIX command that is
// checked but not run.
#include <cstdlib>
#include <vector>

#include "a_qjx/ins_interpreter.h"
#include "a_qjx/ins_texts.h"
#include "a_qjx/ins_zor_fields.h"
#include "drivers/dovi32/dovi32.h"
#include "platform/sys/cfile.h"
#include "ytn1/ytn1.h"

namespace {

constexpr WORD kNiTask = 0, kIiTask = 1, kTiTask = 3;
constexpr WORD kFlagTaskType = 0x8, kFlagNoDataSize = 0x600, kFlagAutoInit = 0x800, kFlagActivate = 0x1000;

bool TaskType(const ZorFields& f, WORD* type) {
  CString name;
  if (!f.Value("TASKTYPE=", &name)) return true;
  if (name == "ZOR_NI_TASK")
    *type = kNiTask;
  else if (name == "ZOR_II_TASK")
    *type = kIiTask;
  else if (name == "ZOR_TI_TASK")
    *type = kTiTask;
  else
    return false;
  return true;
}

bool FileExists(const CString& name) {
  CFile file;
  if (!file.Open(name, CFile::modeRead | CFile::shareDenyNone)) return false;
  file.Abort();
  return true;
}

}  // namespace

int16_t InsInterpreter::ZorResult(uint16_t driverResult, Reply& reply) {
  if (driverResult == 0) return kLineAccepted;
  reply.result = ZorErrorText(driverResult);
  return kLineError;
}

// ZORRESET board=  (the value runs to the end of the line)
int16_t InsInterpreter::ZorReset(const Line& line, bool execute, Reply& reply) {
  reply.help = ins::kZorResetHelp;
  ZorFields f(line.text, line.original);
  CString value;
  if (!f.Value("BOARD=", &value, true) || value.IsEmpty() || !IsOfChars(value, 4, "0123456789ABCDEFabcdef"))
    return SyntaxError();
  if (!execute) return kLineAccepted;
  WORD board = WORD(std::strtoul(value, nullptr, 16));
  return ZorResult(zor_reset_board(board, GetTRailTimeout()), reply);
}

// ZORCONNECTCPU board= slot= layer=
int16_t InsInterpreter::ZorConnectCpu(const Line& line, bool execute, Reply& reply) {
  reply.help = ins::kZorConnectHelp;
  ZorFields f(line.text, line.original);
  DWORD board = 0, slot = 0, layer = 0;
  if (!f.Hex("BOARD=", 4, &board) || !f.Hex("SLOT=", 4, &slot) || !f.Hex("LAYER=", 4, &layer))
    return SyntaxError();
  if (!execute) return kLineAccepted;
  ExitCpu();
  uint32_t info = 0;
  uint16_t r = zor_connect_cpu(WORD(board), WORD(slot), WORD(layer), &info, &cpuConnection);
  if (r != 0) cpuConnection = 0;
  return ZorResult(r, reply);
}

// ZORLOADVANTOR vantor="file"
int16_t InsInterpreter::ZorLoadVantor(const Line& line, bool execute, Reply& reply) {
  reply.help = ins::kZorVantorHelp;
  ZorFields f(line.text, line.original);
  CString file;
  if (!f.Has("VANTOR=") || !f.Quoted(&file, false) || file.IsEmpty()) return SyntaxError();
  if (!execute) return kLineAccepted;
  return ZorResult(zor_load_vantor(cpuConnection, file), reply);
}

// ZORINST file="" no= [task=] [tasktype=] [level=] [irq=] [datasize=] [autoinit] [activate]
int16_t InsInterpreter::ZorInst(const Line& line, bool execute, Reply& reply) {
  reply.help = ins::kZorInstHelp;
  ZorFields f(line.text, line.original);
  CString file;
  DWORD number = 0, task = 0, level = 0, irq = 0, dataSize = 0;
  WORD type = kNiTask;
  if (!f.Has("FILE=") || !f.Quoted(&file, true) || !f.Hex("NO=", 4, &number)) return SyntaxError();
  if (!f.OptionalHex("TASK=", 4, &task) || !TaskType(f, &type) || !f.OptionalHex("LEVEL=", 4, &level) ||
      !f.OptionalHex("IRQ=", 4, &irq) || !f.OptionalHex("DATASIZE=", 8, &dataSize))
    return SyntaxError();
  // An interrupt number belongs to an interrupt task, and only there.
  if (f.Has("IRQ=") != (type == kIiTask)) return SyntaxError();
  if (!execute) return kLineAccepted;
  WORD flags = 0;
  if (f.Has("TASKTYPE=")) flags |= kFlagTaskType;
  if (!f.Has("DATASIZE=")) flags |= kFlagNoDataSize;
  if (f.HasWord("AUTOINIT")) flags |= kFlagAutoInit;
  if (f.HasWord("ACTIVATE")) flags |= kFlagActivate;
  ZOR_INSTALL_RECORD record{file, WORD(number), 0, WORD(task), type, WORD(level), WORD(irq), flags, dataSize};
  uint16_t installedTask = 0;
  return ZorResult(zor_transfer_and_install(cpuConnection, &record, &installedTask), reply);
}

// ZORPROC task= proc=
int16_t InsInterpreter::ZorProc(const Line& line, bool execute, Reply& reply) {
  reply.help = ins::kZorProcHelp;
  ZorFields f(line.text, line.original);
  DWORD task = 0, proc = 0;
  if (!f.Hex("TASK=", 4, &task) || !f.Hex("PROC=", 4, &proc)) return SyntaxError();
  if (!execute) return kLineAccepted;
  return ZorResult(zor_call_proc(cpuConnection, WORD(task), WORD(proc)), reply);
}

// ZORFUNC task= func= para= (the bytes run to the end of the line)
int16_t InsInterpreter::ZorFunc(const Line& line, bool execute, Reply& reply) {
  reply.help = ins::kZorFuncHelp;
  ZorFields f(line.text, line.original);
  DWORD task = 0, func = 0;
  std::vector<BYTE> params;
  if (!f.Hex("TASK=", 4, &task) || !f.Hex("FUNC=", 4, &func) || !f.HexBytes("PARA=", &params))
    return SyntaxError();
  if (!execute) return kLineAccepted;
  uint16_t largestIn = 0, largestOut = 0;
  if (int16_t r = ZorResult(zor_get_func_block_sizes(cpuConnection, &largestIn, &largestOut), reply))
    return r;
  if (params.size() > largestIn) {
    reply.result = ins::kTooManyParameters;
    return SyntaxError();
  }
  std::vector<BYTE> answer(size_t(largestOut) + 1);
  uint16_t length = uint16_t(params.size()), answerLength = 0;
  uint16_t r = zor_call_func(cpuConnection, WORD(task), WORD(func), &length, params.data(), &answerLength,
                             answer.data());
  if (r != 0) return ZorResult(r, reply);
  int shown = answerLength < largestOut ? answerLength : largestOut;
  if (shown > 0) reply.answer = AnswerText(answer.data(), shown, "%02X ");
  return kLineAccepted;
}

// ZORPAR task= start= para=
int16_t InsInterpreter::ZorPar(const Line& line, bool execute, Reply& reply) {
  reply.help = ins::kZorParHelp;
  ZorFields f(line.text, line.original);
  DWORD task = 0, start = 0;
  std::vector<BYTE> bytes;
  if (!f.Hex("TASK=", 4, &task) || !f.Hex("START=", 8, &start) || !f.HexBytes("PARA=", &bytes))
    return SyntaxError();
  // The driver takes a 16-bit start and length: nothing may wrap around.
  if (start > 0xFFFF || bytes.size() > 0xFFFF) return SyntaxError();
  if (!execute) return kLineAccepted;
  uint16_t length = uint16_t(bytes.size());
  return ZorResult(zor_write_par_block(cpuConnection, WORD(task), WORD(start), &length, bytes.data()), reply);
}

// ZORLOADMDD slot= layer= progno=
int16_t InsInterpreter::ZorLoadMdd(const Line& line, bool execute, Reply& reply) {
  reply.help = ins::kZorMddHelp;
  ZorFields f(line.text, line.original);
  DWORD slot = 0, layer = 0, program = 0;
  if (!f.Hex("SLOT=", 4, &slot) || !f.Hex("LAYER=", 4, &layer) || !f.Hex("PROGNO=", 4, &program))
    return SyntaxError();
  if (!execute) return kLineAccepted;
  uint16_t out1 = 0, out2 = 0;
  return ZorResult(zor_load_mdd(cpuConnection, WORD(slot), WORD(layer), 0, WORD(program), &out2, &out1),
                   reply);
}

// ZORFLASHFILE file="" (checked, run by other tools)
int16_t InsInterpreter::ZorFlashFile(const Line& line, bool, Reply& reply) {
  reply.help = ins::kZorFlashHelp;
  ZorFields f(line.text, line.original);
  CString file;
  if (!f.Has("FILE=") || !f.Quoted(&file, false) || !FileExists(file)) return SyntaxError();
  if (flags & kInsFlashFileOk) return kLineAccepted;
  reply.result = ins::kFlashFileSkipped;
  return kLineWarning;
}

// PELIXCONNECTCHANNELS name= count= index= (checked, never run here)
int16_t InsInterpreter::PelixConnectChannels(const Line& line, bool, Reply& reply) {
  reply.help = ins::kPelixHelp;
  ZorFields f(line.text, line.original);
  if (!f.Has("NAME=") || !f.Has("COUNT=") || !f.Has("INDEX=")) return SyntaxError();
  reply.result = ins::kPelixSkipped;
  return kLineWarning;
}
