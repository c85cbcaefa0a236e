#include "platform/base/format.h"

#include <cstdio>
#include <cstring>

#include "platform/base/cstring.h"

namespace mirt {

const char* FormatArgText(const CString& s) { return s; }

namespace {

// Where the values of the conversions come from.
class ArgSource {
 public:
  virtual ~ArgSource() = default;
  virtual long long NextInt(int bits) = 0;
  virtual double NextDouble() = 0;
  virtual const char* NextString() = 0;
  virtual const void* NextPointer() = 0;
};

class TypedSource : public ArgSource {
 public:
  TypedSource(const FormatArg* args, size_t count) : args_(args), count_(count) {}

  long long NextInt(int bits) override {
    const FormatArg* a = Next();
    if (!a) return 0;
    switch (a->kind) {
      case FormatArg::kInt:
        return a->i;
      case FormatArg::kUInt:
        return static_cast<long long>(a->u);
      case FormatArg::kDouble:
        return static_cast<long long>(a->d);
      case FormatArg::kStr:
        return static_cast<long long>(reinterpret_cast<uintptr_t>(a->s));
      case FormatArg::kPtr:
        return static_cast<long long>(reinterpret_cast<uintptr_t>(a->p));
    }
    return 0;
  }
  double NextDouble() override {
    const FormatArg* a = Next();
    if (!a) return 0.0;
    switch (a->kind) {
      case FormatArg::kInt:
        return static_cast<double>(a->i);
      case FormatArg::kUInt:
        return static_cast<double>(a->u);
      case FormatArg::kDouble:
        return a->d;
      default:
        return 0.0;
    }
  }
  const char* NextString() override {
    const FormatArg* a = Next();
    if (!a) return "";
    if (a->kind == FormatArg::kStr) return a->s;
    if (a->kind == FormatArg::kPtr) return static_cast<const char*>(a->p);
    return nullptr;  // a number given for %s prints as "(null)"
  }
  const void* NextPointer() override {
    const FormatArg* a = Next();
    if (!a) return nullptr;
    switch (a->kind) {
      case FormatArg::kPtr:
        return a->p;
      case FormatArg::kStr:
        return a->s;
      case FormatArg::kInt:
      case FormatArg::kUInt:
        return reinterpret_cast<const void*>(static_cast<uintptr_t>(a->u));
      default:
        return nullptr;
    }
  }

 private:
  const FormatArg* Next() { return next_ < count_ ? &args_[next_++] : nullptr; }
  const FormatArg* args_;
  size_t count_;
  size_t next_ = 0;
};

class VaSource : public ArgSource {
 public:
  explicit VaSource(va_list args) { va_copy(args_, args); }
  ~VaSource() override { va_end(args_); }
  long long NextInt(int bits) override { return bits > 32 ? va_arg(args_, long long) : va_arg(args_, int); }
  double NextDouble() override { return va_arg(args_, double); }
  const char* NextString() override { return va_arg(args_, const char*); }
  const void* NextPointer() override { return va_arg(args_, const void*); }

