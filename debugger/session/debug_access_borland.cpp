#include "debugger/session/debug_access_borland.h"

#include "debugger/debug_message.h"
#include "debugger/kernel_link.h"
#include "debugger/register_by_name.h"
#include "debugger/session_globals.h"
#include "platform/sys/msgbox.h"

namespace {

constexpr char kBorlandAccessReadLetter = 'F', kBorlandAccessWriteLetter = 'G', kBorlandAccessGetRegs = 'J',
               kBorlandAccessSetRegs = 'K';
// count byte, offset word, segment word
constexpr uint32_t kBorlandAccessHeader = 5;

// Moves an address on by n bytes within the 16-bit offset: past 0xFFFF
// the segment steps up by 8 and the offset down by 0x80.
void BorlandAccessAdvance(CAddr& at, uint32_t n) {
  at.offset += n;
  if (at.offset >= 0x10000) {
    at.segment += 8;
    at.offset -= 0x80;
  }
}

void BorlandAccessHeader(uint8_t* request, uint32_t count, const CAddr& at) {
  request[0] = uint8_t(count);
  request[1] = uint8_t(at.offset);
  request[2] = uint8_t(at.offset >> 8);
  request[3] = uint8_t(at.segment);
  request[4] = uint8_t(at.segment >> 8);
}

bool BorlandAccessRead(const CAddr& at, uint32_t count, uint8_t* out) {
  uint8_t request[kBorlandAccessHeader];
  BorlandAccessHeader(request, count, at);
  uint8_t answer[CDebugAccessBorland::kReadChunk + 1] = {};
  if (!g_pKernelLink || !g_pKernelLink->SendKernelCommand(kBorlandAccessReadLetter, request,
                                                          kBorlandAccessHeader, answer, WORD(count))) {
    DebugMessageBox("Read Memory", "Error", MB_OK);
    return false;
  }
  for (uint32_t i = 0; i < count; ++i) out[i] = answer[1 + i];
  return true;
}

}  // namespace

bool BorlandReadRegisterRecord(TargetRegisters* block, const char* failureText) {
  uint8_t answer[1 + KernelRegisterRecord::kSize] = {};
  if (!g_pKernelLink || !g_pKernelLink->SendKernelCommand(kBorlandAccessGetRegs, nullptr, 0, answer,
                                                          KernelRegisterRecord::kSize)) {
    DebugMessageBox(failureText, "Error", MB_OK);
    return false;
  }
  block->SetRecord(KernelRegisterRecord::FromBytes(answer + 1));
  return true;
}

bool BorlandWriteRegisterRecord(const TargetRegisters& block) {
  uint8_t answer[1] = {};
  if (!g_pKernelLink || !g_pKernelLink->SendKernelCommand(kBorlandAccessSetRegs, block.answer + 1,
                                                          KernelRegisterRecord::kSize, answer, 0)) {
    DebugMessageBox("Write Registers", "Error", MB_OK);
    return false;
  }
  return true;
}

int CDebugAccessBorland::ReadMemory(const CAddr* address, uint32_t length, uint8_t* buffer) {
  CAddr at = *address;
  while (length > kReadChunk) {
    if (!BorlandAccessRead(at, kReadChunk, buffer)) return 0;
    buffer += kReadChunk;
    length -= kReadChunk;
    BorlandAccessAdvance(at, kReadChunk);
  }
  return BorlandAccessRead(at, length, buffer);
}

int CDebugAccessBorland::WriteMemory(const CAddr* address, uint32_t length, const uint8_t* bytes) {
  CAddr at = *address;
  do {
    const uint32_t count = length < kWriteChunk ? length : kWriteChunk;
    uint8_t request[kBorlandAccessHeader + kWriteChunk];
    BorlandAccessHeader(request, count, at);
    for (uint32_t i = 0; i < count; ++i) request[kBorlandAccessHeader + i] = bytes[i];
    uint8_t answer[1] = {};
    if (!g_pKernelLink || !g_pKernelLink->SendKernelCommand(kBorlandAccessWriteLetter, request,
                                                            WORD(kBorlandAccessHeader + count), answer, 0))
      return 0;
    bytes += count;
    length -= count;
    BorlandAccessAdvance(at, count);
  } while (length > 0);
  return 1;
}

int CDebugAccessBorland::ReadRegisters(TargetRegisters* block) {
  return BorlandReadRegisterRecord(block, "reading CPU registers failed");
}

int CDebugAccessBorland::ReadStackRegisters(TargetRegisters* block) {
  return BorlandReadRegisterRecord(block, "Read Registers");
}

int CDebugAccessBorland::WriteRegisters(TargetRegisters* block) {
  TargetRegisters current;
  // Without the kernel's record nothing is written back.
  if (!BorlandReadRegisterRecord(&current, "Read Registers")) return 0;
  KernelRegisterRecord rec = current.Record();
  rec.cs = uint16_t(block->code.segment);
  rec.ip = uint16_t(block->code.offset);
  rec.ss = uint16_t(block->frame.segment);
  rec.ebp = (rec.ebp & 0xFFFF0000u) | (block->frame.offset & 0xFFFF);
  rec.ss = uint16_t(block->stack.segment);
  rec.esp = (rec.esp & 0xFFFF0000u) | (block->stack.offset & 0xFFFF);
  current.SetRecord(rec);
  return BorlandWriteRegisterRecord(current);
}

int CDebugAccessBorland::SetRegisterByName(const char* name, double value) {
  if (!g_pRegisters) return 0;
  KernelRegisterRecord rec = g_pRegisters->Record();
  ApplyRegisterByName(rec, name, value);
  g_pRegisters->SetRecord(rec);
  return BorlandWriteRegisterRecord(*g_pRegisters);
}
