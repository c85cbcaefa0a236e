#include "platform/sys/inifile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/sys/atomic_file.h"
#include "platform/sys/errno_map.h"
#include "platform/sys/file.h"
#include "platform/sys/file_object.h"
#include "platform/sys/ini_document.h"
#include "platform/sys/path.h"
#include "platform/sys/store_lock.h"

namespace {

// One read-modify-write at a time.
std::mutex& WriteMutex() {
  static std::mutex m;
  return m;
}

bool Load(const std::string& path, plat::IniDocument& doc) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  doc = plat::IniDocument::Parse(s.str());
  return true;
}

bool Save(const std::string& path, const plat::IniDocument& doc) {
  plat::AtomicFileWriter w(path);
  if (w.Open() && w.Write(doc.Serialize()) && w.Commit()) return true;
  plat::SetLastErrorForPath(w.ErrorCode(), path);
  return false;
}

// Whether a list that exactly fills the buffer counts as cut (Windows
// reports size - 2 for an exactly fitting list of section names).
enum class ExactFit { Whole, Cut };

// Copies a NUL-separated list ending with an extra NUL; see the header.
DWORD CopyList(const std::vector<std::string>& items, LPSTR out, DWORD size,
               ExactFit exact = ExactFit::Whole) {
  if (!out || size == 0) return 0;
  if (size == 1) {
    out[0] = '\0';
    return 0;
  }
  std::string all;
  for (const auto& s : items) {
    all += s;
    all += '\0';
  }
  if (all.size() + 1 < size || (all.size() + 1 == size && exact == ExactFit::Whole)) {
    std::memcpy(out, all.data(), all.size());
    out[all.size()] = '\0';
    return static_cast<DWORD>(all.size());
  }
  std::memcpy(out, all.data(), size - 2);
  out[size - 2] = '\0';
  out[size - 1] = '\0';
  return size - 2;
}

DWORD CopyValue(const std::string& value, LPSTR out, DWORD size) {
  if (!out || size == 0) return 0;
  size_t n = std::min<size_t>(value.size(), size - 1);
  std::memcpy(out, value.data(), n);
  out[n] = '\0';
  return static_cast<DWORD>(n);
}

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
  return s;
}

// Registers the profile's own opening of the file (read and write, others
// may read and write) with the share table while it runs; false when
// another handle of the process forbids it.
class ProfileOpening {
 public:
  explicit ProfileOpening(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return;
    m_dev = st.st_dev;
    m_ino = st.st_ino;
    m_entered = plat::ShareTableEnter(m_dev, m_ino, kAccess, kShare);
    m_refused = !m_entered;
  }
  ~ProfileOpening() {
    if (m_entered) plat::ShareTableLeave(m_dev, m_ino, kAccess, kShare);
  }
  bool Refused() const { return m_refused; }

 private:
  static constexpr DWORD kAccess = GENERIC_READ | GENERIC_WRITE;
  static constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
  dev_t m_dev = 0;
  ino_t m_ino = 0;
  bool m_entered = false;
  bool m_refused = false;
};

