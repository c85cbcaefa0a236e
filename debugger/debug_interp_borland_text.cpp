// Value texts of variables and the register text.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "debugger/debug_interp_borland.h"
#include "debugger/debug_message.h"
#include "debugger/target_registers.h"

namespace {

// Nesting deeper than this is taken as a loop in the type information.
constexpr size_t kMaxDepth = 32;
// Values and members one value text may visit: damaged type information can
// nest wide aggregates into each other, whose expansion grows exponentially.
constexpr int kWorkBudget = 20000;
// Stands for what the walk leaves out.
constexpr const char* kLeftOut = "...";

// The bytes a scalar of this id needs: a basic type or a far pointer.
uint16_t ScalarSize(uint8_t id) { return id == kTypeFarPointer ? 4 : BasicTypeSize(id); }

template <typename T>
T Load(const uint8_t* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

CString ScalarText(const uint8_t* d, uint8_t id) {
  CString s;
  switch (id) {
    case kTypeSignedChar:
    case kTypeUnsignedChar:
    case kTypeChar:
      s.Format("0x%x", unsigned(d[0]));
      break;
    case kTypeInt: {
      int v = Load<int16_t>(d);
      s.Format("%d (0x%x)", v, unsigned(v));
      break;
    }
    case kTypeLong: {
      int32_t v = Load<int32_t>(d);
      s.Format("%d (0x%x)", v, uint32_t(v));
      break;
    }
    case kTypeUnsignedInt: {
      unsigned v = Load<uint16_t>(d);
      s.Format("%u (0x%x)", v, v);
      break;
    }
    case kTypeUnsignedLong: {
      uint32_t v = Load<uint32_t>(d);
      s.Format("%u (0x%x)", v, v);
      break;
    }
    case kTypeFloat:
      s.Format("%f", double(Load<float>(d)));
      break;
    case kTypeDouble:
      s.Format("%f", Load<double>(d));
      break;
    case kTypeLongDouble:
      s.Format("%lf", Load<double>(d));
      break;
    case kTypeFarPointer:
      s.Format("%04x:%04x", unsigned(Load<uint16_t>(d + 2)), unsigned(Load<uint16_t>(d)));
      break;
  }
  return s;
}

}  // namespace

// The aggregates (type numbers, or class indexes) open on the path from the
// value to the current one, and the work left for this value text.
struct CDebugInterpBorland::ValueWalk {
  std::vector<uint32_t> openTypes;
  std::vector<uint32_t> openClasses;
  int workLeft = kWorkBudget;

