// Conversions between linear addresses and the segment:offset form of a CAddr.
#pragma once

#include <cstdint>

#include "debugger/addr.h"

// segment * 16 + offset, in 32-bit arithmetic.
uint32_t SegOffToLinear(CAddr addr);
// A 64 KB-aligned segment and the low 16 bits as offset.
void LinearToSegOff(CAddr& out, uint32_t linear);
// Adds an amount; offset bits above 0xFFFF move into the segment.
void AddToSegOff(CAddr& addr, uint32_t amount);
// Relative to the reference's segment when the linear address lies within
// its 64 KB; else as LinearToSegOff.
void LinearToSegOffNear(CAddr& out, uint32_t linear, const CAddr& reference);
