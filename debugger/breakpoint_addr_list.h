// The session's breakpoints by address: each planted in target memory as
// the breakpoint instruction, with the replaced bytes saved. Several kinds
// of breakpoint may share one address.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "debugger/addr.h"
#include "platform/base/coll_list.h"

// Kinds of breakpoint (bits of CBreakpointAddr::kinds).
enum : uint16_t {
  BP_USER = 0x01,
  BP_TRACE = 0x02,
  BP_STEP_OVER = 0x04,
  BP_PROGRAM_END = 0x08,
  BP_RETURN = 0x10,
  BP_END_POINT = 0x20,
  BP_BOARD = 0x40,
  BP_ALL_KINDS = 0x7F,
};

struct CBreakpointAddr {
  CAddr* address = nullptr;       // owned
  uint8_t* savedBytes = nullptr;  // owned; the target's own code
  uint16_t kinds = 0;
  uint16_t context = 0;
};

class CBreakpointAddrList : public CList<CBreakpointAddr*, CBreakpointAddr*> {
 public:
  // The breakpoint instruction: `opcodeLength` bytes at `opcodeBytes`.
  CBreakpointAddrList(uint16_t opcodeLength, const uint8_t* opcodeBytes);
  // Removes every entry, restoring the saved bytes.
  ~CBreakpointAddrList();

  POSITION Find(const CAddr& address) const;
  void Add(const CAddr& address, uint16_t kindMask, uint16_t context);
  // Takes kinds off an entry; when none are left and `restore` is set,
  // writes the saved bytes back (the write's result goes to `restore`)
  // and removes the entry. An entry whose bytes could not be restored is
  // kept, without kinds, so the only copy of the code is not lost.
  void RemoveKinds(POSITION pos, uint16_t kindMask, int& restore);
  void RemoveKindsAt(const CAddr& address, uint16_t kindMask);

  void AddUserBreakpoint(const CAddr& a) { Add(a, BP_USER, m_context); }
  void RemoveUserBreakpoint(const CAddr& a) { RemoveKindsAt(a, BP_USER); }
  void AddProgramEndBreakpoint(const CAddr& a) { Add(a, BP_PROGRAM_END, m_context); }
  void AddReturnBreakpoint(const CAddr& a) { Add(a, BP_RETURN, m_context); }
  void AddWithContext(const CAddr& a, uint16_t context) { Add(a, BP_BOARD, context); }

  void RemoveAllOfKind(uint16_t kind);
  // Takes `kind` off every entry outside the function that holds `address`.
  void RemoveOutsideFunction(const CAddr& address, uint16_t kind);
  void PlantAtAllLines();
  void PlantInFunction(const CAddr& address);
  void PlantEndPoints();

  bool IsEndPointOnly(const CAddr& address) const;
  bool IsEndPoint(const CAddr& address) const;
  bool IsBreakpointSet(const CAddr& address) const;
  // A new[] copy of the saved bytes at an address with an entry.
  int GetSavedBytes(const CAddr& address, uint8_t** bytesOut, uint16_t* lengthOut) const;
  int RestoreOriginal(const CAddr& address);
  int Replant(const CAddr& address);

  uint16_t m_flags = 0;
  uint16_t m_context = 0;  // context word of new entries

 private:
  const CBreakpointAddr* EntryAt(const CAddr& address) const;
  int WriteOpcode(const CBreakpointAddr& entry, uint16_t kindMask);
  void Forget(POSITION pos);

  uint16_t m_opcodeLength;
  uint8_t* m_opcodeBytes;
  std::unordered_map<uint32_t, POSITION> m_byLinear;
};
