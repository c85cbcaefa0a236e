#include "platform/base/cobject.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace {

struct ClassRegistry {
  std::mutex lock;
  std::vector<const CRuntimeClass*> classes;
};

ClassRegistry& Registry() {
  static ClassRegistry* registry = new ClassRegistry;  // lives past static destructors
  return *registry;
}

}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr};
static const AFX_CLASSINIT _init_CObject(&CObject::classCObject);

AFX_CLASSINIT::AFX_CLASSINIT(const CRuntimeClass* pNewClass) : m_pClass(pNewClass) {
  ClassRegistry& r = Registry();
  std::lock_guard<std::mutex> guard(r.lock);
  r.classes.push_back(pNewClass);
}

// An unloaded module's classes leave the registry with it.
AFX_CLASSINIT::~AFX_CLASSINIT() {
  ClassRegistry& r = Registry();
  std::lock_guard<std::mutex> guard(r.lock);
  std::erase(r.classes, m_pClass);
}

CObject* CRuntimeClass::CreateObject() const {
  if (!m_pfnCreateObject) {
    TRACE("Error: cannot create an object of class %s dynamically.\n", m_lpszClassName);
    return nullptr;
  }
  return m_pfnCreateObject();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
    if (c == pBaseClass) return TRUE;
  }
  return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
  if (!lpszClassName) return nullptr;
  ClassRegistry& r = Registry();
  std::lock_guard<std::mutex> guard(r.lock);
  // The latest registration wins, so a reloaded module's class is found.
  for (auto it = r.classes.rbegin(); it != r.classes.rend(); ++it) {
    if (std::strcmp((*it)->m_lpszClassName, lpszClassName) == 0) return const_cast<CRuntimeClass*>(*it);
  }
  return nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
  const CRuntimeClass* c = FromName(lpszClassName);
  return c ? c->CreateObject() : nullptr;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

void CObject::Serialize(CArchive&) {}

void AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine) {
  if (!pOb) {
    mirt::AssertFailed(lpszFileName, nLine, "object is NULL");
    return;
  }
  pOb->AssertValid();
}

CObject* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject) {
  return pObject && pObject->IsKindOf(pClass) ? pObject : nullptr;
}
