// The debugger's view of the program's debug information: scopes, symbols,
// types, the line and address maps, the function list, value and register
// texts.
//
// Handles are heap-allocated 16-bit numbers that the receiver frees with
// delete: a scope handle holds a scope index (0 = global scope); a type
// handle holds a type index, or a basic type id when the accompanying basic
// flag is set. Texts handed out as char* are new[] copies (delete[]).
#pragma once

#include <cstdint>

#include "debugger/addr.h"
#include "platform/base/cstring.h"

struct TargetRegisters;

using TypeHandle = uint16_t*;
using ScopeHandle = uint16_t*;

class CDebugInterp {
 public:
  CDebugInterp() = default;
  virtual ~CDebugInterp() = default;

  virtual ScopeHandle FindScope(const CAddr* at) = 0;
  virtual int FindSymbolInScope(ScopeHandle scope, const char* name, TypeHandle* typeOut, CAddr* addrOut,
                                int* basicOut) = 0;
  virtual bool IsGlobalScope(ScopeHandle scope) = 0;
  virtual void ParentScope(ScopeHandle scope) = 0;
  virtual uint16_t TypeSize(uint16_t number, int basic) = 0;
  virtual void SymbolNameAt(const CAddr* at, char** nameOut) = 0;
  virtual void PointedType(const uint16_t* type, TypeHandle* out, int* basicOut) = 0;
  virtual void ElementType(const uint16_t* type, TypeHandle* out, int* basicOut) = 0;
  virtual uint16_t MemberLookup(const uint16_t* type, const char* member, TypeHandle* out, int* basicOut) = 0;
  virtual void LineToAddress(const char* fileName, uint16_t* line, CAddr* addrOut) = 0;
  virtual void AddressToNearestLine(const CAddr* at, char** fileOut, uint16_t* lineOut) = 0;
  virtual void AddressToLine(const CAddr* at, const char** fileOut, uint16_t* firstLineOut,
                             uint16_t* lineOut) = 0;
  virtual bool IsFunctionStart(CAddr at) = 0;
  virtual void FirstFunction(CAddr* out) = 0;
  virtual void NextFunction(CAddr* out) = 0;
  virtual void FunctionRange(const CAddr* at, CAddr* startOut, CAddr* endOut) = 0;
  virtual void NextLineAddress(CAddr* address) = 0;
  virtual int IsNonZeroAddress(const CAddr* address) = 0;
  virtual void ValueText(const uint8_t* data, const uint16_t* type, uint16_t size, CString& text,
                         int basic) = 0;
  virtual void RegisterText(const TargetRegisters* block, char** textOut) = 0;
  virtual void SetEntryAddress(const CAddr* address);
  virtual bool IsLanguageCode4Function(CAddr at) = 0;
  // Looks the name up in the scope at `at`, then in its parents up to the
  // global scope; *typeOut is null when nothing is found.
  virtual void FindVariable(const char* name, TypeHandle* typeOut, CAddr* addrOut, int* basicOut,
                            const CAddr* at);
  virtual bool IsTypeSymbolName(const char* name) = 0;
  // The lowest line-start address (invalid when there are no lines); with
  // NextLineAddress it walks every line start upwards.
  virtual void FirstLineAddress(CAddr* out) = 0;

  CAddr m_entryAddress;
};
