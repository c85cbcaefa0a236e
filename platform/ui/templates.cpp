// Menu and dialog templates parsed from their binary resource forms.
#include <cstring>

#include "platform/ui/res_file.h"
#include "platform/ui/resources.h"

namespace mirt_ui {
namespace {

// A bounded reader over little-endian data.
class Reader {
 public:
  Reader(const unsigned char* p, size_t n) : p_(p), end_(p + n), start_(p) {}
  bool ok() const { return ok_; }
  bool atEnd() const { return p_ >= end_; }
  WORD Word() {
    if (end_ - p_ < 2) return Fail(), 0;
    WORD v = static_cast<WORD>(p_[0] | (p_[1] << 8));
    p_ += 2;
    return v;
  }
  DWORD Dword() {
    WORD lo = Word(), hi = Word();
    return lo | (static_cast<DWORD>(hi) << 16);
  }
  BYTE Byte() {
    if (end_ - p_ < 1) return Fail(), 0;
    return *p_++;
  }
  std::string String() {
    const unsigned char* s = p_;
    size_t n = 0;
    while (end_ - p_ >= 2 && (p_[0] | p_[1])) {
      p_ += 2;
      ++n;
    }
    if (end_ - p_ < 2) return Fail(), std::string();
    p_ += 2;
    return Utf16To1252(s, n);
  }
  // A string or 0xFFFF and an ordinal.
  void NameOrOrdinal(std::string* s, int* ord) {
    if (end_ - p_ >= 2 && p_[0] == 0xFF && p_[1] == 0xFF) {
      p_ += 2;
      *ord = Word();
      return;
    }
    *s = String();
  }
  void Align4() {
    size_t off = static_cast<size_t>(p_ - start_);
    size_t pad = (4 - off % 4) % 4;
    if (static_cast<size_t>(end_ - p_) < pad)
      p_ = end_;
    else
      p_ += pad;
  }
  void Skip(size_t n) {
    if (static_cast<size_t>(end_ - p_) < n) return Fail();
    p_ += n;
  }
  const unsigned char* pos() const { return p_; }

 private:
  void Fail() {
    ok_ = false;
    p_ = end_;
  }
  const unsigned char* p_;
  const unsigned char* end_;
  const unsigned char* start_;
  bool ok_ = true;
};

bool ReadMenuItems(Reader& r, std::vector<MenuTemplateItem>* out, int depth) {
  if (depth > 16) return false;
  while (r.ok() && !r.atEnd()) {
    MenuTemplateItem item;
    WORD flags = r.Word();
    if (!(flags & MF_POPUP)) item.id = r.Word();
    item.text = r.String();
    if (!r.ok()) return false;
    item.flags = flags & ~MF_END;
    if (item.text.empty() && !(flags & MF_POPUP) && item.id == 0) item.flags |= MF_SEPARATOR;
    if (flags & MF_POPUP && !ReadMenuItems(r, &item.items, depth + 1)) return false;
    out->push_back(std::move(item));
    if (flags & MF_END) return true;
  }
  return false;
}

bool ReadMenuExItems(Reader& r, std::vector<MenuTemplateItem>* out, int depth) {
  if (depth > 16) return false;
  while (r.ok() && !r.atEnd()) {
    MenuTemplateItem item;
    DWORD type = r.Dword();
    DWORD state = r.Dword();
    DWORD id = r.Dword();
    WORD res = r.Word();
    item.text = r.String();
    r.Align4();
    item.id = id;
    item.flags = (type & (MF_SEPARATOR | MF_MENUBREAK | MF_MENUBARBREAK | MF_OWNERDRAW | MF_BITMAP)) |
                 (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED));
    if (res & 1) {
      item.flags |= MF_POPUP;
      r.Dword();  // help id
      if (!ReadMenuExItems(r, &item.items, depth + 1)) return false;
    }
    if (!r.ok()) return false;
    out->push_back(std::move(item));
    if (res & 0x80) return true;
  }
  return false;
}

std::string ClassFromAtom(int atom) {
  switch (atom) {
    case 0x80:
      return "BUTTON";
    case 0x81:
      return "EDIT";
    case 0x82:
      return "STATIC";
    case 0x83:
      return "LISTBOX";
    case 0x84:
      return "SCROLLBAR";
    case 0x85:
      return "COMBOBOX";
  }
  std::string name = "#";
  name += std::to_string(atom);
  return name;
}

}  // namespace
}  // namespace mirt_ui

