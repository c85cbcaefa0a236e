#include "ytn1/srq_table.h"

#include <mutex>
#include <vector>

#include "drivers/rizo32/rizo32.h"
#include "ytn1/ytn1.h"

namespace ytn1 {

namespace {

struct SrqCallbackEntry {
  LONG id;
  WORD srqNumber;
  YTN_SRQ_FUNCTION callback;
};

// Guarded: the driver calls the handler from its own thread while the user
// interface registers and removes entries.
std::mutex g_mutex;
std::vector<SrqCallbackEntry> g_srqTable;
LONG g_nextSrqId = 1;

// The entry at position i whose number matches, or false past the end.
bool EntryAt(size_t i, SrqCallbackEntry* out) {
  std::lock_guard<std::mutex> g(g_mutex);
  if (i >= g_srqTable.size()) return false;
  *out = g_srqTable[i];
  return true;
}

}  // namespace

void SrqTableReset() {
  std::lock_guard<std::mutex> g(g_mutex);
  std::vector<SrqCallbackEntry>().swap(g_srqTable);
}

}  // namespace ytn1

extern "C" {

LONG WINAPI SetYtnSrqFunction(YTN_SRQ_FUNCTION callback, WORD srqNumber) {
  std::lock_guard<std::mutex> g(ytn1::g_mutex);
  LONG id = ytn1::g_nextSrqId++;
  ytn1::g_srqTable.push_back({id, srqNumber, callback});
  return id;
}

LONG WINAPI ClearYtnSrqFunction(LONG id) {
  std::lock_guard<std::mutex> g(ytn1::g_mutex);
  auto& t = ytn1::g_srqTable;
  for (auto it = t.begin(); it != t.end(); ++it)
    if (it->id == id) {
      t.erase(it);
      break;
    }
  return 0;
}

void WINAPI Ytn32SrqHandler(void) {
  WORD message = qj8_get_message();
  // The lock is not held while a callback runs, so that it may register
  // or remove entries; the table is read again before each step.
  ytn1::SrqCallbackEntry e;
  for (size_t i = 0; ytn1::EntryAt(i, &e); ++i)
    if (e.srqNumber == (message & 0xFF) && e.callback) e.callback(message, e.id);
}

}  // extern "C"
