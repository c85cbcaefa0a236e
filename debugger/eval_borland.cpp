#include "debugger/eval_borland.h"

#include "debugger/borland_type_ids.h"

#include <cmath>
#include <cstring>

#include "debugger/debug_access.h"
#include "debugger/debug_interp_borland.h"
#include "debugger/debug_message.h"
#include "debugger/session_globals.h"

namespace {

const unsigned kIconExclamation = 0x30;

// Truncates toward zero into 32 bits; values no integer can hold give 0.
uint32_t Truncate(double d) {
  if (!(d > -9.2e18 && d < 9.2e18)) return 0;
  return uint32_t(int64_t(d));
}

// Width of the data of a basic type id (0 for others).
uint32_t BasicWidth(uint16_t id) {
  switch (id) {
    case kTypeDouble:
    case kTypeLongDouble:
      return 8;
    case kTypeFloat:
    case kTypeUnsignedLong:
    case kTypeLong:
      return 4;
    case kTypeInt:
    case kTypeUnsignedInt:
      return 2;
    default:
      return 0;
  }
}

// Little-endian bytes of the value; bytes beyond its data read as 0.
uint64_t Bytes(const CEvalValue& v, uint32_t n) {
  uint64_t x = 0;
  for (uint32_t i = 0; i < n && i < v.capacity; ++i) x |= uint64_t(v.data[i]) << (8 * i);
  return x;
}

void Store(CEvalValue& v, uint64_t x, uint32_t n) {
  v.Reserve(n);
  for (uint32_t i = 0; i < n; ++i) v.data[i] = uint8_t(x >> (8 * i));
}

float AsFloat(uint64_t bits) {
  uint32_t b = uint32_t(bits);
  float f;
  std::memcpy(&f, &b, 4);
  return f;
}

double AsDouble(uint64_t bits) {
  double d;
  std::memcpy(&d, &bits, 8);
  return d;
}

void StoreFloat(CEvalValue& v, float f) {
  uint32_t b;
  std::memcpy(&b, &f, 4);
  Store(v, b, 4);
}

void StoreDouble(CEvalValue& v, double d) {
  uint64_t b;
  std::memcpy(&b, &d, 8);
  Store(v, b, 8);
}

float ToFloat(double d) {
  if (std::isnan(d)) return float(d);
  if (d > 3.4e38) return INFINITY;
  if (d < -3.4e38) return -INFINITY;
  return float(d);
}

}  // namespace

CDebugInterpBorland* CEvalBorland::Interp() { return dynamic_cast<CDebugInterpBorland*>(g_pDebugInterp); }

void CEvalBorland::SetInput(const char* text, const CAddr* context) {
  if (CDebugInterpBorland* d = Interp()) d->ClearAddedTypes();
  CEval::SetInput(text, context);
}

void CEvalBorland::LookupVariable(const char* name, CEvalValue& v, CAddr* addrOut, uint16_t* sizeOut) {
  *addrOut = CAddr::Invalid();
  if (!g_pDebugInterp) return;
  TypeHandle t = nullptr;
  int basic = 0;
  CAddr addr;
  g_pDebugInterp->FindVariable(name, &t, &addr, &basic, &m_context);
  if (!t) return;
  uint16_t size = g_pDebugInterp->TypeSize(*t, basic);
  *sizeOut = size;
  v.size = size;
  v.basic = basic;
  v.SetType(*t);
  delete t;
  *addrOut = addr;
}

void CEvalBorland::ReadMemory(const CAddr* address, uint8_t* dest, uint16_t size) {
  if (g_pDebugAccess) g_pDebugAccess->ReadMemory(address, size, dest);
}

void CEvalBorland::WriteMemory(const CAddr* address, const uint8_t* src, uint16_t size) {
  if (g_pDebugAccess) g_pDebugAccess->WriteMemory(address, size, src);
}

uint32_t CEvalBorland::GetInteger(CEvalValue& v) {
  if (!v.basic || !v.type || !v.data) return 0;
  if (IsIntegralExtraId(*v.type)) return uint32_t(Bytes(v, 4));
  switch (*v.type) {
    case kTypeSignedChar:
      return uint32_t(int32_t(int8_t(Bytes(v, 1))));
    case kTypeInt:
      return uint32_t(int32_t(int16_t(Bytes(v, 2))));
    case kTypeLong:
    case kTypeUnsignedLong:
      return uint32_t(Bytes(v, 4));
    case kTypeUnsignedChar:
      return uint32_t(Bytes(v, 1));
    case kTypeUnsignedInt:
      return uint32_t(Bytes(v, 2));
    case kTypeFloat:
      return Truncate(AsFloat(Bytes(v, 4)));
    case kTypeDouble:
    case kTypeLongDouble:
      return Truncate(AsDouble(Bytes(v, 8)));
    default:
      return 0;
  }
}

