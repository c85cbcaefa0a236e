// Types: records, sizes, pointed-to and element types, members.
#include <cstring>

#include "debugger/debug_interp_borland.h"

bool CDebugInterpBorland::IsBasicId(uint32_t id) { return IsBasicTypeId(id); }

std::optional<EntryTypeTable> CDebugInterpBorland::TypeRecord(uint32_t index) const {
  if (index == 0) return std::nullopt;
  if (index <= m_info.types.size()) return m_info.types[index - 1];
  uint64_t added = uint64_t(index) - m_info.types.size();
  if (added <= m_additionalTypes.size()) return m_additionalTypes[added - 1];
  return std::nullopt;
}

std::optional<BorlandMember> CDebugInterpBorland::Member(uint32_t index) const {
  if (index == 0 || index > m_info.members.size()) return std::nullopt;
  return m_info.members[index - 1];
}

uint8_t CDebugInterpBorland::TypeIdOf(uint32_t index) const {
  std::optional<EntryTypeTable> t = TypeRecord(index);
  return t ? t->typeId : 0;
}

uint32_t CDebugInterpBorland::TypeExtraOf(uint32_t index) const {
  std::optional<EntryTypeTable> t = TypeRecord(index);
  return t ? t->extra : 0;
}

uint16_t CDebugInterpBorland::FindTypeById(uint8_t id) const {
  for (size_t i = 0; i < m_info.types.size() && i < 0xFFFF; ++i) {
    if (m_info.types[i].typeId == id) return uint16_t(i + 1);
  }
  return 0xFFFF;
}

uint16_t CDebugInterpBorland::FindTypeByName(const char* name) const {
  for (size_t i = 0; i < m_info.types.size() && i < 0xFFFF; ++i) {
    const EntryTypeTable t = m_info.types[i];
    if (t.name != 0 && NamesEqual(Name(t.name), name)) return uint16_t(i + 1);
    if (IsBasicIntegerId(t.typeId)) ++i;  // the record after a basic integer type is not a named type
  }
  return 0;
}

uint16_t CDebugInterpBorland::NewAddedTypeIndex() {
  ++m_addedTypeCount;
  return uint16_t(m_info.types.size() + m_addedTypeCount);
}

void CDebugInterpBorland::ClearAddedTypes() {
  m_addedTypeCount = 0;
  m_additionalTypes.clear();
}

void CDebugInterpBorland::TypeByIndexRule(uint32_t index, TypeHandle* out, int* basicOut) const {
  if (IsBasicId(index)) {
    *out = new uint16_t(TypeIdOf(index));
    *basicOut = 1;
  } else {
    *out = new uint16_t(uint16_t(index));
    *basicOut = 0;
  }
}

uint16_t CDebugInterpBorland::TypeSize(uint16_t number, int basic) {
  if (basic) return BasicTypeSize(number);
  std::optional<EntryTypeTable> t = TypeRecord(number);
  return t ? t->size : 0;
}

void CDebugInterpBorland::PointedType(const uint16_t* type, TypeHandle* out, int* basicOut) {
  if (!type || !out || !basicOut) return;
  uint32_t r = TypeExtraOf(*type);
  uint8_t id = TypeIdOf(r);
  if (IsBasicId(id)) {
    *out = new uint16_t(id);
    *basicOut = 1;
  } else {
    *out = new uint16_t(uint16_t(r));
    *basicOut = 0;
  }
}

void CDebugInterpBorland::ElementType(const uint16_t* type, TypeHandle* out, int* basicOut) {
  if (!type || !out || !basicOut) return;
  uint32_t r = *type <= m_info.types.size() ? TypeExtraOf(*type) : 0;
  uint8_t id = r <= m_info.types.size() ? TypeIdOf(r) : 0;
  if (IsBasicId(id)) {
    *out = new uint16_t(id);
    *basicOut = 1;
  } else {
    *out = new uint16_t(uint16_t(r));
    *basicOut = 0;
  }
}

uint16_t CDebugInterpBorland::MemberLookup(const uint16_t* type, const char* member, TypeHandle* out,
                                           int* basicOut) {
  if (!type) return 0;
  std::optional<EntryTypeTable> t = TypeRecord(*type);
  if (!t) return 0;
  uint32_t first = t->extra;
  if (t->typeId == kTypeClass) {
    // A class record names its class; the class names its members.
    if (t->extra == 0 || t->extra > m_info.classes.size()) return 0;
    first = m_info.classes[t->extra - 1].firstMember;
  }
  const bool sameOffset = t->typeId == kTypeUnion;
  uint16_t offset = 0;
  for (uint64_t i = first; std::optional<BorlandMember> m = Member(uint32_t(i)); ++i) {
    bool last = (m->info & 0x80) != 0;
    if (last && (m->info == 0xC0 || m->name == 0 || m->type == 0)) break;
    if (m->info == 0x40) {
      // Skip record of a class member list: its name field is a byte count.
      offset = uint16_t(offset + m->name);
      continue;
    }
    TypeHandle mt = nullptr;
    int mb = 0;
    TypeByIndexRule(m->type, &mt, &mb);
    if (std::strcmp(Name(m->name), member) == 0) {
      if (out && basicOut) {
        *out = mt;
        *basicOut = mb;
      } else {
        delete mt;
      }
      return offset;
    }
    if (!sameOffset) offset = uint16_t(offset + TypeSize(*mt, mb));
    delete mt;
    if (last) break;
  }
  return offset;
}
