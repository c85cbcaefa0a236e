// Setting one register of the kernel's record by its name, as the
// register window and the evaluators name them.
#pragma once

#include "debugger/target_registers.h"

// "EAX".."EDI", "ESP", "EBP" take 32 bits (the value truncated); "IP",
// "CS", "DS", "ES", "SS", "FS", "GS", "Flags" take 16 bits. A name with a
// dot selects a flag by the letter after the dot (C P A Z S T I D O, any
// other letter bit 12): 0.0 clears it, any other value sets it. Returns 0
// for an unknown name, which changes nothing.
int ApplyRegisterByName(KernelRegisterRecord& rec, const char* name, double value);
