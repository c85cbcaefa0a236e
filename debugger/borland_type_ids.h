// The type ids of Borland debug information: the byte that starts a type
// record and tells what the type is. Ids 4 to 16 are the basic types; a
// value of a basic type takes the bytes BasicTypeSize gives.
//
// Legend: ids 4-16 basic (signed/unsigned char, int, long, character,
// float, double, long double); 0x16 far pointer (offset, then segment);
// 0x1A array; 0x1E structure; 0x1F union; 0x23 function; 0x2D method;
// 0x2E class. Ids 21 to 25 count as integral in the evaluator.
#pragma once

#include <cstdint>

enum BorlandTypeId : uint8_t {
  kTypeSignedChar = 4,
  kTypeInt = 5,
  kTypeLong = 6,
  kTypeUnsignedChar = 8,
  kTypeUnsignedInt = 9,
  kTypeUnsignedLong = 10,
  kTypeChar = 12,
  kTypeFloat = 13,
  kTypeDouble = 15,
  kTypeLongDouble = 16,
  kTypeFirstIntegral = 21,
  kTypeFarPointer = 0x16,
  kTypeLastIntegral = 25,
  kTypeArray = 0x1A,
  kTypeStruct = 0x1E,
  kTypeUnion = 0x1F,
  kTypeFunction = 0x23,
  kTypeMethod = 0x2D,
  kTypeClass = 0x2E,
};

// The bytes of a value of a basic type id; 0 for any other id.
constexpr uint16_t BasicTypeSize(uint32_t id) {
  switch (id) {
    case kTypeSignedChar:
    case kTypeUnsignedChar:
    case kTypeChar:
      return 1;
    case kTypeInt:
    case kTypeUnsignedInt:
      return 2;
    case kTypeLong:
    case kTypeUnsignedLong:
    case kTypeFloat:
      return 4;
    case kTypeDouble:
    case kTypeLongDouble:
      return 8;
    default:
      return 0;
  }
}

constexpr bool IsBasicTypeId(uint32_t id) { return BasicTypeSize(id) != 0; }

// The basic types that hold whole numbers (not float or double).
constexpr bool IsBasicIntegerId(uint32_t id) {
  return IsBasicTypeId(id) && id != kTypeFloat && id != kTypeDouble && id != kTypeLongDouble;
}

// Ids 21 to 25 (the far pointer among them): integral in the evaluator.
constexpr bool IsIntegralExtraId(uint32_t id) { return id >= kTypeFirstIntegral && id <= kTypeLastIntegral; }
