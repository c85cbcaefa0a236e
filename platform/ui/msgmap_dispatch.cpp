#include "platform/ui/msgmap_dispatch.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace mirt_ui {
namespace {

constexpr UINT kRegisteredMessage = 0xC000;

// A window-message entry (no control code or id) for msg.
bool Handles(const AFX_MSGMAP_ENTRY& e, UINT msg) {
  if (e.nCode != 0 || e.nID != 0) return false;
  UINT m = e.nMessage == kRegisteredMessage ? *reinterpret_cast<const UINT*>(e.nSig) : e.nMessage;
  return m == msg;
}

const AFX_MSGMAP* BaseOf(const AFX_MSGMAP* map) {
  return map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr;
}

}  // namespace

DispatchTable::DispatchTable(const AFX_MSGMAP* top) : top_(top), entries0_(top->lpEntries) {
  // Derived classes first: the first entry seen for a message wins.
  for (const AFX_MSGMAP* map = top; map; map = BaseOf(map)) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
      if (e->nMessage == kRegisteredMessage || e->nCode != 0 || e->nID != 0) continue;
      UINT m = e->nMessage;
      if (m < kLow && low_[m] == 0 && entries_.size() < kElsewhere) {
        low_[m] = static_cast<uint8_t>(entries_.size());
        entries_.push_back(e);
      } else if (m < kRegisteredMessage && (m >= kLow || low_[m] == 0)) {
        if (m < kLow) low_[m] = kElsewhere;
        bool seen = std::any_of(others_.begin(), others_.end(), [m](const auto& p) { return p.first == m; });
        if (!seen) others_.emplace_back(m, e);
      }
    }
  }
  std::sort(others_.begin(), others_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

const AFX_MSGMAP_ENTRY* DispatchTable::FindHigh(UINT msg) const {
  if (msg < kRegisteredMessage) {
    auto it = std::lower_bound(others_.begin(), others_.end(), msg,
                               [](const auto& p, UINT m) { return p.first < m; });
    return it != others_.end() && it->first == msg ? it->second : nullptr;
  }
  // Registered messages get their numbers at run time: searched each time.
  for (const AFX_MSGMAP* map = top_; map; map = BaseOf(map))
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e)
      if (Handles(*e, msg)) return e;
  return nullptr;
}

const DispatchTable& DispatchTableFromRegistry(const AFX_MSGMAP* top) {
  static std::mutex m;
  // Tables are kept for the life of the process: threads' caches point at them.
  static auto& tables = *new std::unordered_map<const AFX_MSGMAP*, const DispatchTable*>;
  std::lock_guard<std::mutex> lock(m);
  const DispatchTable*& t = tables[top];
  if (!t || !t->Describes(top)) t = new DispatchTable(top);
  return *t;
}

}  // namespace mirt_ui
