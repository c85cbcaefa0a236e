#include "debugger/session/debug_worker.h"

#include <cstring>
#include <memory>
#include <unordered_set>

#include "debugger/breakpoint_addr_list.h"
#include "debugger/debug_access.h"
#include "debugger/debug_control.h"
#include "debugger/debug_interp.h"
#include "debugger/debug_message.h"
#include "debugger/eval.h"
#include "debugger/session/frame_messages.h"
#include "debugger/segoff.h"
#include "debugger/session_globals.h"
#include "debugger/target_registers.h"
#include "disasm/listing_line.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/message.h"

CDebugWorker* g_pDebugWorker = nullptr;

namespace {

constexpr size_t kDebugWorkerFileNameSize = 256;
constexpr uint16_t kDebugWorkerNoLine = 0xFFFF;
// A stop this close behind the break address resumes at the resume address.
constexpr uint32_t kDebugWorkerResumeWindow = 10;
constexpr const char kDebugWorkerNotDefined[] = "<not defined>";

// Statics: the frame may be posted a record, which must outlive the post.
StopLocation g_debugWorkerStop;
StopLocation g_debugWorkerPostedStop;
char g_debugWorkerPostedFile[kDebugWorkerFileNameSize];

void DebugWorkerRemoveTemporaries(const CAddr& ip, uint16_t outsideKinds, uint16_t allKinds) {
  CBreakpointAddrList* list = g_pBreakpointAddrList;
  if (!list) return;
  if (outsideKinds) list->RemoveOutsideFunction(ip, outsideKinds);
  for (uint16_t kind : {BP_TRACE, BP_STEP_OVER, BP_RETURN})
    if (allKinds & kind) list->RemoveAllOfKind(kind);
}

}  // namespace

CDebugWorker::CDebugWorker(const char*, HWND frame, HANDLE pipeRead)
    : m_pFrame(frame), m_hPipeRead(pipeRead) {
  m_exitAddress = CAddr(0, 0);
  m_pSavedRegisters = new TargetRegisters;
}

CDebugWorker::~CDebugWorker() { delete m_pSavedRegisters; }

void CDebugWorker::SendToFrame(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pFrame) SendMessage(m_pFrame, message, wParam, lParam);
}

void CDebugWorker::PostToFrame(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pFrame) PostMessage(m_pFrame, message, wParam, lParam);
}

CAddr CDebugWorker::CurrentIP() const { return g_pRegisters ? g_pRegisters->code : CAddr::Invalid(); }

int CDebugWorker::IsRunning() { return m_state == kWorkerRunning; }

int CDebugWorker::CanSetBreakpoints() { return 1; }

void CDebugWorker::ReadFrameAddress() {
  if (g_pDebugAccess) g_pDebugAccess->ReadReturnAddressAtStack(&m_frameAddress);
}

void CDebugWorker::SetQuietStop(int flag) { m_bQuietStop = flag; }

void CDebugWorker::LineToAddress(const char* file, uint16_t line, CAddr* out) {
  char name[kDebugWorkerFileNameSize] = {};
  std::strncpy(name, file ? file : "", sizeof name - 1);
  *out = CAddr::Invalid();
  if (g_pDebugInterp) g_pDebugInterp->LineToAddress(name, &line, out);
}

int CDebugWorker::StoppedAtBreakpoint() {
  return g_pDebugControl ? g_pDebugControl->StoppedAtBreakpoint() : 0;
}

void CDebugWorker::GetBreakAddress(CAddr* out) {
  if (g_pDebugControl) g_pDebugControl->GetBreakAddress(out);
}

void CDebugWorker::SetResumeAddress(const CAddr* address) { m_resumeAddress = *address; }

// --- the command pipe ---------------------------------------------------

CDebugWorker::PipeRead CDebugWorker::ReadExactly(void* buffer, DWORD size) {
  auto* p = static_cast<uint8_t*>(buffer);
  DWORD got = 0;
  while (got < size) {
    DWORD n = 0;
    if (!ReadFile(m_hPipeRead, p + got, size - got, &n, nullptr)) return PipeRead::Closed;
    got += n;
  }
  return PipeRead::Ok;
}

