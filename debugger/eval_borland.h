// Watch expressions over the program's debug information and target memory.
#pragma once

#include "debugger/eval.h"

class CDebugInterpBorland;

class CEvalBorland : public CEval {
 public:
  void SetInput(const char* text, const CAddr* context) override;
  void LookupVariable(const char* name, CEvalValue& v, CAddr* addrOut, uint16_t* sizeOut) override;
  void ReadMemory(const CAddr* address, uint8_t* dest, uint16_t size) override;
  void WriteMemory(const CAddr* address, const uint8_t* src, uint16_t size) override;
  uint32_t GetInteger(CEvalValue& v) override;
  double GetDouble(CEvalValue& v) override;
  void SetInteger(CEvalValue& v, uint32_t n) override;
  void SetDouble(CEvalValue& v, double d) override;
  void MakeInteger(CEvalValue& v) override;
  void MakeFloating(CEvalValue& v) override;
  void PromoteTypes(CEvalValue& left, CEvalValue& right) override;
  int IsIntegral(uint16_t number) override;
  int IsFloating(uint16_t number) override;
  void CastToBasic(CEvalValue& v, int isChar, int isShort, int isInt, int isFloat, int isDouble, int isLong,
                   int isUnsigned) override;
  void CastToNamedType(CEvalValue& v, const char* name) override;
  void DereferenceType(CEvalValue& v) override;
  void AddressOf(CEvalValue& v) override;
  int IsTypeName(const char* name) override;
  void ElementType(CEvalValue& v) override;
  uint16_t MemberOffset(CEvalValue& v, const char* name) override;
  void AddPointerLevel(CEvalValue& v) override;

 private:
  static CDebugInterpBorland* Interp();
  // Gives the data the width of a basic type (new zeroed bytes when the
  // size changes).
  static void FitData(CEvalValue& v);
};
