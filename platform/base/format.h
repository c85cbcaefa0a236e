// printf-style formatting with Windows' meaning of the format letters:
// "%d" and "%ld" take 32 bits, "%I64d" and "%lld" 64 bits, "%hd" 16 bits.
// The variadic templates pass each argument with its type, so a CString or a
// LONG given to "%s" or "%ld" prints right, missing arguments print as 0 or
// "" and "%n" is ignored: a bad format never reads past its arguments.
#pragma once

#include <cstdarg>
#include <string>
#include <type_traits>

class CString;

namespace mirt {

// One argument of a typed format call.
struct FormatArg {
  enum Kind { kInt, kUInt, kDouble, kStr, kPtr } kind;
  union {
    long long i;
    unsigned long long u;
    double d;
    const char* s;
    const void* p;
  };
};

const char* FormatArgText(const CString& s);

inline FormatArg MakeFormatArg(const CString& s) {
  FormatArg a;
  a.kind = FormatArg::kStr;
  a.s = FormatArgText(s);
  return a;
}
inline FormatArg MakeFormatArg(const std::string& s) {
  FormatArg a;
  a.kind = FormatArg::kStr;
  a.s = s.c_str();
  return a;
}
inline FormatArg MakeFormatArg(const char* s) {
  FormatArg a;
  a.kind = FormatArg::kStr;
  a.s = s;
  return a;
}
inline FormatArg MakeFormatArg(const unsigned char* s) {
  return MakeFormatArg(reinterpret_cast<const char*>(s));
}
inline FormatArg MakeFormatArg(std::nullptr_t) {
  FormatArg a;
  a.kind = FormatArg::kPtr;
  a.p = nullptr;
  return a;
}
template <typename T>
constexpr bool IsCharPointer = std::is_pointer_v<T> &&
                               (std::is_same_v<std::remove_cv_t<std::remove_pointer_t<T>>, char> ||
                                std::is_same_v<std::remove_cv_t<std::remove_pointer_t<T>>, signed char> ||
                                std::is_same_v<std::remove_cv_t<std::remove_pointer_t<T>>, unsigned char>);

template <typename T>
FormatArg MakeFormatArg(const T& v) {
  FormatArg a;
  if constexpr (std::is_enum_v<T>) {
    a.kind = FormatArg::kInt;
    a.i = static_cast<long long>(v);
  } else if constexpr (std::is_floating_point_v<T>) {
    a.kind = FormatArg::kDouble;
    a.d = static_cast<double>(v);
  } else if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
    a.kind = FormatArg::kInt;
    a.i = v;
  } else if constexpr (std::is_integral_v<T>) {
    a.kind = FormatArg::kUInt;
    a.u = v;
  } else if constexpr (IsCharPointer<T>) {
    a.kind = FormatArg::kStr;
    a.s = reinterpret_cast<const char*>(v);
  } else if constexpr (std::is_pointer_v<T>) {
    a.kind = FormatArg::kPtr;
    a.p = static_cast<const void*>(v);
  } else if constexpr (std::is_array_v<T>) {
    return MakeFormatArg(static_cast<const std::remove_extent_t<T>*>(v));
  } else {
    static_assert(std::is_pointer_v<T>, "type cannot be formatted");
  }
  return a;
}

// Appends the formatted text to out.
void FormatTyped(std::string& out, const char* fmt, const FormatArg* args, size_t count);
void FormatVaList(std::string& out, const char* fmt, va_list args);

template <typename... A>
std::string FormatString(const char* fmt, const A&... a) {
  std::string out;
  if constexpr (sizeof...(A) == 0) {
    FormatTyped(out, fmt, nullptr, 0);
  } else {
    const FormatArg args[] = {MakeFormatArg(a)...};
    FormatTyped(out, fmt, args, sizeof...(A));
  }
  return out;
}

}  // namespace mirt
