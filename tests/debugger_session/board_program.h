// A real-mode program with Borland debug information that runs on the
// simulated board's processor, installed on board 0 as a task.
//
// prog.c, code at the load segment (far calls, BP frames):
//   line 1  start:  push cs / call main / exit        0x00
//   line 10 main:   push bp / mov bp, sp              0x20
//   line 11         counter = 5                       0x28
//   line 12         helper()                          0x30
//   line 13         counter = counter + 1             0x38
//   line 14         return                            0x40
//   line 20 helper: push bp / mov bp, sp              0x60
//   line 21         counter = 7                       0x68
//   line 22         return                            0x70
//   int counter                                       0xF0
#pragma once

#include <cstdint>
#include <string>

namespace session_test {

constexpr char kProgramSource[] = "prog.c";
constexpr char kProgramName[] = "PROG.EXE";
constexpr uint16_t kProgramTask = 11;
constexpr uint16_t kMainOffset = 0x20, kHelperOffset = 0x60, kCounterOffset = 0xF0;
// Where main returns to in the start code.
constexpr uint16_t kMainReturnOffset = 0x04;

// The module's language code. Every function of a module in language 4
// starts with an end point: a stop there only notes the caller and the
// program runs on without a report.
constexpr uint8_t kLanguagePlain = 0, kLanguageWithEndPoints = 4;

// Writes the program file in a fresh folder; its path.
std::string WriteBoardProgram(uint8_t language = kLanguagePlain);
// Starts board 0 through the driver.
void StartBoard();
// Installs the program file on board 0 as task kProgramTask.
void InstallOnBoard(const std::string& path);

}  // namespace session_test