DWORD CDebugWorker::CommandLoop() {
  m_bQuietStop = 0;
  for (;;) {
    WaitForCommand();
    uint8_t opcode = 0;
    if (ReadExactly(&opcode, 1) == PipeRead::Closed || opcode == kOpQuit) return 0;
    if (opcode >= kOpFirstInternal) OnInternalOpcode(opcode);
    if (opcode < kOpEvaluateWatch || opcode > kOpRunToLine) continue;
    if (Dispatch(opcode) == PipeRead::Closed) return 0;
  }
}

CDebugWorker::PipeRead CDebugWorker::Dispatch(uint8_t opcode) {
  char* text = nullptr;
  uint16_t line = 0;
  uint32_t address = 0;
  uint8_t mode = 0;
  const bool hasText = opcode == kOpEvaluateWatch || opcode == kOpSetLineBreakpoint ||
                       opcode == kOpClearLineBreakpoint || opcode == kOpSetIPToLine || opcode == kOpRunToLine;
  const bool hasLine = hasText && opcode != kOpEvaluateWatch;
  const bool hasAddress = opcode == kOpSetIPToAddress || opcode == kOpSetAddressBreakpoint ||
                          opcode == kOpClearAddressBreakpoint || opcode == kOpRunToAddress ||
                          opcode == kOpStartProgram;
  const bool hasMode = opcode == kOpTraceInto || opcode == kOpStepOver;
  if (hasText && ReadExactly(&text, sizeof text) == PipeRead::Closed) return PipeRead::Closed;
  std::unique_ptr<char[]> owned(text);
  if (hasLine && ReadExactly(&line, sizeof line) == PipeRead::Closed) return PipeRead::Closed;
  if (hasAddress && ReadExactly(&address, sizeof address) == PipeRead::Closed) return PipeRead::Closed;
  if (hasMode && ReadExactly(&mode, sizeof mode) == PipeRead::Closed) return PipeRead::Closed;

  switch (opcode) {
    case kOpEvaluateWatch:
      EvaluateWatch(text);
      break;
    case kOpSetLineBreakpoint:
      SetLineBreakpoint(text, line);
      break;
    case kOpClearLineBreakpoint:
      ClearLineBreakpoint(text, line);
      break;
    case kOpGo:
      if (!Go() && !m_bQuietStop) DebugMessageBox("No communication with debug kernel", "Error", MB_OK);
      break;
    case kOpTraceInto:
      TraceInto(mode);
      break;
    case kOpStepOver:
      if (!StepOver(mode)) OnKernelNoAnswer();
      break;
    case kOpStepOut:
      StepOut();
      break;
    case kOpCallStack:
      SendCallStack();
      break;
    case kOpSetIPToLine:
      SetIPToLine(text, line);
      break;
    case kOpRegisters:
      SendRegisters();
      break;
    case kOpReset:
      Reset();
      break;
    case kOpStartProgram:
      StartProgram(address);
      break;
    case kOpBreak:
      Break();
      break;
    case kOpSetIPToAddress:
      SetIPToAddress(address);
      break;
    case kOpSetAddressBreakpoint:
    case kOpClearAddressBreakpoint:
      if (opcode == kOpSetAddressBreakpoint)
        SetAddressBreakpoint(address);
      else
        ClearAddressBreakpoint(address);
      PostToFrame(WM_DISASSEMBLY_UPDATE, 0, LPARAM(address));
      break;
    case kOpRunToAddress:
      RunToAddress(address);
      break;
    case kOpRunToLine:
      RunToLine(text, line);
      break;
    default:
      break;
  }
  return PipeRead::Ok;
}

// --- running --------------------------------------------------------------

int CDebugWorker::LetRun() {
  m_state = kWorkerRunning;
  if (g_pDebugAccess && g_pRegisters) g_pDebugAccess->WriteRegisters(g_pRegisters);
  m_bQuietStop = 0;
  return g_pDebugControl ? g_pDebugControl->Go(nullptr) : 0;
}

int CDebugWorker::Go() {
  DebugWorkerRemoveTemporaries(CurrentIP(), BP_RETURN, BP_TRACE | BP_STEP_OVER);
  return LetRun();
}

