// CTextView: a plain scroll view, registered for dynamic creation, that
// shows one centred line. No document template uses it.
#pragma once

#include "platform/afx/scrollview.h"

constexpr const char* kTextViewText = "This is a text view.";

class CTextView : public CScrollView {
  DECLARE_DYNCREATE(CTextView)
 public:
  void OnInitialUpdate() override;
  void OnDraw(CDC* pDC) override;
};

extern CRuntimeClass* const g_pTextViewClass;