double CEvalBorland::GetDouble(CEvalValue& v) {
  if (!v.type || !v.data) return 0;
  if (!v.basic) {
    CDebugInterpBorland* d = Interp();
    return d && d->TypeIdOf(*v.type) == kTypeFarPointer ? double(uint32_t(Bytes(v, 4))) : 0;
  }
  switch (*v.type) {
    case kTypeSignedChar:
      return int8_t(Bytes(v, 1));
    case kTypeInt:
      return int16_t(Bytes(v, 2));
    case kTypeLong:
      return int32_t(Bytes(v, 4));
    case kTypeUnsignedChar:
      return uint8_t(Bytes(v, 1));
    case kTypeUnsignedInt:
      return uint16_t(Bytes(v, 2));
    case kTypeUnsignedLong:
    case kTypeFarPointer:
      return uint32_t(Bytes(v, 4));
    case kTypeFloat:
      return AsFloat(Bytes(v, 4));
    case kTypeDouble:
    case kTypeLongDouble:
      return AsDouble(Bytes(v, 8));
    default:
      return 0;
  }
}

void CEvalBorland::SetInteger(CEvalValue& v, uint32_t n) {
  if (!v.type) return;
  v.EnsureData();
  switch (*v.type) {
    case kTypeSignedChar:
    case kTypeUnsignedChar:
      Store(v, n, 1);
      break;
    case kTypeInt:
    case kTypeUnsignedInt:
      Store(v, n, 2);
      break;
    case kTypeLong:
    case kTypeUnsignedLong:
      Store(v, n, 4);
      break;
    case kTypeFloat:
      StoreFloat(v, float(n));
      break;
    case kTypeDouble:
    case kTypeLongDouble:
      StoreDouble(v, double(n));
      break;
    default:
      break;
  }
}

void CEvalBorland::SetDouble(CEvalValue& v, double d) {
  if (!v.type) return;
  v.EnsureData();
  if (!v.basic) {
    CDebugInterpBorland* interp = Interp();
    if (interp && interp->TypeIdOf(*v.type) == kTypeFarPointer) Store(v, Truncate(d), 4);
    return;
  }
  switch (*v.type) {
    case kTypeSignedChar:
    case kTypeUnsignedChar:
      Store(v, Truncate(d), 1);
      break;
    case kTypeInt:
    case kTypeUnsignedInt:
      Store(v, Truncate(d), 2);
      break;
    case kTypeLong:
    case kTypeUnsignedLong:
    case kTypeFarPointer:
      Store(v, Truncate(d), 4);
      break;
    case kTypeFloat:
      StoreFloat(v, ToFloat(d));
      break;
    case kTypeDouble:
    case kTypeLongDouble:
      StoreDouble(v, d);
      break;
    default:
      break;
  }
}

void CEvalBorland::MakeInteger(CEvalValue& v) {
  v.SetType(kTypeLong);
  v.size = 4;
  v.basic = 1;
  v.address = CAddr::Invalid();
}

void CEvalBorland::MakeFloating(CEvalValue& v) {
  v.SetType(kTypeLongDouble);
  v.size = 8;
  v.basic = 1;
}

void CEvalBorland::FitData(CEvalValue& v) {
  uint32_t width = BasicWidth(*v.type);
  if (width == 0 || width == v.size) return;
  v.size = width;
  v.NewData();
}

void CEvalBorland::PromoteTypes(CEvalValue& left, CEvalValue& right) {
  if (!left.type || !right.type) return;
  const uint16_t a = *left.type, b = *right.type;
  auto either = [&](uint16_t id) { return a == id || b == id; };
  // The usual arithmetic conversions of C with a 16-bit int: the wider
  // type wins, long beats unsigned int, small integers become int.
  uint16_t result = a;
  bool changed = true;
  if (either(kTypeLongDouble))
    result = kTypeLongDouble;
  else if (either(kTypeDouble))
    result = kTypeDouble;
  else if (either(kTypeFloat))
    result = kTypeFloat;
  else if (either(kTypeUnsignedLong))
    result = kTypeUnsignedLong;
  else if (either(kTypeLong))
    result = kTypeLong;
  else if (either(kTypeUnsignedInt))
    result = kTypeUnsignedInt;
  else if (either(kTypeInt) || either(kTypeSignedChar) || either(kTypeUnsignedChar) || either(kTypeChar))
    result = kTypeInt;
  else
    changed = false;
  if (!changed) return;
  left.SetType(result);
  left.basic = 1;
  FitData(left);
}

int CEvalBorland::IsIntegral(uint16_t number) {
  CDebugInterpBorland* d = Interp();
  if (!d) return 0;
  uint8_t id = d->TypeIdOf(number);
  return IsBasicIntegerId(id) || IsIntegralExtraId(id);
}

int CEvalBorland::IsFloating(uint16_t number) {
  CDebugInterpBorland* d = Interp();
  uint8_t id = d ? d->TypeIdOf(number) : 0;
  return id >= 13 && id <= 16;
}

