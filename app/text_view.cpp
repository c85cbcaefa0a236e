#include "app/text_view.h"

#include <cstring>

#include "platform/ui/cdc.h"

IMPLEMENT_DYNCREATE(CTextView, CScrollView)

namespace {
constexpr int kTextViewExtent = 1000;
}

void CTextView::OnInitialUpdate() {
  CScrollView::OnInitialUpdate();
  SetScrollSizes(MM_TEXT, CSize(kTextViewExtent, kTextViewExtent));
}

void CTextView::OnDraw(CDC* pDC) {
  CRect client;
  GetClientRect(client);
  pDC->DrawText(kTextViewText, static_cast<int>(std::strlen(kTextViewText)), client,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
