// The debug information of a real-mode executable with Borland debug
// information, loaded once per session. Loading builds what the line
// queries need; the name index and the function list are built by the
// first query that needs them (whichever thread asks).
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "debugger/borland_tables.h"
#include "debugger/borland_type_ids.h"
#include "debugger/code_addr_table.h"
#include "debugger/debug_interp.h"
#include "debugger/file_bytes.h"
#include "debugger/func_table.h"

class CDebugInterpBorland : public CDebugInterp, private CFuncTable::Symbols {
 public:
  // Loads the debug information of the executable at `exePath`; *result is
  // 1 on success, 0 when the file cannot be read or has no (usable) debug
  // information. `loadSegment` is the segment at which the program runs.
  CDebugInterpBorland(const char* exePath, int* result, uint16_t loadSegment);
  // The same from the bytes of the executable.
  CDebugInterpBorland(const uint8_t* image, size_t size, int* result, uint16_t loadSegment);
  ~CDebugInterpBorland() override;

  ScopeHandle FindScope(const CAddr* at) override;
  int FindSymbolInScope(ScopeHandle scope, const char* name, TypeHandle* typeOut, CAddr* addrOut,
                        int* basicOut) override;
  bool IsGlobalScope(ScopeHandle scope) override;
  void ParentScope(ScopeHandle scope) override;
  uint16_t TypeSize(uint16_t number, int basic) override;
  void SymbolNameAt(const CAddr* at, char** nameOut) override;
  void PointedType(const uint16_t* type, TypeHandle* out, int* basicOut) override;
  void ElementType(const uint16_t* type, TypeHandle* out, int* basicOut) override;
  uint16_t MemberLookup(const uint16_t* type, const char* member, TypeHandle* out, int* basicOut) override;
  void LineToAddress(const char* fileName, uint16_t* line, CAddr* addrOut) override;
  void AddressToNearestLine(const CAddr* at, char** fileOut, uint16_t* lineOut) override;
  void AddressToLine(const CAddr* at, const char** fileOut, uint16_t* firstLineOut,
                     uint16_t* lineOut) override;
  bool IsFunctionStart(CAddr at) override;
  void FirstFunction(CAddr* out) override;
  void NextFunction(CAddr* out) override;
  void FunctionRange(const CAddr* at, CAddr* startOut, CAddr* endOut) override;
  void NextLineAddress(CAddr* address) override;
  int IsNonZeroAddress(const CAddr* address) override;
  void ValueText(const uint8_t* data, const uint16_t* type, uint16_t size, CString& text, int basic) override;
  void RegisterText(const TargetRegisters* block, char** textOut) override;
  bool IsLanguageCode4Function(CAddr at) override;
  bool IsTypeSymbolName(const char* name) override;
  void FirstLineAddress(CAddr* out) override;

  // Type table helpers (indexes above the type count name added types).
  size_t FindSegment(const CAddr& at) const;
  bool NamesEqual(const char* a, const char* b) const;
  uint8_t TypeIdOf(uint32_t index) const;
  uint32_t TypeExtraOf(uint32_t index) const;
  uint16_t FindTypeById(uint8_t id) const;
  uint16_t FindTypeByName(const char* name) const;
  uint16_t NewAddedTypeIndex();
  void ClearAddedTypes();
  void AddType(const EntryTypeTable& record) { m_additionalTypes.push_back(record); }

  bool IsValid() const { return m_valid; }
  const char* ExeDirectory() const { return m_exeDirectory.c_str(); }
  const CAddr& HighestCodeAddress() const { return m_highestCode; }
  const CCodeAddrTable& Lines() const { return m_lines; }
  const CFuncTable& Functions() const;
  // Name n of the pool ("" for 0 or an index outside the pool).
  const char* Name(uint32_t index) const;

 private:
  // Reads the debug information of the executable's bytes in m_bytes.
  void Load(int* result);
  // Whether global names lose a leading underscore.
  bool StripsUnderscores() const;
  void StripUnderscores(std::vector<uint32_t>& starts) const;
  void IndexNamesOnce() const;
  // The source files' names, without the whole name index.
  std::vector<const char*> SourceFileNames() const;
  void BuildLineList();
  void BuildFunctionList() const;
  // Only the file's types exist while loading.
  bool IsFunctionType(uint32_t type) const {
    return type != 0 && type <= m_info.types.size() && *m_info.types.Bytes(type - 1) == kTypeFunction;
  }
  // The language byte of the module whose segment holds the address.
  uint8_t LanguageAt(const CAddr& a) const;
  // Where a symbol of this location is in the loaded program.
  CAddr LocationAddress(uint32_t location) const;
  uint32_t FunctionLinear(uint32_t location) const {
    return uint32_t(uint16_t((location >> 16) + m_loadSegment)) * 16 + (location & 0xFFFF);
  }
  const char* FunctionName(uint32_t symbol) const override;
  CAddr FunctionAddress(uint32_t symbol) const override;
  uint8_t FunctionLanguage(uint32_t symbol) const override;
  // Position in m_segmentsByStart of the first segment with the greatest
  // start at or below `linear`; m_segmentsByStart.size() for none.
  size_t SegmentSlot(uint32_t linear) const;
  std::optional<EntryTypeTable> TypeRecord(uint32_t index) const;
  std::optional<BorlandSymbol> Symbol(uint32_t index) const;
  std::optional<BorlandMember> Member(uint32_t index) const;
  static bool IsBasicId(uint32_t id);
  // The handle of a symbol's or member's type by the basic index rule.
  void TypeByIndexRule(uint32_t index, TypeHandle* out, int* basicOut) const;
  CAddr SymbolAddress(const BorlandSymbol& s) const;
  // Value texts: one walk over the types of one value.
  struct ValueWalk;
  void AppendValue(const uint8_t* data, uint32_t typeNumber, uint16_t size, CString& text, int basic,
                   ValueWalk& walk);
  void AppendAggregate(const uint8_t* data, const std::optional<EntryTypeTable>& rec, uint8_t id,
                       uint16_t size, CString& text, ValueWalk& walk);
  void AppendMembers(const uint8_t* data, uint16_t size, uint32_t firstMember, bool sameData,
                     bool skipRecords, CString& text, ValueWalk& walk);
  void AppendClass(const uint8_t* data, uint16_t size, uint32_t classIndex, CString& text, ValueWalk& walk);
  // The first unknown type id of this executable is shown; later ones are not.
  void ReportUnknownTypeId(uint8_t id);

  struct SegmentStart {
    uint32_t linear;
    uint32_t index;
  };

  FileBytes m_bytes;  // the executable; m_info refers to it
  BorlandDebugInfo m_info;
  mutable std::once_flag m_namesOnce;
  mutable std::atomic<bool> m_namesBuilt{false};  // spares the once call when set
  mutable std::vector<uint32_t> m_nameStarts;     // pool offset of name 1, 2, ...
  mutable std::once_flag m_functionsOnce;
  mutable CFuncTable m_functions;
  size_t m_functionPos = 0;
  CAddr m_highestCode;
  CCodeAddrTable m_lines;
  std::vector<EntryTypeTable> m_additionalTypes;
  uint16_t m_addedTypeCount = 0;
  std::vector<SegmentStart> m_segmentsByStart;  // ascending, stable
  std::string m_exeDirectory;
  bool m_valid = false;
  uint16_t m_loadSegment;
  uint32_t m_firstNonScopeSymbol = 0;
  std::atomic<bool> m_unknownTypeReported{false};
};