using namespace mirt_ui;

bool ParseMenuTemplate(const void* data, size_t size, std::vector<MenuTemplateItem>* out) {
  if (!data || !out) return false;
  Reader r(static_cast<const unsigned char*>(data), size);
  WORD version = r.Word();
  WORD offset = r.Word();
  if (!r.ok()) return false;
  if (version == 0) {
    r.Skip(offset);
    return ReadMenuItems(r, out, 0);
  }
  if (version == 1) {
    r.Skip(offset);
    return ReadMenuExItems(r, out, 0);
  }
  return false;
}

bool LoadMenuTemplate(HINSTANCE inst, LPCSTR name, std::vector<MenuTemplateItem>* out) {
  const ResEntry* e = FindEntry(inst, name, RT_MENU);
  return e && ParseMenuTemplate(e->data, e->size, out);
}

bool ParseDialogTemplate(const void* data, size_t size, DialogTemplate* t) {
  if (!data || !t) return false;
  Reader r(static_cast<const unsigned char*>(data), size);
  *t = DialogTemplate();
  WORD count;
  if (size >= 4 && r.pos()[0] == 1 && r.pos()[1] == 0 && r.pos()[2] == 0xFF && r.pos()[3] == 0xFF) {
    t->extended = true;
    r.Word();
    r.Word();
    r.Dword();  // help id
    t->exStyle = r.Dword();
    t->style = r.Dword();
  } else {
    t->style = r.Dword();
    t->exStyle = r.Dword();
  }
  count = r.Word();
  t->x = static_cast<short>(r.Word());
  t->y = static_cast<short>(r.Word());
  t->cx = static_cast<short>(r.Word());
  t->cy = static_cast<short>(r.Word());
  r.NameOrOrdinal(&t->menu, &t->menuOrdinal);
  int clsOrd = -1;
  r.NameOrOrdinal(&t->className, &clsOrd);
  if (clsOrd >= 0) t->className = ClassFromAtom(clsOrd);
  t->caption = r.String();
  if (t->style & 0x40L /* DS_SETFONT */) {
    t->pointSize = r.Word();
    if (t->extended) {
      t->weight = r.Word();
      t->italic = r.Byte();
      r.Byte();  // charset
    }
    t->faceName = r.String();
  }
  if (!r.ok() || count > 4096) return false;
  for (WORD i = 0; i < count; ++i) {
    r.Align4();
    DialogItemTemplate it;
    if (t->extended) {
      r.Dword();  // help id
      it.exStyle = r.Dword();
      it.style = r.Dword();
    } else {
      it.style = r.Dword();
      it.exStyle = r.Dword();
    }
    it.x = static_cast<short>(r.Word());
    it.y = static_cast<short>(r.Word());
    it.cx = static_cast<short>(r.Word());
    it.cy = static_cast<short>(r.Word());
    it.id = t->extended ? r.Dword() : r.Word();
    int ord = -1;
    r.NameOrOrdinal(&it.className, &ord);
    if (ord >= 0) it.className = ClassFromAtom(ord);
    r.NameOrOrdinal(&it.text, &it.textOrdinal);
    WORD extra = r.Word();
    if (extra) {
      const unsigned char* p = r.pos();
      r.Skip(extra);
      if (r.ok()) it.creationData.assign(p, p + extra);
    }
    if (!r.ok()) return false;
    t->items.push_back(std::move(it));
  }
  return true;
}

bool LoadDialogTemplate(HINSTANCE inst, LPCSTR name, DialogTemplate* out) {
  const ResEntry* e = FindEntry(inst, name, RT_DIALOG);
  return e && ParseDialogTemplate(e->data, e->size, out);
}
