// The debug kernel installed as a task on a board and reached through the
// driver: its parameter area carries the debuggee's task number, the start,
// single-step and stop requests and the debuggee's register record; its
// functions plant and clear breakpoints (recorded in its mined list in
// board memory); it reports a stop of the debuggee as a service request.
// The entry points below are called by the driver operations.
#pragma once
#include <cstdint>

#include "drivers/sim/board.h"
#include "drivers/sim/program_image.h"

namespace sim {

namespace kernel {
// Parameter indices.
constexpr uint32_t kMinedHead = 8, kSaveOffset = 0x14, kSaveSegment = 0x16, kStart = 0x1C, kRecord = 0x26,
                   kLifted = 0x5E, kSingleStep = 0xC8, kSaveSize = 0x30CE, kDebuggee = 0x34EF,
                   kStopHandshake = 0x34F1;
constexpr uint16_t kRequested = 0xFFFF;
constexpr uint8_t kStopAsked = 1, kStopDone = 2;
// Service messages.
constexpr uint16_t kEventStopped = 0x80CF, kEventCallFinished = 0x81CF;
// Functions: request u32 linear address, u16 context, u16 kinds (or 0).
constexpr uint16_t kFuncPlant = 3, kFuncClear = 4;
constexpr uint16_t kStatusRefused = 0x18;
// Mined list records: u32 next, u16 offset, u16 segment, 2 bytes, u8 saved byte.
constexpr uint32_t kMinedRecordSize = 20;
constexpr uint8_t kBreakpointOpcode = 0xCC;
}  // namespace kernel

// A kernel task whose parameter area holds the debug kernel's layout.
bool IsHostKernel(const Task& task);

void OnTaskInstalled(Board& board, uint16_t task, const ProgramImage& image);
void OnProcedureCalled(Board& board, uint16_t task, uint16_t proc);
void OnParamsWritten(Board& board, uint16_t task, uint32_t index, uint32_t length);
// True when the debug kernel took the function; *status 0 = done.
bool OnFunctionCalled(Board& board, uint16_t task, uint16_t func, const void* request, uint32_t length,
                      uint16_t* status);

}  // namespace sim
