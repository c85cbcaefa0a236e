#include "platform/base/cobject.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class CShape : public CObject {
  DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircleTestShape : public CShape {
  DECLARE_DYNCREATE(CCircleTestShape)
 public:
  int radius = 7;
};
IMPLEMENT_DYNCREATE(CCircleTestShape, CShape)

class CStoredTestShape : public CShape {
  DECLARE_SERIAL(CStoredTestShape)
};
IMPLEMENT_SERIAL(CStoredTestShape, CShape, 2)

class CPlainTestObject : public CObject {
  DECLARE_DYNCREATE(CPlainTestObject)
};
IMPLEMENT_DYNCREATE(CPlainTestObject, CObject)

TEST(CObject, KindTests) {
  CCircleTestShape circle;
  struct Case {
    const CObject* obj;
    CRuntimeClass* cls;
    bool kind;
  };
  CPlainTestObject plain;
  const Case cases[] = {
      {&circle, RUNTIME_CLASS(CCircleTestShape), true}, {&circle, RUNTIME_CLASS(CShape), true},
      {&circle, RUNTIME_CLASS(CObject), true},          {&circle, RUNTIME_CLASS(CStoredTestShape), false},
      {&plain, RUNTIME_CLASS(CShape), false},           {&plain, RUNTIME_CLASS(CObject), true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.obj->IsKindOf(c.cls) != FALSE, c.kind)
        << c.obj->GetRuntimeClass()->m_lpszClassName << " / " << c.cls->m_lpszClassName;
  }
  EXPECT_STREQ(circle.GetRuntimeClass()->m_lpszClassName, "CCircleTestShape");
  EXPECT_EQ(RUNTIME_CLASS(CCircleTestShape)->m_pBaseClass, RUNTIME_CLASS(CShape));
  EXPECT_EQ(RUNTIME_CLASS(CCircleTestShape)->m_nObjectSize, static_cast<int>(sizeof(CCircleTestShape)));
  EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, &plain), nullptr);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, &circle), &circle);
}

TEST(CObject, CreationByClassAndName) {
  std::unique_ptr<CObject> made(RUNTIME_CLASS(CCircleTestShape)->CreateObject());
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(static_cast<CCircleTestShape*>(made.get())->radius, 7);

  std::unique_ptr<CObject> byName(CRuntimeClass::CreateObject("CStoredTestShape"));
  ASSERT_NE(byName, nullptr);
  EXPECT_TRUE(byName->IsKindOf(RUNTIME_CLASS(CStoredTestShape)));
  EXPECT_TRUE(byName->IsSerializable());
  EXPECT_FALSE(made->IsSerializable());

  EXPECT_EQ(CRuntimeClass::FromName("CShape"), RUNTIME_CLASS(CShape));
  EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);  // not creatable
  EXPECT_EQ(CRuntimeClass::CreateObject("cshape"), nullptr);  // names are exact
  EXPECT_EQ(CRuntimeClass::CreateObject("NoSuchClass"), nullptr);
  EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
}

int g_failures = 0;
void CountFailure(const char*, int, const char*) { ++g_failures; }

TEST(Debug, AssertsGoToTheHandlerAndVerifyAlwaysEvaluates) {
  mirt::AssertHandler old = mirt::SetAssertHandler(&CountFailure);
  g_failures = 0;
  int evaluated = 0;
  VERIFY(++evaluated == 1);
  ASSERT(1 + 1 == 3);
  ASSERT_VALID(static_cast<CObject*>(nullptr));
  EXPECT_EQ(evaluated, 1);
#ifdef _DEBUG
  EXPECT_EQ(g_failures, 2);
#else
  EXPECT_EQ(g_failures, 0);
#endif
  mirt::SetAssertHandler(old);
}

}  // namespace
