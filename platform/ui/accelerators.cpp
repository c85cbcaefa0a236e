// Accelerator tables and their translation into WM_COMMAND.
#include <mutex>
#include <set>
#include <vector>

#include "platform/ui/input.h"
#include "platform/ui/message.h"
#include "platform/ui/res_file.h"
#include "platform/ui/resources.h"
#include "platform/ui/window.h"

namespace mirt_ui {
namespace {
struct AccelTable {
  std::vector<ACCEL> entries;
};
std::mutex g_acceleratorsMutex;
std::set<AccelTable*> g_tables;

AccelTable* Table(HACCEL h) {
  std::lock_guard<std::mutex> lock(g_acceleratorsMutex);
  auto* t = reinterpret_cast<AccelTable*>(h);
  return g_tables.count(t) ? t : nullptr;
}

HACCEL Add(AccelTable* t) {
  std::lock_guard<std::mutex> lock(g_acceleratorsMutex);
  g_tables.insert(t);
  return reinterpret_cast<HACCEL>(t);
}
}  // namespace

bool ParseAccelerators(const unsigned char* p, size_t size, std::vector<ACCEL>* out) {
  for (size_t off = 0; off + 8 <= size; off += 8) {
    BYTE flags = p[off];
    ACCEL a;
    a.fVirt = flags & 0x7F;
    a.key = static_cast<WORD>(p[off + 2] | (p[off + 3] << 8));
    a.cmd = static_cast<WORD>(p[off + 4] | (p[off + 5] << 8));
    out->push_back(a);
    if (flags & 0x80) return true;
  }
  return false;
}

}  // namespace mirt_ui

using namespace mirt_ui;

HACCEL LoadAccelerators(HINSTANCE inst, LPCSTR name) {
  const ResEntry* e = FindEntry(inst, name, RT_ACCELERATOR);
  if (!e) return nullptr;
  auto* t = new AccelTable;
  ParseAccelerators(e->data, e->size, &t->entries);
  return Add(t);
}

HACCEL CreateAcceleratorTable(LPACCEL a, int n) {
  if (!a || n <= 0) return nullptr;
  auto* t = new AccelTable;
  t->entries.assign(a, a + n);
  return Add(t);
}

BOOL DestroyAcceleratorTable(HACCEL h) {
  AccelTable* t = Table(h);
  if (!t) return FALSE;
  {
    std::lock_guard<std::mutex> lock(g_acceleratorsMutex);
    g_tables.erase(t);
  }
  delete t;
  return TRUE;
}

int CopyAcceleratorTable(HACCEL h, LPACCEL dst, int n) {
  AccelTable* t = Table(h);
  if (!t) return 0;
  if (!dst) return static_cast<int>(t->entries.size());
  int c = std::min<int>(n, static_cast<int>(t->entries.size()));
  for (int i = 0; i < c; ++i) dst[i] = t->entries[i];
  return c;
}

int TranslateAccelerator(HWND hwnd, HACCEL h, LPMSG m) {
  AccelTable* t = Table(h);
  // A window disabled under a modal dialog takes no commands from keys.
  if (!t || !m || !hwnd || !IsWindowEnabled(hwnd)) return 0;
  bool key = m->message == WM_KEYDOWN || m->message == WM_SYSKEYDOWN;
  bool chr = m->message == WM_CHAR || m->message == WM_SYSCHAR;
  if (!key && !chr) return 0;
  bool shift = GetKeyState(VK_SHIFT) & 0x8000;
  bool ctrl = GetKeyState(VK_CONTROL) & 0x8000;
  bool alt = (GetKeyState(VK_MENU) & 0x8000) || (m->lParam & (1 << 29));
  for (const ACCEL& a : t->entries) {
    bool match;
    if (a.fVirt & FVIRTKEY) {
      match = key && a.key == m->wParam && ((a.fVirt & FSHIFT) != 0) == shift &&
              ((a.fVirt & FCONTROL) != 0) == ctrl && ((a.fVirt & FALT) != 0) == alt;
    } else {
      match = chr && a.key == (m->wParam & 0xFF) && ((a.fVirt & FALT) != 0) == alt;
    }
    if (!match) continue;
    SendMessage(hwnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
    return 1;
  }
  return 0;
}
