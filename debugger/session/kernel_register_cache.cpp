#include "debugger/session/kernel_register_cache.h"

#include "debugger/debug_message.h"
#include "debugger/kernel_link.h"
#include "platform/sys/msgbox.h"

namespace borland_registers {

namespace {

constexpr uint16_t kRegisterCacheTrapFlag = 0x100, kRegisterCacheInterruptFlag = 0x200;

struct State {
  const void* link = nullptr;  // the link the record was learnt over
  bool valid = false;
  TargetRegisters shown;
  bool trapArmed = false;
  uint16_t savedInterruptFlag = 0;
};

State& RegisterCache() {
  static State state;
  return state;
}

bool SendRecord(const TargetRegisters& block) {
  uint8_t answer[1] = {};
  if (!g_pKernelLink ||
      !g_pKernelLink->SendKernelCommand('K', block.answer + 1, KernelRegisterRecord::kSize, answer, 0)) {
    DebugMessageBox("Write Registers", "Error", MB_OK);
    return false;
  }
  return true;
}

}  // namespace

void Reset() { RegisterCache() = State(); }

bool Read(TargetRegisters* block, const char* failureText) {
  State& s = RegisterCache();
  if (s.link != g_pKernelLink) Reset();
  if (s.valid) {
    *block = s.shown;
    return true;
  }
  uint8_t answer[1 + KernelRegisterRecord::kSize] = {};
  if (!g_pKernelLink ||
      !g_pKernelLink->SendKernelCommand('J', nullptr, 0, answer, KernelRegisterRecord::kSize)) {
    DebugMessageBox(failureText, "Error", MB_OK);
    return false;
  }
  KernelRegisterRecord rec = KernelRegisterRecord::FromBytes(answer + 1);
  if (s.trapArmed) rec.flags = uint16_t((rec.flags & ~kRegisterCacheTrapFlag) | s.savedInterruptFlag);
  s.shown.SetRecord(rec);
  s.valid = true;
  s.link = g_pKernelLink;
  *block = s.shown;
  return true;
}

bool Write(const TargetRegisters& block) {
  State& s = RegisterCache();
  if (!SendRecord(block)) {
    s.valid = false;
    return false;
  }
  s.shown = block;
  s.valid = true;
  s.link = g_pKernelLink;
  s.trapArmed = false;
  return true;
}

bool ArmTrap(const TargetRegisters& shown) {
  State& s = RegisterCache();
  if (s.link != g_pKernelLink) Reset();
  if (s.trapArmed && s.valid) return true;
  KernelRegisterRecord rec = shown.Record();
  s.savedInterruptFlag = rec.flags & kRegisterCacheInterruptFlag;
  rec.flags = uint16_t((rec.flags & ~kRegisterCacheInterruptFlag) | kRegisterCacheTrapFlag);
  TargetRegisters armed;
  armed.SetRecord(rec);
  if (!SendRecord(armed)) {
    s.valid = false;
    return false;
  }
  s.shown = shown;
  s.valid = true;
  s.link = g_pKernelLink;
  s.trapArmed = true;
  return true;
}

void BeforeStep() { RegisterCache().valid = false; }

bool BeforeRun() {
  State& s = RegisterCache();
  bool ok = true;
  if (s.trapArmed) {
    TargetRegisters shown;
    ok = Read(&shown, "Read Registers") && Write(shown);
  }
  s.valid = false;
  return ok;
}

}  // namespace borland_registers
