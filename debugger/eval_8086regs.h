// The evaluator of the register window: every expression has no value.
#pragma once

#include "debugger/eval.h"

class CEval8086Regs : public CEval {
 public:
  void LookupVariable(const char*, CEvalValue&, CAddr*, uint16_t*) override {}
  void ReadMemory(const CAddr*, uint8_t*, uint16_t) override {}
  void WriteMemory(const CAddr*, const uint8_t*, uint16_t) override {}
  uint32_t GetInteger(CEvalValue&) override { return 0; }
  double GetDouble(CEvalValue&) override { return 0.0; }
  void SetInteger(CEvalValue&, uint32_t) override {}
  void SetDouble(CEvalValue&, double) override {}
  void MakeInteger(CEvalValue&) override {}
  void MakeFloating(CEvalValue&) override {}
  void PromoteTypes(CEvalValue&, CEvalValue&) override {}
  int IsIntegral(uint16_t) override { return 1; }
  int IsFloating(uint16_t) override { return 0; }
  void CastToBasic(CEvalValue&, int, int, int, int, int, int, int) override {}
  void CastToNamedType(CEvalValue&, const char*) override {}
  void DereferenceType(CEvalValue&) override {}
  void AddressOf(CEvalValue&) override {}
  int IsTypeName(const char*) override { return 0; }
  void ElementType(CEvalValue&) override {}
  uint16_t MemberOffset(CEvalValue&, const char*) override { return 0; }
  void AddPointerLevel(CEvalValue&) override {}
};
