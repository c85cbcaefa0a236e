// The resource tables of each module, and FindResource and friends.
#include "platform/ui/resources.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "platform/base/cstring.h"
#include "platform/ui/res_file.h"

namespace mirt_ui {
namespace {

struct Module {
  std::vector<ResEntry> entries;
};

std::mutex g_resourcesMutex;
std::map<HINSTANCE, std::unique_ptr<Module>>& Modules() {
  static std::map<HINSTANCE, std::unique_ptr<Module>> m;
  return m;
}
HINSTANCE g_resourceHandle = nullptr;

int FirstModule(struct dl_phdr_info* info, size_t, void* data) {
  *static_cast<const void**>(data) = info->dlpi_phdr;
  return 1;
}

HINSTANCE ProgramModule() {
  static HINSTANCE h = [] {
    const void* phdr = nullptr;
    dl_iterate_phdr(FirstModule, &phdr);
    return ModuleHandleOf(phdr);
  }();
  return h;
}

HINSTANCE Resolve(HMODULE h) { return h ? h : ProgramModule(); }

BOOL LoadStringLoader(UINT id, CString& out) {
  char buf[4096];
  int n = LoadString(AfxGetResourceHandle(), id, buf, sizeof buf);
  if (n <= 0) return FALSE;
  out = CString(buf, n);
  return TRUE;
}

}  // namespace

HINSTANCE ModuleHandleOf(const void* address) {
  Dl_info info{};
  if (!address || !dladdr(address, &info)) return nullptr;
  return static_cast<HINSTANCE>(info.dli_fbase);
}

void RegisterModuleResources(const void* anchor, const unsigned char* res, size_t size) {
  auto m = std::make_unique<Module>();
  ParseResFile(res, size, &m->entries);
  std::lock_guard<std::mutex> lock(g_resourcesMutex);
  Modules()[ModuleHandleOf(anchor)] = std::move(m);
  if (!mirt::GetStringLoader()) mirt::SetStringLoader(&LoadStringLoader);
}

void UnregisterModuleResources(const void* anchor) {
  std::lock_guard<std::mutex> lock(g_resourcesMutex);
  Modules().erase(ModuleHandleOf(anchor));
}

const ResEntry* FindEntry(HMODULE h, LPCSTR name, LPCSTR type) {
  if (!name || !type) return nullptr;
  ResId n = MakeResId(name), t = MakeResId(type);
  std::lock_guard<std::mutex> lock(g_resourcesMutex);
  auto it = Modules().find(Resolve(h));
  if (it == Modules().end()) return nullptr;
  for (const ResEntry& e : it->second->entries)
    if (e.type == t && e.name == n) return &e;
  return nullptr;
}

}  // namespace mirt_ui

using namespace mirt_ui;

HRSRC FindResource(HMODULE h, LPCSTR name, LPCSTR type) {
  const ResEntry* e = FindEntry(h, name, type);
  if (!e) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return reinterpret_cast<HRSRC>(const_cast<ResEntry*>(e));
}

HGLOBAL LoadResource(HMODULE, HRSRC r) {
  if (!r) return nullptr;
  return const_cast<unsigned char*>(reinterpret_cast<ResEntry*>(r)->data);
}

LPVOID LockResource(HGLOBAL g) { return g; }

DWORD SizeofResource(HMODULE, HRSRC r) { return r ? reinterpret_cast<ResEntry*>(r)->size : 0; }

BOOL FreeResource(HGLOBAL) { return FALSE; }

HINSTANCE AfxGetResourceHandle() { return g_resourceHandle ? g_resourceHandle : ProgramModule(); }
void AfxSetResourceHandle(HINSTANCE h) { g_resourceHandle = h; }

int LoadString(HINSTANCE inst, UINT id, LPSTR buf, int max) {
  // Strings come in blocks of 16: WORD length, then UTF-16 units.
  const ResEntry* e = FindEntry(inst, MAKEINTRESOURCE(id / 16 + 1), RT_STRING);
  if (buf && max > 0) buf[0] = 0;
  if (!e) return 0;
  const unsigned char* p = e->data;
  const unsigned char* end = p + e->size;
  for (UINT i = 0; i < 16; ++i) {
    if (end - p < 2) return 0;
    size_t len = p[0] | (p[1] << 8);
    p += 2;
    if (static_cast<size_t>(end - p) < len * 2) return 0;
    if (i == id % 16) {
      if (!buf || max <= 0) return static_cast<int>(len);
      std::string s = Utf16To1252(p, len);
      int n = std::min<int>(static_cast<int>(s.size()), max - 1);
      memcpy(buf, s.data(), n);
      buf[n] = 0;
      return n;
    }
    p += len * 2;
  }
  return 0;
}