int CDebugWorker::TraceInto(uint8_t mode) {
  if (mode == kStepInstruction) return g_pDebugControl ? g_pDebugControl->SingleStep() : 0;
  if (mode != kStepSourceLine) return 0;
  const CAddr ip = CurrentIP();
  if (CBreakpointAddrList* list = g_pBreakpointAddrList) {
    list->RemoveOutsideFunction(ip, BP_RETURN);
    list->PlantAtAllLines();
    list->PlantInFunction(ip);
    CAddr back = CAddr::Invalid();
    GetReturnAddress(&ip, &back);
    if (back.IsValid() && back.Linear() != 0) list->AddReturnBreakpoint(back);
  }
  return LetRun();
}

bool CDebugWorker::StepOverInstruction() {
  const uint32_t linear = CurrentIP().Linear();
  char text[kDisassLineSize] = {};
  const DWORD next = m_pDisassembler->FormatLine(linear, text);
  if (!m_pDisassembler->IsCallInstruction(text)) return g_pDebugControl && g_pDebugControl->SingleStep();
  DebugWorkerRemoveTemporaries(CurrentIP(), 0, BP_TRACE | BP_STEP_OVER | BP_RETURN);
  CAddr after;
  LinearToSegOff(after, next);
  if (g_pBreakpointAddrList) g_pBreakpointAddrList->AddReturnBreakpoint(after);
  return LetRun();
}

int CDebugWorker::StepOver(uint8_t mode) {
  if (mode == kStepInstruction) {
    if (m_pDisassembler) return StepOverInstruction();
    return g_pDebugControl ? g_pDebugControl->SingleStep() : 0;
  }
  if (mode != kStepSourceLine) return 0;
  const CAddr ip = CurrentIP();
  if (CBreakpointAddrList* list = g_pBreakpointAddrList) {
    list->RemoveOutsideFunction(ip, BP_RETURN);
    list->PlantInFunction(ip);
    list->RemoveAllOfKind(BP_TRACE);
    list->RemoveOutsideFunction(ip, BP_STEP_OVER);
    CAddr back = CAddr::Invalid();
    GetReturnAddress(&ip, &back);
    if (back.IsValid() && back.Linear() != 0) list->AddReturnBreakpoint(back);
  }
  return LetRun();
}

int CDebugWorker::StepOut() {
  const CAddr ip = CurrentIP();
  DebugWorkerRemoveTemporaries(ip, BP_RETURN, BP_TRACE | BP_STEP_OVER);
  CAddr back = CAddr::Invalid();
  GetReturnAddress(&ip, &back);
  if (g_pBreakpointAddrList && back.IsValid()) g_pBreakpointAddrList->AddReturnBreakpoint(back);
  return LetRun();
}

int CDebugWorker::RunTo(const CAddr* address) {
  DebugWorkerRemoveTemporaries(CurrentIP(), BP_RETURN, BP_TRACE | BP_STEP_OVER);
  if (g_pBreakpointAddrList && address->IsValid()) g_pBreakpointAddrList->AddReturnBreakpoint(*address);
  return LetRun();
}

int CDebugWorker::RunToLine(const char* file, uint16_t line) {
  CAddr a;
  LineToAddress(file, line, &a);
  return RunTo(&a);
}

int CDebugWorker::RunToAddress(uint32_t linear) {
  CAddr a;
  LinearToSegOff(a, linear);
  return RunTo(&a);
}

void CDebugWorker::Break() {
  if (g_pDebugControl) g_pDebugControl->Break();
  m_state = kWorkerStopped;
}

void CDebugWorker::OnKernelNoAnswer() { PostToFrame(WM_KERNEL_NO_ANSWER, 0, 0); }

// --- stops --------------------------------------------------------------------

void CDebugWorker::ReportStopAt(const CAddr& address) {
  const char* file = nullptr;
  uint16_t first = kDebugWorkerNoLine, line = kDebugWorkerNoLine;
  if (g_pDebugInterp) g_pDebugInterp->AddressToLine(&address, &file, &first, &line);
  g_debugWorkerStop.file = file;
  g_debugWorkerStop.line = line == kDebugWorkerNoLine ? 0 : int16_t(line);
  g_debugWorkerStop.address = address;
  SendToFrame(WM_STOP_LOCATION, 0, reinterpret_cast<LPARAM>(&g_debugWorkerStop));
}

