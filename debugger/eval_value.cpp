#include "debugger/eval_value.h"

#include <cstring>

void CEvalValue::Clear() {
  FreeData();
  delete type;
  type = nullptr;
}

void CEvalValue::FreeData() {
  delete[] data;
  data = nullptr;
  capacity = 0;
}

void CEvalValue::SetType(uint16_t number) {
  if (!type)
    type = new uint16_t(number);
  else
    *type = number;
}

void CEvalValue::EnsureData() { Reserve(size); }

void CEvalValue::Reserve(uint32_t want) {
  if (want < size) want = size;
  if (data && capacity >= want) return;
  uint32_t n = want ? want : 1;
  uint8_t* fresh = new uint8_t[n]();
  if (data) std::memcpy(fresh, data, capacity);
  delete[] data;
  data = fresh;
  capacity = n;
}

void CEvalValue::NewData() {
  FreeData();
  EnsureData();
}

uint8_t* CEvalValue::ReleaseData() {
  uint8_t* d = data;
  data = nullptr;
  capacity = 0;
  return d;
}

uint16_t* CEvalValue::ReleaseType() {
  uint16_t* t = type;
  type = nullptr;
  return t;
}
