// Module state: a function exported from a shared library shows that
// library's own resources (strings, dialogs, menus) while it runs:
//   AFX_MANAGE_STATE(AfxGetStaticModuleState());
#pragma once

#include "platform/ui/resources.h"

struct AFX_MODULE_STATE {
  HINSTANCE m_hCurrentInstanceHandle;
  HINSTANCE m_hCurrentResourceHandle;
};

// The state of the module this is compiled into (each module has its own copy).
static inline AFX_MODULE_STATE* AfxGetStaticModuleState() {
  static AFX_MODULE_STATE state = [] {
    HINSTANCE h = mirt_ui::ModuleHandleOf(reinterpret_cast<const void*>(&AfxGetStaticModuleState));
    return AFX_MODULE_STATE{h, h};
  }();
  return &state;
}

// Makes a module's resources current for a scope, then restores the old ones.
class AFX_MAINTAIN_STATE2 {
 public:
  explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pState) : m_hOld(AfxGetResourceHandle()) {
    if (pState) AfxSetResourceHandle(pState->m_hCurrentResourceHandle);
  }
  ~AFX_MAINTAIN_STATE2() { AfxSetResourceHandle(m_hOld); }
  AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
  AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

 private:
  HINSTANCE m_hOld;
};

#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _afxManagedState(p)