void CDebugWorker::OnTargetStopped() {
  if (m_bQuietStop) return;
  m_state = kWorkerStopped;
  if (!g_pRegisters) return;
  if (g_pDebugAccess) g_pDebugAccess->ReadRegisters(g_pRegisters);
  if (StoppedAtBreakpoint()) {
    CAddr at = CAddr::Invalid();
    GetBreakAddress(&at);
    const CAddr& ip = g_pRegisters->code;
    if (ip.IsGreater(at) && ip.IsLess(at.Add(kDebugWorkerResumeWindow)) && m_resumeAddress.IsValid()) {
      g_pRegisters->code = m_resumeAddress;
      if (g_pDebugAccess) g_pDebugAccess->WriteRegisters(g_pRegisters);
    }
  }
  const CAddr ip = g_pRegisters->code;
  if (ip.IsEqual(m_exitAddress)) {
    const bool real = m_exitAddress.offset != 0 && m_exitAddress.segment != 0;
    PostToFrame(real ? WM_PROGRAM_END : WM_SYSTEM_CRASHED, 0, 0);
    return;
  }
  ReportStopAt(ip);
}

// --- watches, registers, call stack ------------------------------------------

void CDebugWorker::EvaluateWatch(const char* expression) {
  uint16_t* type = nullptr;
  uint8_t* data = nullptr;
  uint32_t size = 0;
  int basic = 0;
  if (g_pEval && expression) {
    const CAddr context = CurrentIP();
    g_pEval->Evaluate(expression, &type, &data, &size, &basic, &context);
  }
  if (type && data && g_pDebugInterp) {
    CString value;
    g_pDebugInterp->ValueText(data, type, uint16_t(size), value, basic);
    SendToFrame(WM_WATCH_VALUE, reinterpret_cast<WPARAM>(""),
                reinterpret_cast<LPARAM>(static_cast<const char*>(value)));
  } else {
    SendToFrame(WM_WATCH_VALUE, reinterpret_cast<WPARAM>(""),
                reinterpret_cast<LPARAM>(kDebugWorkerNotDefined));
  }
  delete type;
  delete[] data;
}

void CDebugWorker::SendRegisters() {
  if (!g_pRegisters) return;
  if (g_pDebugAccess) g_pDebugAccess->ReadRegisters(g_pRegisters);
  char* text = nullptr;
  if (g_pDebugInterp) g_pDebugInterp->RegisterText(g_pRegisters, &text);
  if (!text) return;
  SendToFrame(WM_REGISTER_TEXT, 0, reinterpret_cast<LPARAM>(text));
  delete[] text;
}

bool CDebugWorker::AppendFrameLine(std::string& text, const CAddr& address) {
  CAddr start = CAddr::Invalid(), end = CAddr::Invalid();
  g_pDebugInterp->FunctionRange(&address, &start, &end);
  if (!start.IsValid()) return false;
  char* name = nullptr;
  g_pDebugInterp->SymbolNameAt(&start, &name);
  std::unique_ptr<char[]> ownedName(name);
  char* file = nullptr;
  uint16_t line = kDebugWorkerNoLine;
  g_pDebugInterp->AddressToNearestLine(&address, &file, &line);
  delete[] file;
  if (!name || line == kDebugWorkerNoLine) return false;
  text += name;
  text += "(), line " + std::to_string(line) + "\r\n";
  return true;
}

