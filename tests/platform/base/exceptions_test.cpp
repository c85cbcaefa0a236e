#include "platform/base/afxexcept.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int g_live = 0;

class CCountedException : public CException {
 public:
  CCountedException() { ++g_live; }
  ~CCountedException() override { --g_live; }
};

TEST(Exceptions, CatchMacrosDeleteUnlessPassedOn) {
  g_live = 0;
  bool caught = false;
  TRY { throw new CCountedException; }
  CATCH(CMemoryException, e) { FAIL() << "wrong kind"; }
  AND_CATCH(CException, e) {
    caught = true;
    EXPECT_EQ(g_live, 1);
  }
  END_CATCH
  EXPECT_TRUE(caught);
  EXPECT_EQ(g_live, 0);

  CException* passed = nullptr;
  try {
    TRY { throw new CCountedException; }
    CATCH_ALL(e) { THROW_LAST(); }
    END_CATCH_ALL
  } catch (CException* e) {
    passed = e;
  }
  ASSERT_NE(passed, nullptr);
  EXPECT_EQ(g_live, 1);  // still alive after THROW_LAST
  passed->Delete();
  EXPECT_EQ(g_live, 0);
}

TEST(Exceptions, ThrowHelpersAndMessages) {
  struct Case {
    void (*thrower)();
    CRuntimeClass* kind;
    const char* text;
  };
  const Case cases[] = {
      {&AfxThrowMemoryException, RUNTIME_CLASS(CMemoryException), "Out of memory."},
      {&AfxThrowResourceException, RUNTIME_CLASS(CResourceException), "A required resource was unavailable."},
      {&AfxThrowNotSupportedException, RUNTIME_CLASS(CNotSupportedException),
       "An unsupported operation was attempted."},
      {&AfxThrowUserException, RUNTIME_CLASS(CUserException), ""},
  };
  for (const Case& c : cases) {
    try {
      c.thrower();
      ADD_FAILURE() << "nothing thrown";
    } catch (CException* e) {
      EXPECT_TRUE(e->IsKindOf(c.kind)) << c.kind->m_lpszClassName;
      char buf[64];
      EXPECT_EQ(e->GetErrorMessage(buf, sizeof buf) != FALSE, *c.text != '\0');
      EXPECT_STREQ(buf, c.text);
      char small[4];
      e->GetErrorMessage(small, sizeof small);
      EXPECT_EQ(std::string(small), std::string(c.text).substr(0, 3));
      e->Delete();  // the static memory exception survives this
    }
  }
  try {
    AfxThrowMemoryException();
  } catch (CException* e) {
    EXPECT_FALSE(e->m_bAutoDelete);
  }
}

}  // namespace
