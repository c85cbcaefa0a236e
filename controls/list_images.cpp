// The list's four image lists, private copies unless they are shared.
#include "controls/list_base.h"

#include <cstring>
#include <string>

namespace {
constexpr int kImageListKinds = 4;
}  // namespace

CImageList* SECListBaseC::GetImageList(int nKind) const {
  return nKind >= 0 && nKind < kImageListKinds ? m_imageLists[nKind] : nullptr;
}

CImageList* SECListBaseC::SetImageList(CImageList* pImageList, int nKind) {
  if (nKind < 0 || nKind >= kImageListKinds) return nullptr;
  CImageList* old = m_imageLists[nKind];
  if (old && !HasListStyle(LVS_SHAREIMAGELISTS)) m_replacedImageLists.push_back(old);
  if (HasListStyle(LVS_SHAREIMAGELISTS) || pImageList == nullptr) {
    m_imageLists[nKind] = pImageList;
  } else {
    CImageList* copy = nullptr;
    m_imageLists[nKind] = CopyImageList(pImageList, &copy) ? copy : nullptr;
  }
  if (HasWindow()) {
    RecalcLayout();
    Invalidate(TRUE);
  }
  return old;
}

BOOL SECListBaseC::CopyImageList(CImageList* pSource, CImageList** ppDest) {
  *ppDest = nullptr;
  if (pSource == nullptr || pSource->GetSafeHandle() == nullptr) return FALSE;
  std::string bytes;
  if (!mirt_ui::WriteImageList(pSource->GetSafeHandle(), [&](const void* data, size_t size) {
        bytes.append(static_cast<const char*>(data), size);
      }))
    return FALSE;
  size_t at = 0;
  HIMAGELIST copy = mirt_ui::ReadImageList([&](void* data, size_t size) {
    if (bytes.size() - at < size) return false;
    std::memcpy(data, bytes.data() + at, size);
    at += size;
    return true;
  });
  if (copy == nullptr) return FALSE;
  auto* list = new CImageList;
  list->Attach(copy);
  *ppDest = list;
  return TRUE;
}