void CDebugWorker::SendCallStack() {
  std::string text;
  if (g_pDebugInterp && g_pRegisters && g_pDebugAccess) {
    const CAddr ip = g_pRegisters->code;
    AppendFrameLine(text, ip);
    if (g_pDebugInterp->IsFunctionStart(ip) || IsFunctionEndPoint(&ip)) {
      CAddr caller = CAddr::Invalid();
      GetReturnAddress(&ip, &caller);
      if (caller.IsValid() && g_pDebugInterp->IsNonZeroAddress(&caller)) AppendFrameLine(text, caller);
    }
    // The frame chain: [BP] holds the caller's BP, [BP+2] the return address.
    CAddr frame = g_pRegisters->frame;
    std::unordered_set<uint32_t> seen;
    for (int depth = 0; depth < kMaxCallStackDepth && frame.offset != 0; ++depth) {
      if (!seen.insert(frame.Linear()).second) break;
      CAddr back = CAddr::Invalid();
      g_pDebugAccess->ReadFarPointerAfterWord(&frame, &back);
      if (!g_pDebugInterp->IsNonZeroAddress(&back)) break;
      CAddr start = CAddr::Invalid(), end = CAddr::Invalid();
      g_pDebugInterp->FunctionRange(&back, &start, &end);
      if (!start.IsValid()) break;
      AppendFrameLine(text, back);
      CAddr link;
      ReadFrameLink(&frame, &link);
      if (link.offset <= frame.offset) break;
      frame = link;
    }
  }
  SendToFrame(WM_CALLSTACK_TEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// --- frames and return addresses ------------------------------------------------

bool CDebugWorker::IsFunctionEndPoint(const CAddr* at) {
  if (!g_pDebugInterp) return false;
  CAddr start = CAddr::Invalid(), end = CAddr::Invalid();
  g_pDebugInterp->FunctionRange(at, &start, &end);
  return start.IsValid() && g_pDebugInterp->IsLanguageCode4Function(start);
}

void CDebugWorker::GetReturnAddress(const CAddr* at, CAddr* out) {
  *out = CAddr::Invalid();
  if (!g_pDebugAccess || !g_pDebugInterp) return;
  if (g_pDebugInterp->IsFunctionStart(*at)) {
    g_pDebugAccess->ReadReturnAddressAtStack(out);
    return;
  }
  if (IsFunctionEndPoint(at)) {
    *out = m_frameAddress;
    return;
  }
  g_pDebugAccess->ReadFrameReturnAddress(out);
  // A return address inside a line goes on to the next line start.
  const char* file = nullptr;
  uint16_t first = kDebugWorkerNoLine, line = kDebugWorkerNoLine;
  g_pDebugInterp->AddressToLine(out, &file, &first, &line);
  if (file) return;
  char* nearFile = nullptr;
  uint16_t nearLine = kDebugWorkerNoLine;
  g_pDebugInterp->AddressToNearestLine(out, &nearFile, &nearLine);
  std::unique_ptr<char[]> owned(nearFile);
  if (!nearFile || nearLine == kDebugWorkerNoLine) return;
  CAddr next = CAddr::Invalid();
  uint16_t nextLine = uint16_t(nearLine + 1);
  g_pDebugInterp->LineToAddress(nearFile, &nextLine, &next);
  if (next.IsValid() && next.IsGreater(*out)) *out = next;
}

void CDebugWorker::SetReturnAddress(const CAddr* at, CAddr* address) {
  if (!g_pDebugAccess || !g_pDebugInterp) return;
  if (g_pDebugInterp->IsFunctionStart(*at)) {
    g_pDebugAccess->WriteReturnAddressAtStack(address);
  } else if (IsFunctionEndPoint(at)) {
    *address = m_frameAddress;
  } else {
    g_pDebugAccess->WriteFrameReturnAddress(address);
  }
}

void CDebugWorker::GetFrameAddress(const CAddr* at, CAddr* out) {
  if (!g_pRegisters) return;
  if (g_pDebugInterp && g_pDebugInterp->IsFunctionStart(*at)) {
    *out = g_pRegisters->frame;
  } else if (g_pDebugAccess) {
    g_pDebugAccess->ReadNearPointer(&g_pRegisters->frame, out);
  }
}

void CDebugWorker::ReadFrameLink(const CAddr* at, CAddr* out) {
  if (g_pDebugAccess) g_pDebugAccess->ReadNearPointer(at, out);
}

// --- symbols and breakpoints -----------------------------------------------------

void CDebugWorker::FindSymbolAddress(const char* name, CAddr* out) {
  *out = CAddr::Invalid();
  if (!g_pDebugInterp || !g_pRegisters) return;
  const CAddr at = g_pRegisters->code;
  ScopeHandle scope = g_pDebugInterp->FindScope(&at);
  for (;;) {
    TypeHandle type = nullptr;
    CAddr found = CAddr::Invalid();
    int basic = 0;
    const int hit = g_pDebugInterp->FindSymbolInScope(scope, name, &type, &found, &basic);
    delete type;
    if (hit) {
      *out = found;
      break;
    }
    if (g_pDebugInterp->IsGlobalScope(scope)) break;
    g_pDebugInterp->ParentScope(scope);
  }
  delete scope;
}

bool CDebugWorker::IsLineStart(const CAddr& address) {
  if (!g_pDebugInterp) return false;
  CAddr a = CAddr::Invalid();
  for (g_pDebugInterp->FirstLineAddress(&a); a.IsValid(); g_pDebugInterp->NextLineAddress(&a)) {
    if (a.Linear() == address.Linear()) return true;
    if (a.Linear() > address.Linear()) return false;
  }
  return false;
}

void CDebugWorker::SetLineBreakpoint(const char* file, uint16_t line) {
  CAddr a;
  LineToAddress(file, line, &a);
  if (!a.IsValid()) {
    DebugMessageBox("Unable to set breakpoint (Address/Line invalid).", "Error", MB_OK);
    return;
  }
  if (g_pBreakpointAddrList) g_pBreakpointAddrList->AddUserBreakpoint(a);
}

void CDebugWorker::ClearLineBreakpoint(const char* file, uint16_t line) {
  CAddr a;
  LineToAddress(file, line, &a);
  if (a.IsValid() && g_pBreakpointAddrList) g_pBreakpointAddrList->RemoveUserBreakpoint(a);
}

void CDebugWorker::SetAddressBreakpoint(uint32_t linear) {
  CAddr a;
  LinearToSegOff(a, linear);
  if (a.IsValid() && g_pBreakpointAddrList) g_pBreakpointAddrList->AddUserBreakpoint(a);
}

void CDebugWorker::ClearAddressBreakpoint(uint32_t linear) {
  CAddr a;
  LinearToSegOff(a, linear);
  if (a.IsValid() && g_pBreakpointAddrList) g_pBreakpointAddrList->RemoveUserBreakpoint(a);
}

// --- instruction pointer and start ---------------------------------------------

void CDebugWorker::SetIPToLine(const char* file, uint16_t line) {
  CAddr a;
  LineToAddress(file, line, &a);
  if (!a.IsValid() || !g_pRegisters || !g_pDebugAccess) return;
  g_pDebugAccess->ReadRegisters(g_pRegisters);
  g_pRegisters->code = a;
  g_pDebugAccess->WriteRegisters(g_pRegisters);
  std::strncpy(g_debugWorkerPostedFile, file ? file : "", sizeof g_debugWorkerPostedFile - 1);
  g_debugWorkerPostedStop.file = g_debugWorkerPostedFile;
  g_debugWorkerPostedStop.line = int16_t(line);
  g_debugWorkerPostedStop.address = a;
  PostToFrame(WM_STOP_LOCATION, 0, reinterpret_cast<LPARAM>(&g_debugWorkerPostedStop));
}

void CDebugWorker::SetIPToAddress(uint32_t linear) {
  if (!g_pRegisters || !g_pDebugAccess) return;
  g_pDebugAccess->ReadRegisters(g_pRegisters);
  CAddr a;
  LinearToSegOffNear(a, linear, g_pRegisters->code);
  if (a.segment != g_pRegisters->code.segment)
    DebugMessageBox("Unable to keep code segment", "Warning", MB_OK);
  g_pRegisters->code = a;
  g_pDebugAccess->WriteRegisters(g_pRegisters);
  ReportStopAt(a);
}

void CDebugWorker::SaveStartRegisters() {
  if (!g_pRegisters) return;
  m_pSavedRegisters->code = g_pRegisters->code;
  m_pSavedRegisters->stack = g_pRegisters->stack;
  m_pSavedRegisters->frame = g_pRegisters->frame;
}

void CDebugWorker::RestoreStartRegisters() {
  if (!g_pRegisters) return;
  g_pRegisters->code = m_pSavedRegisters->code;
  g_pRegisters->stack = m_pSavedRegisters->stack;
  g_pRegisters->frame = m_pSavedRegisters->frame;
}

void CDebugWorker::Reset() {
  RestoreStartRegisters();
  if (g_pDebugAccess && g_pRegisters) {
    g_pDebugAccess->WriteRegisters(g_pRegisters);
    g_pDebugAccess->WriteFarPointer(&g_pRegisters->stack, &m_exitAddress);
  }
  m_bQuietStop = 0;
  OnTargetStopped();
}

void CDebugWorker::StartProgram(uint32_t) {
  if (g_pBreakpointAddrList) g_pBreakpointAddrList->PlantEndPoints();
}
