// The value of a sub-expression of a watch expression.
#pragma once

#include <cstdint>

#include "debugger/addr.h"

struct CEvalValue {
  int basic = 0;                     // the type number is a basic type id
  uint16_t* type = nullptr;          // type handle number; null = no type
  uint8_t* data = nullptr;           // bytes in target layout; null = undefined
  uint32_t size = 0;                 // bytes of the value
  uint32_t capacity = 0;             // bytes allocated at data
  CAddr address = CAddr::Invalid();  // where the value lives, if it does

  CEvalValue() = default;
  CEvalValue(const CEvalValue&) = delete;
  CEvalValue& operator=(const CEvalValue&) = delete;
  ~CEvalValue() { Clear(); }

  bool HasType() const { return type != nullptr; }
  bool HasData() const { return data != nullptr; }
  // Frees data and type.
  void Clear();
  void FreeData();
  void SetType(uint16_t number);
  // Makes data hold at least `size` bytes (zeroed when new); keeps the
  // bytes when the buffer is big enough already.
  void EnsureData();
  // Makes data hold at least max(size, n) bytes, keeping its contents.
  void Reserve(uint32_t n);
  // New zeroed data of `size` bytes (the old contents are dropped).
  void NewData();
  // Hands the data out to the caller and forgets it.
  uint8_t* ReleaseData();
  uint16_t* ReleaseType();
};
