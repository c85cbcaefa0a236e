#include "debugger/session/debug_access_host.h"

#include <algorithm>

#include "debugger/debug_message.h"
#include "debugger/kalven_board.h"
#include "debugger/register_by_name.h"
#include "debugger/session_globals.h"
#include "debugger/target_registers.h"
#include "platform/sys/msgbox.h"

namespace {

constexpr WORD kHostAccessCallLength = 8;
// Board memory is read in pieces of at most this many bytes (a length word).
constexpr uint32_t kHostAccessChunk = 0x8000;

uint16_t HostAccessWord(CKalvenBoard* board, uint16_t task, uint16_t index) {
  uint8_t bytes[2] = {};
  board->ReadParBlock(task, index, sizeof bytes, bytes);
  return uint16_t(bytes[0] | bytes[1] << 8);
}

}  // namespace

CDebugAccessHost::CDebugAccessHost(uint16_t kernel, uint16_t debuggee, CKalvenBoard* b)
    : kernelTask(kernel), debuggeeTask(debuggee), board(b) {
  m_bThroughBoard = 1;
  if (!board) DebugMessageBox("Got a NULL pointer! This should not happen!", "Fatal error", MB_OK);
}

int CDebugAccessHost::ReadMemory(const CAddr* address, uint32_t length, uint8_t* buffer) {
  if (!board) return 0;
  uint32_t linear = address->Linear();
  const uint32_t base = uint32_t(HostAccessWord(board, kernelTask, host_kernel::kSaveSegment)) * 16 +
                        HostAccessWord(board, kernelTask, host_kernel::kSaveOffset);
  const uint32_t end = base + HostAccessWord(board, kernelTask, host_kernel::kSaveSize);
  while (length > 0) {
    // A piece lies wholly inside the save area (served from its copy) or
    // wholly outside it.
    const bool inside = linear >= base && linear < end;
    uint32_t piece = std::min(length, kHostAccessChunk);
    if (inside) piece = std::min(piece, end - linear);
    if (!inside && linear < base) piece = std::min(piece, base - linear);
    if (inside) {
      board->ReadParBlock(kernelTask, WORD(linear - base + host_kernel::kSaveCopy), WORD(piece), buffer);
    } else {
      board->ReadMemory(linear, WORD(piece), buffer);
    }
    linear += piece;
    buffer += piece;
    length -= piece;
  }
  return 1;
}

int CDebugAccessHost::WriteMemory(const CAddr* address, uint32_t length, const uint8_t* bytes) {
  if (!board || (address->segment == 0 && address->offset == 0)) return 0;
  board->WriteMemory(address->Linear(), WORD(length), bytes);
  return 1;
}

int CDebugAccessHost::ReadRegisters(TargetRegisters* block) {
  if (!board) return 0;
  uint8_t bytes[KernelRegisterRecord::kSize] = {};
  board->ReadParBlock(kernelTask, host_kernel::kRecord, sizeof bytes, bytes);
  block->SetRecord(KernelRegisterRecord::FromBytes(bytes));
  return 1;
}

int CDebugAccessHost::WriteRegisters(TargetRegisters* block) {
  if (!board) return 0;
  KernelRegisterRecord rec = block->Record();
  rec.cs = uint16_t(block->code.segment);
  rec.ip = uint16_t(block->code.offset);
  rec.ss = uint16_t(block->frame.segment);
  rec.ebp = (rec.ebp & 0xFFFF0000u) | (block->frame.offset & 0xFFFF);
  rec.ss = uint16_t(block->stack.segment);
  rec.esp = (rec.esp & 0xFFFF0000u) | (block->stack.offset & 0xFFFF);
  block->SetRecord(rec);
  board->WriteParBlock(kernelTask, host_kernel::kRecord, KernelRegisterRecord::kSize, block->answer + 1);
  return 1;
}

int CDebugAccessHost::SetRegisterByName(const char* name, double value) {
  if (!board || !g_pRegisters) return 0;
  KernelRegisterRecord rec = g_pRegisters->Record();
  ApplyRegisterByName(rec, name, value);
  g_pRegisters->SetRecord(rec);
  board->WriteParBlock(kernelTask, host_kernel::kRecord, KernelRegisterRecord::kSize,
                       g_pRegisters->answer + 1);
  return 1;
}

int CDebugAccessHost::CallKernel(uint16_t function, const CAddr& address, uint16_t context, uint16_t kinds) {
  if (!board) return 0;
  const uint32_t linear = address.Linear();
  const uint8_t request[kHostAccessCallLength] = {
      uint8_t(linear),  uint8_t(linear >> 8),  uint8_t(linear >> 16), uint8_t(linear >> 24),
      uint8_t(context), uint8_t(context >> 8), uint8_t(kinds),        uint8_t(kinds >> 8)};
  WORD length = kHostAccessCallLength, answer = 0;
  if (board->CallFunc(kernelTask, function, &length, request, &answer, 0) != 0) {
    DebugMessageBox("Error calling Debug Kernel", "Fatal error", MB_OK);
    return 0;
  }
  return 1;
}

int CDebugAccessHost::PlantBoardBreakpoint(const CAddr* address, uint16_t context, uint16_t kinds) {
  return CallKernel(host_kernel::kFuncPlant, *address, context, kinds);
}

int CDebugAccessHost::ClearBoardBreakpoint(const CAddr* address) {
  return CallKernel(host_kernel::kFuncClear, *address, debuggeeTask, 0);
}
