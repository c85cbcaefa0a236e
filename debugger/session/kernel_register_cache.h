// What a serial session knows of the kernel's register record, so that a
// stop costs one 'J' and consecutive single steps no 'K' at all: the
// record as last read or written, and whether the kernel still holds the
// trap flag of a single step. The record shown has the trap cleared and
// IF as it was before the step; the trap is taken off before the program
// runs freely or when a record is written.
#pragma once

#include "debugger/target_registers.h"

namespace borland_registers {

// A new session: nothing is known.
void Reset();
// The record, from what is known or by 'J' (a failure shows
// `failureText`, caption "Error", and leaves the block).
bool Read(TargetRegisters* block, const char* failureText);
// 'K' with the block (a failure shows "Write Registers").
bool Write(const TargetRegisters& block);
// Before a single step: the trap set and IF cleared in the kernel, unless
// they are so already. `shown` is the record as the session shows it.
bool ArmTrap(const TargetRegisters& shown);
// Before the kernel runs one instruction: the record is unknown after it.
void BeforeStep();
// Before the kernel runs freely: a trap still set is taken off; the
// record is unknown after it.
bool BeforeRun();

}  // namespace borland_registers
