// The program the evaluator is tried on (by its test and its fuzz target):
// global variables of several types in segment 0x20 of a program loaded at
// 0x1000, a local of the function at 0x10, the type name "Word", and the
// variables' values in target memory.
#pragma once

#include <cstdint>

#include "tests/debugger/borland_fixture.h"
#include "tests/debugger/fake_target.h"

namespace fixture {

constexpr uint16_t kEvalLoadSegment = 0x1000;
constexpr uint32_t kEvalData = 0x10200;  // linear address of segment 0x1020

BorlandExe EvalProgram();

// i = 7, l = 100000, c = 'A', f = 2.5, s = {1, 2}, p = &s, arr = {10, 20, 30},
// u = 65535.
void PutEvalValues(FakeTarget& target);

}  // namespace fixture