// One read-modify-write of the file: under the store lock, so writers in
// other processes neither overwrite nor are overwritten, and always on the
// file as it is on disk now.
template <class Change>
BOOL Modify(LPCSTR fileName, Change change) {
  if (!fileName || !*fileName) {
    SetLastError(fileName ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string path = plat::ResolveProfileFileName(fileName);
  std::lock_guard<std::mutex> lock(WriteMutex());
  plat::StoreFileLock storeLock(path);
  ProfileOpening opening(path);
  if (opening.Refused()) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return FALSE;
  }
  plat::IniDocument doc;
  bool exists = Load(path, doc);
  if (!exists && plat::FileExists(path)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (change(doc) && !Save(path, doc)) return FALSE;
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

}  // namespace

namespace plat {

std::string ResolveProfileFileName(const std::string& fileName) {
  if (HasDirectoryPart(fileName)) return NormalizeSeparators(fileName);
  return JoinPath(SettingsDir(), fileName);
}

std::optional<std::string> ReadProfileValue(const std::string& fileName, const std::string& section,
                                            const std::string& key) {
  IniDocument doc;
  if (!Load(ResolveProfileFileName(fileName), doc)) return std::nullopt;
  return doc.Value(section, key);
}

}  // namespace plat

DWORD GetPrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR out, DWORD size,
                              LPCSTR fileName) {
  plat::IniDocument doc;
  bool loaded = fileName && Load(plat::ResolveProfileFileName(fileName), doc);
  SetLastError(loaded ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
  if (!section) return CopyList(doc.SectionNames(), out, size);
  if (!key) return CopyList(doc.KeyNames(section), out, size);
  auto value = doc.Value(section, key);
  if (!value) {
    if (loaded) SetLastError(ERROR_FILE_NOT_FOUND);
    return CopyValue(TrimRight(def ? def : ""), out, size);
  }
  SetLastError(ERROR_SUCCESS);
  return CopyValue(*value, out, size);
}

UINT GetPrivateProfileInt(LPCSTR section, LPCSTR key, INT def, LPCSTR fileName) {
  if (!section || !key) return 0;  // a list is no number
  if (!fileName) return static_cast<UINT>(def);
  auto value = plat::ReadProfileValue(fileName, section, key);
  if (!value) return static_cast<UINT>(def);
  const char* p = value->c_str();
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  long long n = 0;
  while (*p >= '0' && *p <= '9' && n < 0x100000000LL) n = n * 10 + (*p++ - '0');
  return static_cast<UINT>(negative ? -n : n);
}

BOOL WritePrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
  if (!section) {
    if (!key && !value) return TRUE;  // only a cache flush on Windows
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  return Modify(fileName, [&](plat::IniDocument& doc) {
    if (!key) return doc.DeleteSection(section);
    if (!value) return doc.DeleteKey(section, key);
    doc.SetValue(section, key, value);
    return true;
  });
}

DWORD GetPrivateProfileSection(LPCSTR section, LPSTR out, DWORD size, LPCSTR fileName) {
  if (!out) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  plat::IniDocument doc;
  if (!section || !fileName || !Load(plat::ResolveProfileFileName(fileName), doc))
    return CopyList({}, out, size);
  return CopyList(doc.EntryLines(section), out, size);
}

BOOL WritePrivateProfileSection(LPCSTR section, LPCSTR lines, LPCSTR fileName) {
  if (!section) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return Modify(fileName, [&](plat::IniDocument& doc) {
    if (!lines) return doc.DeleteSection(section);
    std::vector<std::string> list;
    for (const char* p = lines; *p; p += std::strlen(p) + 1) list.emplace_back(p);
    doc.ReplaceSection(section, list);
    return true;
  });
}

DWORD GetPrivateProfileSectionNames(LPSTR out, DWORD size, LPCSTR fileName) {
  plat::IniDocument doc;
  bool loaded = fileName && Load(plat::ResolveProfileFileName(fileName), doc);
  SetLastError(loaded ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
  return CopyList(doc.SectionNames(), out, size, ExactFit::Cut);
}

BOOL GetPrivateProfileStruct(LPCSTR section, LPCSTR key, LPVOID data, UINT size, LPCSTR fileName) {
  if (!section || !key || !fileName || (!data && size)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto value = plat::ReadProfileValue(fileName, section, key);
  if (!value) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  if (value->size() != 2 * static_cast<size_t>(size) + 2) {
    SetLastError(ERROR_BAD_LENGTH);
    return FALSE;
  }
  auto hex = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::vector<BYTE> bytes;
  for (size_t i = 0; i < value->size(); i += 2) {
    int hi = hex((*value)[i]), lo = hex((*value)[i + 1]);
    if (hi < 0 || lo < 0) {
      SetLastError(ERROR_INVALID_DATA);
      return FALSE;
    }
    bytes.push_back(static_cast<BYTE>(hi * 16 + lo));
  }
  BYTE sum = 0;
  for (UINT i = 0; i < size; ++i) sum = static_cast<BYTE>(sum + bytes[i]);
  if (sum != bytes[size]) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  if (size) std::memcpy(data, bytes.data(), size);
  return TRUE;
}

BOOL WritePrivateProfileStruct(LPCSTR section, LPCSTR key, LPVOID data, UINT size, LPCSTR fileName) {
  if (!data) return WritePrivateProfileString(section, key, nullptr, fileName);
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  BYTE sum = 0;
  const BYTE* p = static_cast<const BYTE*>(data);
  for (UINT i = 0; i < size; ++i) {
    text += digits[p[i] >> 4];
    text += digits[p[i] & 15];
    sum = static_cast<BYTE>(sum + p[i]);
  }
  text += digits[sum >> 4];
  text += digits[sum & 15];
  return WritePrivateProfileString(section, key, text.c_str(), fileName);
}
