#include "debugger/register_by_name.h"

#include <cmath>
#include <cstring>

namespace {

// Flag letters and their bits; any other letter after the dot is bit 12.
struct RegisterByNameFlag {
  char letter;
  uint16_t bit;
};
constexpr RegisterByNameFlag kRegisterByNameFlags[] = {{'C', 0}, {'P', 2}, {'A', 4},  {'Z', 6}, {'S', 7},
                                                       {'T', 8}, {'I', 9}, {'D', 10}, {'O', 11}};
constexpr uint16_t kRegisterByNameOtherFlagBit = 12;

uint32_t RegisterByNameInteger(double value) {
  return static_cast<uint32_t>(static_cast<int64_t>(std::trunc(value)));
}

uint32_t* RegisterByNameLong(KernelRegisterRecord& rec, const char* name) {
  struct Entry {
    const char* name;
    uint32_t KernelRegisterRecord::*field;
  };
  static const Entry kLongs[] = {{"EAX", &KernelRegisterRecord::eax}, {"EBX", &KernelRegisterRecord::ebx},
                                 {"ECX", &KernelRegisterRecord::ecx}, {"EDX", &KernelRegisterRecord::edx},
                                 {"ESI", &KernelRegisterRecord::esi}, {"EDI", &KernelRegisterRecord::edi},
                                 {"ESP", &KernelRegisterRecord::esp}, {"EBP", &KernelRegisterRecord::ebp}};
  for (const Entry& e : kLongs)
    if (std::strcmp(e.name, name) == 0) return &(rec.*e.field);
  return nullptr;
}

uint16_t* RegisterByNameWord(KernelRegisterRecord& rec, const char* name) {
  struct Entry {
    const char* name;
    uint16_t KernelRegisterRecord::*field;
  };
  static const Entry kWords[] = {{"IP", &KernelRegisterRecord::ip}, {"CS", &KernelRegisterRecord::cs},
                                 {"DS", &KernelRegisterRecord::ds}, {"ES", &KernelRegisterRecord::es},
                                 {"SS", &KernelRegisterRecord::ss}, {"FS", &KernelRegisterRecord::fs},
                                 {"GS", &KernelRegisterRecord::gs}, {"Flags", &KernelRegisterRecord::flags}};
  for (const Entry& e : kWords)
    if (std::strcmp(e.name, name) == 0) return &(rec.*e.field);
  return nullptr;
}

}  // namespace

int ApplyRegisterByName(KernelRegisterRecord& rec, const char* name, double value) {
  if (const char* dot = std::strchr(name, '.')) {
    uint16_t bit = kRegisterByNameOtherFlagBit;
    for (const RegisterByNameFlag& f : kRegisterByNameFlags)
      if (f.letter == dot[1]) bit = f.bit;
    const uint16_t mask = uint16_t(1u << bit);
    rec.flags = value == 0.0 ? uint16_t(rec.flags & ~mask) : uint16_t(rec.flags | mask);
    return 1;
  }
  if (uint32_t* r = RegisterByNameLong(rec, name)) {
    *r = RegisterByNameInteger(value);
    return 1;
  }
  if (uint16_t* r = RegisterByNameWord(rec, name)) {
    *r = uint16_t(RegisterByNameInteger(value));
    return 1;
  }
  return 0;
}
