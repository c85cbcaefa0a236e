// Private: which message-map entry of a class handles a window message,
// worked out once per class so a sent message costs one table read.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/ui/cmdtarget.h"
#include "platform/ui/thread_queue.h"

namespace mirt_ui {

class DispatchTable {
 public:
  explicit DispatchTable(const AFX_MSGMAP* top);
  // The first entry up the class chain for a window message other than
  // WM_COMMAND and WM_NOTIFY, or null.
  const AFX_MSGMAP_ENTRY* Find(UINT msg) const {
    if (msg < kLow && low_[msg] != kElsewhere) return entries_[low_[msg]];
    return FindHigh(msg);
  }
  // Whether the table still describes this map (a library may have been
  // replaced at the same address).
  bool Describes(const AFX_MSGMAP* top) const { return top->lpEntries == entries0_; }

 private:
  // System messages and the first WM_USER ones have a slot each.
  static constexpr UINT kLow = WM_USER + 0x400;
  static constexpr uint8_t kElsewhere = 0xFF;
  const AFX_MSGMAP_ENTRY* FindHigh(UINT msg) const;
  const AFX_MSGMAP* top_;
  const AFX_MSGMAP_ENTRY* entries0_;
  uint8_t low_[kLow] = {};  // index into entries_ (0: none), or kElsewhere
  std::vector<const AFX_MSGMAP_ENTRY*> entries_{nullptr};
  std::vector<std::pair<UINT, const AFX_MSGMAP_ENTRY*>> others_;  // sorted by message
};

const DispatchTable& DispatchTableFromRegistry(const AFX_MSGMAP* top);

// A small per-thread cache in front of the table registry.
inline const DispatchTable& DispatchTableOf(const AFX_MSGMAP* top) {
  struct Slot {
    const AFX_MSGMAP* map;
    const DispatchTable* table;
  };
  MIRT_FAST_TLS static thread_local Slot cache[64];
  Slot& s = cache[(reinterpret_cast<uintptr_t>(top) >> 4) & 63];
  if (s.map != top || !s.table->Describes(top)) s = Slot{top, &DispatchTableFromRegistry(top)};
  return *s.table;
}

}  // namespace mirt_ui