 private:
  va_list args_;
};

// One parsed conversion: "%", flags, width, precision, length, letter.
struct Conversion {
  std::string flags;
  int width = -1;
  int precision = -1;
  int bits = 32;  // integer size by Windows' rules
  char conv = 0;
};

// Widths and precisions are capped, so a bad format cannot ask for gigabytes.
const int kMaxWidth = 100000;

int ReadNumber(const char*& p) {
  int n = 0;
  while (*p >= '0' && *p <= '9') {
    if (n <= kMaxWidth) n = n * 10 + (*p - '0');
    ++p;
  }
  return n > kMaxWidth ? kMaxWidth : n;
}

void ParseLength(const char*& p, Conversion& cv) {
  if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
    cv.bits = 64;
    p += 3;
    return;
  }
  if (p[0] == 'I' && p[1] == '3' && p[2] == '2') {
    cv.bits = 32;
    p += 3;
    return;
  }
  if (p[0] == 'I') {
    cv.bits = 64;
    ++p;
    return;
  }
  if (p[0] == 'h' && p[1] == 'h') {
    cv.bits = 8;
    p += 2;
    return;
  }
  if (p[0] == 'h') {
    cv.bits = 16;
    ++p;
    return;
  }
  if (p[0] == 'l' && p[1] == 'l') {
    cv.bits = 64;
    p += 2;
    return;
  }
  if (p[0] == 'l' || p[0] == 'L') {
    cv.bits = 32;
    ++p;
    return;
  }
  if (p[0] == 'q' || p[0] == 'j' || p[0] == 'z' || p[0] == 't') {
    cv.bits = 64;
    ++p;
    return;
  }
}

// Clips a value to the conversion's size, keeping sign for signed letters.
long long ClipSigned(long long v, int bits) {
  switch (bits) {
    case 8:
      return static_cast<signed char>(v);
    case 16:
      return static_cast<short>(v);
    case 32:
      return static_cast<int>(v);
    default:
      return v;
  }
}
unsigned long long ClipUnsigned(long long v, int bits) {
  switch (bits) {
    case 8:
      return static_cast<unsigned char>(v);
    case 16:
      return static_cast<unsigned short>(v);
    case 32:
      return static_cast<unsigned int>(v);
    default:
      return static_cast<unsigned long long>(v);
  }
}

template <typename T>
void AppendPrintf(std::string& out, const std::string& fmt, T value) {
  char small[128];
  int n = std::snprintf(small, sizeof small, fmt.c_str(), value);
  if (n < 0) return;
  if (static_cast<size_t>(n) < sizeof small) {
    out.append(small, n);
    return;
  }
  size_t at = out.size();
  out.resize(at + n + 1);
  std::snprintf(&out[at], n + 1, fmt.c_str(), value);
  out.resize(at + n);
}

// The conversion rebuilt for the C library, with an explicit width and
// precision and the given length modifier.
std::string CFormat(const Conversion& cv, const char* length, char conv) {
  std::string f = "%" + cv.flags;
  if (cv.width >= 0) f += std::to_string(cv.width);
  if (cv.precision >= 0) f += "." + std::to_string(cv.precision);
  f += length;
  f += conv;
  return f;
}

void AppendString(std::string& out, const Conversion& cv, const char* s) {
  if (!s) s = "(null)";
  size_t len = cv.precision >= 0 ? strnlen(s, cv.precision) : std::strlen(s);
  size_t width = cv.width > 0 ? static_cast<size_t>(cv.width) : 0;
  bool left = cv.flags.find('-') != std::string::npos;
  if (!left && width > len) out.append(width - len, ' ');
  out.append(s, len);
  if (left && width > len) out.append(width - len, ' ');
}

void AppendConversion(std::string& out, Conversion& cv, ArgSource& src) {
  switch (cv.conv) {
    case 'd':
    case 'i':
      AppendPrintf(out, CFormat(cv, "ll", 'd'), ClipSigned(src.NextInt(cv.bits), cv.bits));
      break;
    case 'u':
    case 'o':
    case 'x':
    case 'X':
      AppendPrintf(out, CFormat(cv, "ll", cv.conv), ClipUnsigned(src.NextInt(cv.bits), cv.bits));
      break;
    case 'c': {
      char c = static_cast<char>(src.NextInt(32));
      cv.precision = -1;
      size_t width = cv.width > 1 ? static_cast<size_t>(cv.width) : 1;
      bool left = cv.flags.find('-') != std::string::npos;
      if (!left) out.append(width - 1, ' ');
      out += c;
      if (left) out.append(width - 1, ' ');
      break;
    }
    case 's':
    case 'S':
      AppendString(out, cv, src.NextString());
      break;
    case 'p':
      AppendPrintf(out, CFormat(cv, "", 'p'), src.NextPointer());
      break;
    case 'e':
    case 'E':
    case 'f':
    case 'F':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
      AppendPrintf(out, CFormat(cv, "", cv.conv), src.NextDouble());
      break;
    case 'n':
      src.NextPointer();  // never written through
      break;
    default:
      break;
  }
}

// Reads one conversion after its "%"; returns false for an unknown letter.
bool ParseConversion(const char*& p, Conversion& cv, ArgSource& src) {
  while (*p && std::strchr("-+ #0", *p)) cv.flags += *p++;
  if (*p == '*') {
    ++p;
    long long w = src.NextInt(32);
    if (w < 0) {
      cv.flags += '-';
      w = -w;
    }
    cv.width = static_cast<int>(w > kMaxWidth ? kMaxWidth : w);
  } else if (*p >= '0' && *p <= '9') {
    cv.width = ReadNumber(p);
  }
  if (*p == '.') {
    ++p;
    if (*p == '*') {
      ++p;
      long long pr = src.NextInt(32);
      cv.precision = pr < 0 ? -1 : static_cast<int>(pr > kMaxWidth ? kMaxWidth : pr);
    } else {
      cv.precision = ReadNumber(p);
    }
  }
  ParseLength(p, cv);
  if (!*p || !std::strchr("diuoxXcsSpeEfFgGaAn", *p)) return false;
  cv.conv = *p++;
  return true;
}

void Format(std::string& out, const char* fmt, ArgSource& src) {
  if (!fmt) return;
  const char* p = fmt;
  while (*p) {
    const char* pct = std::strchr(p, '%');
    if (!pct) {
      out.append(p);
      return;
    }
    out.append(p, pct - p);
    p = pct + 1;
    if (*p == '%') {
      out += '%';
      ++p;
      continue;
    }
    Conversion cv;
    const char* start = p;
    if (ParseConversion(p, cv, src)) {
      AppendConversion(out, cv, src);
    } else {
      out += '%';  // not a conversion: keep the text as it stands
      p = start;
    }
  }
}

}  // namespace

void FormatTyped(std::string& out, const char* fmt, const FormatArg* args, size_t count) {
  TypedSource src(args, count);
  Format(out, fmt, src);
}

void FormatVaList(std::string& out, const char* fmt, va_list args) {
  VaSource src(args);
  Format(out, fmt, src);
}

}  // namespace mirt
