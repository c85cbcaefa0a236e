#include "framework/sec_std_btn_menu_template.h"

#include "platform/ui/menu.h"
#include "platform/ui/resources.h"
#include "platform/ui/ui.h"

namespace {

// Characters of Windows-1252's 0x80..0x9F (0: none).
constexpr WORD kSECMenuTemplate1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

WORD SECMenuTemplateWord(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

char SECMenuTemplateTo1252(WORD c) {
  if (c < 0x80 || (c >= 0xA0 && c < 0x100)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kSECMenuTemplate1252High[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

// One item: its flags, id, text and the item after it; FALSE when it runs past the end.
struct SECMenuTemplateItem {
  WORD flags = 0;
  WORD id = 0;
  std::string text;
  const BYTE* next = nullptr;
};

BOOL SECMenuTemplateRead(const BYTE* p, const BYTE* end, SECMenuTemplateItem* item) {
  if (!p || end - p < 2) return FALSE;
  item->flags = SECMenuTemplateWord(p);
  p += 2;
  if (!(item->flags & MF_POPUP)) {
    if (end - p < 2) return FALSE;
    item->id = SECMenuTemplateWord(p);
    p += 2;
  }
  item->text.clear();
  for (;;) {
    if (end - p < 2) return FALSE;
    const WORD c = SECMenuTemplateWord(p);
    p += 2;
    if (!c) break;
    item->text.push_back(SECMenuTemplateTo1252(c));
  }
  item->next = p;
  return TRUE;
}

// Moves p past one item, a popup with its whole level.
BOOL SECMenuTemplateSkipItem(const BYTE*& p, const BYTE* end, WORD* flags) {
  SECMenuTemplateItem item;
  if (!SECMenuTemplateRead(p, end, &item)) return FALSE;
  p = item.next;
  if (item.flags & MF_POPUP) SkipTemplateItems(p, end);
  *flags = item.flags;
  return TRUE;
}

}  // namespace

void SkipTemplateItems(const BYTE*& pItem, const BYTE* end) {
  WORD flags = 0;
  while (SECMenuTemplateSkipItem(pItem, end, &flags))
    if (flags & MF_END) return;
  pItem = end;
}

BOOL FindTemplateItem(const BYTE*& pItem, const BYTE* end, int n) {
  for (int i = 0; i < n; ++i) {
    WORD flags = 0;
    if (!SECMenuTemplateSkipItem(pItem, end, &flags) || (flags & MF_END)) return FALSE;
  }
  SECMenuTemplateItem item;
  return SECMenuTemplateRead(pItem, end, &item);
}

std::string TemplateItemText(const BYTE* pItem, const BYTE* end) {
  SECMenuTemplateItem item;
  return SECMenuTemplateRead(pItem, end, &item) ? item.text : std::string();
}

HMENU BuildPopupFromTemplate(const BYTE*& pItem, const BYTE* end) {
  HMENU menu = ::CreatePopupMenu();
  if (!menu) return nullptr;
  for (;;) {
    SECMenuTemplateItem item;
    if (!SECMenuTemplateRead(pItem, end, &item)) {
      ::DestroyMenu(menu);
      return nullptr;
    }
    pItem = item.next;
    UINT flags = item.flags & ~MF_END;
    UINT_PTR id = item.id;
    if (item.flags & MF_POPUP) {
      HMENU sub = BuildPopupFromTemplate(pItem, end);
      if (!sub) {
        ::DestroyMenu(menu);
        return nullptr;
      }
      id = reinterpret_cast<UINT_PTR>(sub);
    } else if (!item.flags && !item.id && item.text.empty()) {
      flags = MF_SEPARATOR;
    }
    if (!::AppendMenu(menu, flags, id, item.text.c_str())) {
      ::DestroyMenu(menu);
      return nullptr;
    }
    if (item.flags & MF_END) return menu;
  }
}
