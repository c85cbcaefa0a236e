// The watch-expression evaluator: C expressions evaluated by recursive
// descent while they are parsed. What depends on the debug information and
// on target memory is left to the derived evaluators.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "debugger/addr.h"
#include "debugger/eval_lexer.h"
#include "debugger/eval_value.h"

class CEval {
 public:
  CEval() = default;
  virtual ~CEval() = default;

  // Evaluates `text` for reading at the code address `context`. Hands out
  // the type handle (delete), the data (delete[]; null = no value), its
  // size and the basic flag.
  void Evaluate(const char* text, uint16_t** typeOut, uint8_t** dataOut, uint32_t* sizeOut, int* basicOut,
                const CAddr* context);

  // Evaluates `text` as an assignable expression and writes `value` there.
  virtual void Write(const char* text, const CAddr* context, double value);
  virtual void SetInput(const char* text, const CAddr* context);
  virtual void LookupVariable(const char* name, CEvalValue& v, CAddr* addrOut, uint16_t* sizeOut) = 0;
  virtual void ReadMemory(const CAddr* address, uint8_t* dest, uint16_t size) = 0;
  virtual void WriteMemory(const CAddr* address, const uint8_t* src, uint16_t size) = 0;
  virtual uint32_t GetInteger(CEvalValue& v) = 0;
  virtual double GetDouble(CEvalValue& v) = 0;
  virtual void SetInteger(CEvalValue& v, uint32_t n) = 0;
  virtual void SetDouble(CEvalValue& v, double d) = 0;
  virtual void MakeInteger(CEvalValue& v) = 0;
  virtual void MakeFloating(CEvalValue& v) = 0;
  // The left value gets the result type of a binary operation.
  virtual void PromoteTypes(CEvalValue& left, CEvalValue& right) = 0;
  virtual int IsIntegral(uint16_t number) = 0;
  virtual int IsFloating(uint16_t number) = 0;
  virtual void CastToBasic(CEvalValue& v, int isChar, int isShort, int isInt, int isFloat, int isDouble,
                           int isLong, int isUnsigned) = 0;
  virtual void CastToNamedType(CEvalValue& v, const char* name) = 0;
  virtual void DereferenceType(CEvalValue& v) = 0;
  virtual void AddressOf(CEvalValue& v) = 0;
  virtual int IsTypeName(const char* name) = 0;
  virtual void ElementType(CEvalValue& v) = 0;
  virtual uint16_t MemberOffset(CEvalValue& v, const char* name) = 0;
  virtual void AddPointerLevel(CEvalValue& v) = 0;

 protected:
  CAddr m_context;
  CEvalLexer m_lexer;

 private:
  using Level = void (CEval::*)(CEvalValue&);
  static bool Defined(const CEvalValue& v) { return v.type && v.data; }

  void Expression(CEvalValue& v) { LogicalOr(v); }
  // One binary level: operands of `next`, combined left to right.
  template <typename Combine>
  void Binary(CEvalValue& v, Level next, std::initializer_list<int> ops, Combine combine);
  void LogicalOr(CEvalValue& v);
  void LogicalAnd(CEvalValue& v);
  void BitOr(CEvalValue& v);
  void BitXor(CEvalValue& v);
  void BitAnd(CEvalValue& v);
  void Equality(CEvalValue& v);
  void Relational(CEvalValue& v);
  void Shift(CEvalValue& v);
  void Additive(CEvalValue& v);
  void Multiplicative(CEvalValue& v);
  void MemberPointer(CEvalValue& v);
  void Cast(CEvalValue& v);
  void ParseCastType(CEvalValue& v);
  void Unary(CEvalValue& v);
  void Dereference(CEvalValue& v);
  void Postfix(CEvalValue& v);
  void Variable(CEvalValue& v);
  void Bitwise(int op, CEvalValue& l, CEvalValue& r);

  bool m_writing = false;
  bool m_writeRefused = false;
  double m_writeValue = 0;
  int m_depth = 0;
};