  // False (and the text marked) when the walk must not go deeper here.
  bool Enter(std::vector<uint32_t>& open, uint32_t what, CString& text) {
    bool loop = std::find(open.begin(), open.end(), what) != open.end();
    if (loop || open.size() > kMaxDepth || workLeft <= 0) {
      text += kLeftOut;
      return false;
    }
    open.push_back(what);
    return true;
  }
};

void CDebugInterpBorland::ReportUnknownTypeId(uint8_t id) {
  if (m_unknownTypeReported.exchange(true)) return;
  CString msg;
  msg.Format("0x%x", unsigned(id));
  DebugMessageBox(msg, "ALERT: unknown Type ID");
}

void CDebugInterpBorland::ValueText(const uint8_t* data, const uint16_t* type, uint16_t size, CString& text,
                                    int basic) {
  if (!type) return;
  ValueWalk walk;
  AppendValue(data, *type, data ? size : 0, text, basic, walk);
}

void CDebugInterpBorland::AppendValue(const uint8_t* data, uint32_t typeNumber, uint16_t size, CString& text,
                                      int basic, ValueWalk& walk) {
  const uint8_t id = basic ? uint8_t(typeNumber) : TypeIdOf(typeNumber);
  if (basic && typeNumber > 0xFF) return;
  --walk.workLeft;
  if (uint16_t need = ScalarSize(id)) {
    // Bytes missing behind the value read as "?".
    text += need <= size ? ScalarText(data, id) : CString("?");
    return;
  }
  switch (id) {
    case kTypeArray:
    case kTypeStruct:
    case kTypeUnion:
    case kTypeClass: {
      if (!basic && !walk.Enter(walk.openTypes, typeNumber, text)) return;
      std::optional<EntryTypeTable> rec;
      if (!basic) rec = TypeRecord(typeNumber);
      AppendAggregate(data, rec, id, size, text, walk);
      if (!basic) walk.openTypes.pop_back();
      return;
    }
    case kTypeFunction:
    case kTypeMethod:
      text += "<method>";
      return;
    default:
      ReportUnknownTypeId(id);
      return;
  }
}

void CDebugInterpBorland::AppendAggregate(const uint8_t* data, const std::optional<EntryTypeTable>& rec,
                                          uint8_t id, uint16_t size, CString& text, ValueWalk& walk) {
  switch (id) {
    case kTypeArray: {
      uint32_t element = rec ? rec->extra : 0;
      uint16_t elementSize = TypeSize(uint16_t(element), 0);
      uint16_t total = rec && rec->size < size ? rec->size : size;
      text += "{";
      if (elementSize != 0) {
        uint32_t count = (rec ? rec->size : 0) / elementSize;
        for (uint32_t i = 0; i < count; ++i) {
          if (i) text += ", ";
          if (walk.workLeft <= 0) {
            text += kLeftOut;
            break;
          }
          uint32_t at = i * elementSize;
          CString item;
          AppendValue(data + (at < total ? at : total), element, uint16_t(at < total ? total - at : 0), item,
                      0, walk);
          text += item;
        }
      }
      text += "}";
      return;
    }
    case kTypeStruct:
    case kTypeUnion:
      text = "{";
      AppendMembers(data, size, rec ? rec->extra : 0, id == kTypeUnion, false, text, walk);
      text += "}";
      return;
    default:
      text = "{";
      AppendClass(data, size, rec ? rec->extra : 0, text, walk);
      text += "}";
      return;
  }
}

void CDebugInterpBorland::AppendMembers(const uint8_t* data, uint16_t size, uint32_t firstMember,
                                        bool sameData, bool skipRecords, CString& text, ValueWalk& walk) {
  uint32_t at = 0;
  bool any = false;
  for (uint64_t i = firstMember; std::optional<BorlandMember> m = Member(uint32_t(i)); ++i) {
    bool last = (m->info & 0x80) != 0;
    if (last && (m->info == 0xC0 || m->name == 0 || m->type == 0)) break;
    if (skipRecords && m->info == 0x40) {
      at += m->name;
      continue;
    }
    if (any) text += ", ";
    if (walk.workLeft <= 0) {
      text += kLeftOut;
      break;
    }
    uint16_t memberSize = TypeSize(uint16_t(m->type), 0);
    uint32_t from = sameData ? 0 : at;
    CString value;
    AppendValue(data + (from < size ? from : size), m->type, uint16_t(from < size ? size - from : 0), value,
                0, walk);
    text += Name(m->name);
    text += " = ";
    text += value;
    any = true;
    if (!sameData) at += memberSize;
    if (last) break;
  }
}

void CDebugInterpBorland::AppendClass(const uint8_t* data, uint16_t size, uint32_t classIndex, CString& text,
                                      ValueWalk& walk) {
  if (classIndex == 0 || classIndex > m_info.classes.size()) return;
  if (!walk.Enter(walk.openClasses, classIndex, text)) return;
  const BorlandClass k = m_info.classes[classIndex - 1];
  CString parentText;
  if (k.parentCount != 0 && k.firstParent != 0 && k.firstParent <= m_info.parents.size())
    AppendClass(data, size, m_info.parents[k.firstParent - 1].classIndex, parentText, walk);
  text += parentText;
  if (!parentText.IsEmpty() && k.firstMember != 0) text += ", ";
  AppendMembers(data, size, k.firstMember, false, true, text, walk);
  walk.openClasses.pop_back();
}

void CDebugInterpBorland::RegisterText(const TargetRegisters* block, char** textOut) {
  const int kSize = 500;
  KernelRegisterRecord r = block->Record();
  CString s, part;
  const struct {
    const char* name;
    uint32_t value;
  } longs[] = {
      {"EAX", r.eax}, {"EBX", r.ebx}, {"ECX", r.ecx}, {"EDX", r.edx},
      {"ESI", r.esi}, {"EDI", r.edi}, {"ESP", r.esp}, {"EBP", r.ebp},
  };
  for (const auto& l : longs) {
    part.Format("%s = 0x%04x%04x\r\n", l.name, unsigned(l.value >> 16), unsigned(l.value & 0xFFFF));
    s += part;
  }
  const struct {
    const char* name;
    uint16_t value;
  } words[] = {
      {"IP", r.ip}, {"CS", r.cs}, {"DS", r.ds}, {"ES", r.es}, {"SS", r.ss}, {"FS", r.fs}, {"GS", r.gs},
  };
  for (const auto& w : words) {
    part.Format("%s = 0x%04x\r\n", w.name, unsigned(w.value));
    s += part;
  }
  auto bit = [&](int n) { return (r.flags >> n) & 1; };
  part.Format("Flags = [0x%04x, ", unsigned(r.flags));
  s += part;
  part.Format("O = %d, D = %d, I = %d, S = %d, Z = %d, ", bit(11), bit(10), bit(9), bit(7), bit(6));
  s += part;
  part.Format("A = %d, P = %d, C = %d]\r\n", bit(4), bit(2), bit(0));
  s += part;
  char* out = new char[kSize];
  std::snprintf(out, kSize, "%s", static_cast<const char*>(s));
  *textOut = out;
}
