// CObject and CRuntimeClass: run-time class information, kind tests and
// dynamic creation, also by class name.
#pragma once

#include "platform/base/afxdebug.h"
#include "platform/base/windef.h"

class CObject;
class CArchive;
class CDumpContext;

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF for classes that are not serial
  CObject* (*m_pfnCreateObject)();
  CRuntimeClass* m_pBaseClass;

  // A new object of this class; NULL when the class is not dynamically creatable.
  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

  // The registered class of that name (names compare exactly), or NULL.
  static CRuntimeClass* FromName(LPCSTR lpszClassName);
  static CObject* CreateObject(LPCSTR lpszClassName);
};

// Registers a run-time class while its module is loaded.
struct AFX_CLASSINIT {
  explicit AFX_CLASSINIT(const CRuntimeClass* pNewClass);
  ~AFX_CLASSINIT();
  AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
  AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;
  const CRuntimeClass* m_pClass;
};

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

class CObject {
 public:
  static const CRuntimeClass classCObject;
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;

  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  BOOL IsSerializable() const;
  virtual void Serialize(CArchive& ar);
  virtual void AssertValid() const {}
  virtual void Dump(CDumpContext& dc) const {}

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#define DECLARE_DYNAMIC(class_name)             \
 public:                                        \
  static const CRuntimeClass class##class_name; \
  virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                           \
  const CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class class_name), wSchema, \
                                                       pfnNew, RUNTIME_CLASS(base_class_name)};        \
  static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));                            \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)         \
  CObject* class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)   \
  CObject* class_name::CreateObject() { return new class_name; } \
  IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)

#ifdef _DEBUG
#define ASSERT_VALID(pOb) (::AfxAssertValidObject((pOb), __FILE__, __LINE__))
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#else
#define ASSERT_VALID(pOb) ((void)0)
#define ASSERT_KINDOF(class_name, object) ((void)0)
#endif

void AfxAssertValidObject(const CObject* pOb, LPCSTR lpszFileName, int nLine);

// The object as a pointer to class_name, or NULL when it is of another kind.
#define DYNAMIC_DOWNCAST(class_name, object) \
  (class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
CObject* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject);
