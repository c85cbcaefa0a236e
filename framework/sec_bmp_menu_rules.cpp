#include "framework/sec_bmp_menu_rules.h"

#include <algorithm>

#include "platform/base/charcase.h"
#include "platform/ui/ui.h"

namespace {
// System commands keep the system's drawing.
constexpr UINT kSECFirstSystemCommand = 0xF000;
constexpr UINT kSECLastSystemCommand = 0xFEFF;
// Room beside the text: the image column and the gaps around the text.
constexpr int kSECBmpMenuTextRoom = 30;
constexpr int kSECBmpMenuImagePad = 4;
// WM_MENUCHAR answers: execute or select the item in the low word.
constexpr LRESULT kSECMenuCharExecute = 0x20000;
constexpr LRESULT kSECMenuCharSelect = 0x30000;
}  // namespace

BOOL SECBmpMenuConverts(UINT fType, UINT nID, SECMenuItemOwner owner) {
  if (fType & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR)) return FALSE;
  if (nID >= kSECFirstSystemCommand && nID <= kSECLastSystemCommand) return FALSE;
  return owner == SECMenuItemOwner::kOurs;
}

int SECMenuMnemonic(const CString& strText) {
  const int length = strText.GetLength();
  for (int i = 0; i + 1 < length; ++i) {
    if (strText[i] != '&') continue;
    if (strText[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<unsigned char>(mirt::ToLower1252(static_cast<unsigned char>(strText[i + 1])));
  }
  return 0;
}

SECMenuLabel SECSplitMenuLabel(const CString& strText) {
  const int tab = strText.Find('\t');
  if (tab < 0) return {strText, CString()};
  return {strText.Left(tab), strText.Mid(tab + 1)};
}

CSize SECBmpMenuItemSize(CSize text, CSize image, int cyMenu) {
  const int least = std::max(cyMenu, static_cast<int>(image.cy) + kSECBmpMenuImagePad);
  return CSize(text.cx + image.cx + kSECBmpMenuTextRoom, std::max(static_cast<int>(text.cy), least));
}

LRESULT SECBmpMenuCharResult(const std::vector<int>& matches, int nHilite) {
  if (matches.empty()) return 0;
  if (matches.size() == 1) return kSECMenuCharExecute | matches.front();
  for (int position : matches) {
    if (position > nHilite) return kSECMenuCharSelect | position;
  }
  return kSECMenuCharSelect | matches.front();
}