void CEvalBorland::CastToBasic(CEvalValue& v, int c, int s, int i, int f, int d, int l, int u) {
  const bool hadType = v.type != nullptr;
  uint16_t id = 0;
  if (c && u && !s && !i && !f && !d && !l)
    id = 8;
  else if (c && !u && !s && !i && !f && !d && !l)
    id = 4;
  else if (u && !c && !l && !f && !d)
    id = 9;
  else if (!c && !u && !l && !f && !d)
    id = 5;
  else if (u && l && !c && !s && !f && !d)
    id = 10;
  else if (l && !c && !u && !s && !f && !d)
    id = 6;
  else if (f && !c && !s && !i && !d && !l && !u)
    id = 13;
  else if (d && !c && !s && !i && !f && !l && !u)
    id = 15;
  else if (l && d && !c && !s && !i && !f && !u)
    id = 16;
  if (id == 0) {
    DebugMessageBox("Illegal cast", "Alert", kIconExclamation);
    if (!hadType) return;  // nothing to keep: the cast has no value
  } else {
    v.SetType(id);
  }
  v.basic = 1;
  if (id == 4 || id == 8) {
    // One byte, like the other basic types' widths.
    if (v.size != 1) {
      v.size = 1;
      v.NewData();
    }
    return;
  }
  FitData(v);
}

void CEvalBorland::CastToNamedType(CEvalValue& v, const char* name) {
  CDebugInterpBorland* d = Interp();
  uint16_t number = d ? d->FindTypeByName(name) : 0;
  if (number == 0) {
    // Not a type of the program: the cast has no value.
    v.Clear();
    return;
  }
  v.basic = 0;
  v.SetType(number);
  uint16_t size = d ? d->TypeSize(number, 0) : 0;
  if (size != v.size) v.FreeData();
  v.size = size;
  v.EnsureData();
}

namespace {

// Gives the value the type that the debug information derives from its
// own (pointed-to or element type); an unknown type leaves it unchanged.
using DerivedTypeQuery = void (CDebugInterp::*)(const uint16_t*, TypeHandle*, int*);

void TakeDerivedType(CEvalValue& v, DerivedTypeQuery query) {
  if (!v.type || !g_pDebugInterp) return;
  TypeHandle out = nullptr;
  int basic = 0;
  (g_pDebugInterp->*query)(v.type, &out, &basic);
  if (!out) return;
  v.SetType(*out);
  v.basic = basic;
  v.size = g_pDebugInterp->TypeSize(*out, basic);
  delete out;
}

}  // namespace

void CEvalBorland::DereferenceType(CEvalValue& v) { TakeDerivedType(v, &CDebugInterp::PointedType); }

void CEvalBorland::AddressOf(CEvalValue& v) {
  if (!v.type) {
    v.FreeData();
    return;
  }
  *v.type = kTypeFarPointer;
  v.size = 4;
  if (!v.address.IsValid()) {
    v.FreeData();
    return;
  }
  v.NewData();
  Store(v, uint64_t(v.address.offset & 0xFFFF) | uint64_t(v.address.segment & 0xFFFF) << 16, 4);
  v.basic = 1;
  v.address = CAddr::Invalid();
}

int CEvalBorland::IsTypeName(const char* name) {
  static const char* const kWords[] = {"char", "short", "int", "float", "double", "long", "unsigned"};
  for (const char* w : kWords) {
    if (std::strcmp(name, w) == 0) return 1;
  }
  return g_pDebugInterp && g_pDebugInterp->IsTypeSymbolName(name) ? 1 : 0;
}

void CEvalBorland::ElementType(CEvalValue& v) { TakeDerivedType(v, &CDebugInterp::ElementType); }

uint16_t CEvalBorland::MemberOffset(CEvalValue& v, const char* name) {
  if (!v.type || !g_pDebugInterp) return 0;
  TypeHandle out = nullptr;
  int basic = 0;
  uint16_t offset = g_pDebugInterp->MemberLookup(v.type, name, &out, &basic);
  if (!out) {
    // No such member: the value has no type and no data.
    v.Clear();
    return 0;
  }
  v.SetType(*out);
  v.basic = basic;
  v.size = g_pDebugInterp->TypeSize(*out, basic);
  delete out;
  return offset;
}

void CEvalBorland::AddPointerLevel(CEvalValue& v) {
  CDebugInterpBorland* d = Interp();
  if (!v.type || !d) {
    v.FreeData();
    return;
  }
  uint32_t referenced = v.basic ? d->FindTypeById(uint8_t(*v.type)) : *v.type;
  d->AddType({kTypeFarPointer, 0, 4, 0, referenced});
  v.size = 4;
  v.basic = 0;
  v.SetType(d->NewAddedTypeIndex());
  v.Reserve(4);
}
