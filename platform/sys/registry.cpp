// The Reg* functions over the store.
#include "platform/sys/registry.h"

#include <cerrno>
#include <cstring>
#include <unordered_map>

#include "platform/sys/equal_no_case.h"
#include "platform/sys/path.h"
#include "platform/sys/registry_store.h"

using plat::RegistryStore;
using plat::RegNode;

namespace {

struct OpenKey {
  std::shared_ptr<RegNode> node;
  REGSAM access;
};

std::unordered_map<uintptr_t, OpenKey>& Handles() {
  static auto* handles = new std::unordered_map<uintptr_t, OpenKey>;
  return *handles;
}
uintptr_t g_nextHandle = 0x2000;

RegistryStore& Store() { return RegistryStore::Instance(); }

// Locks the store for one call.
struct Locked {
  std::lock_guard<std::recursive_mutex> lock{Store().Mutex()};
};

// The node of a handle with the access asked for; an error code otherwise.
LONG Resolve(HKEY h, REGSAM need, RegNode*& node) {
  node = nullptr;
  if (RegistryStore::RootName(h)) {
    node = Store().Root(h);
    Store().Refresh(node);
    return ERROR_SUCCESS;
  }
  auto it = Handles().find(reinterpret_cast<uintptr_t>(h));
  if (it == Handles().end()) return ERROR_INVALID_HANDLE;
  Store().Refresh(it->second.node.get());
  if (it->second.node->deleted) return ERROR_KEY_DELETED;
  if ((it->second.access & need) != need) return ERROR_ACCESS_DENIED;
  node = it->second.node.get();
  return ERROR_SUCCESS;
}

HKEY NewHandle(RegNode* node, REGSAM access) {
  std::shared_ptr<RegNode> shared;
  if (node->parent)
    shared = node->parent->SubkeyShared(node->name);
  else
    shared = node->hive->top;
  uintptr_t id = g_nextHandle;
  g_nextHandle += 4;
  Handles().emplace(id, OpenKey{shared, access});
  return reinterpret_cast<HKEY>(id);
}

bool BadName(std::string_view name) { return name.find_first_of("\r\n") != std::string_view::npos; }

// Walks a "\"-separated path below node; null when a part is missing.
RegNode* Walk(RegNode* node, std::string_view path) {
  size_t pos = 0;
  while (node && pos < path.size()) {
    size_t next = path.find('\\', pos);
    if (next == std::string_view::npos) next = path.size();
    if (next > pos) node = node->FindSubkey(path.substr(pos, next - pos));
    pos = next + 1;
  }
  return node;
}

DWORD Size(const std::string& s) { return static_cast<DWORD>(s.size()); }

// Copies a name into a caller's buffer of *count characters (NUL included);
// ERROR_MORE_DATA when it does not fit.
LONG CopyName(const std::string& name, LPSTR buffer, LPDWORD count) {
  if (!count) return buffer ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
  if (!buffer || *count <= name.size()) return ERROR_MORE_DATA;
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  *count = Size(name);
  return ERROR_SUCCESS;
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// The NULs a string value's data lacks at its end: one for a string, two
// for a string list (REG_MULTI_SZ: each string's NUL and one more); none
// for other types and empty data.
size_t MissingTerminators(DWORD type, const std::string& data) {
  if (data.empty()) return 0;
  if (IsStringType(type)) return data.back() == '\0' ? 0 : 1;
  if (type != REG_MULTI_SZ) return 0;
  if (data.back() != '\0') return 2;
  if (data.size() == 1) return 0;  // a lone NUL: the empty list
  return data[data.size() - 2] != '\0' ? 1 : 0;
}

// Copies value data as RegQueryValueEx does: a string stored without its
// terminator gets it when the buffer has room (and then counts it). room
// is the caller's buffer size, read before anything was written.
LONG CopyData(DWORD type, const std::string& data, LPBYTE buffer, DWORD room, LPDWORD size) {
  if (!size) return buffer ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
  size_t missing = MissingTerminators(type, data);
  *size = Size(data) + static_cast<DWORD>(missing);
  if (!buffer) return ERROR_SUCCESS;
  if (room < data.size()) return ERROR_MORE_DATA;
  if (!data.empty()) std::memcpy(buffer, data.data(), data.size());
  if (room < data.size() + missing) {
    *size = Size(data);
    return ERROR_SUCCESS;
  }
  std::memset(buffer + data.size(), 0, missing);
  return ERROR_SUCCESS;
}

}  // namespace

LONG RegOpenKeyEx(HKEY hKey, LPCSTR subKey, DWORD, REGSAM access, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  Locked lock;
  RegNode* node;
  if (LONG rc = Resolve(hKey, 0, node)) return rc;
  *result = nullptr;
  std::string_view path = subKey ? subKey : "";
  if (!path.empty() && path[0] == '\\') return ERROR_BAD_PATHNAME;
  if (path.empty() && hKey == HKEY_CLASSES_ROOT) {
    *result = hKey;  // the predefined key itself, as Windows gives it
    return ERROR_SUCCESS;
  }
  RegNode* target = Walk(node, path);
  if (!target) return ERROR_FILE_NOT_FOUND;
  *result = NewHandle(target, access);
  return ERROR_SUCCESS;
}

LONG RegOpenKey(HKEY hKey, LPCSTR subKey, PHKEY result) {
  if (result && (!subKey || !*subKey)) {
    Locked lock;
    RegNode* node;
    if (LONG rc = Resolve(hKey, 0, node)) return rc;
    *result = hKey;
    return ERROR_SUCCESS;
  }
  return RegOpenKeyEx(hKey, subKey, 0, KEY_ALL_ACCESS, result);
}

LONG RegCreateKeyEx(HKEY hKey, LPCSTR subKey, DWORD, LPSTR className, DWORD options, REGSAM access,
                    LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::string_view path = subKey ? subKey : "";
  if (!path.empty() && path[0] == '\\') return ERROR_BAD_PATHNAME;
  if (BadName(path)) return ERROR_INVALID_PARAMETER;
  Locked lock;
  RegNode* node;
  // Windows does not check the parent's rights here.
  if (LONG rc = Resolve(hKey, 0, node)) return rc;
  bool created = false;
  Store().BeginBatch();  // one write for all the new keys
  struct EndBatch {
    LONG rc = ERROR_SUCCESS;
    bool ended = false;
    LONG End() {
      if (!ended) rc = Store().EndBatch();
      ended = true;
      return rc;
    }
    ~EndBatch() { End(); }
  } endBatch;
  size_t pos = 0;
  while (pos < path.size()) {
    size_t next = path.find('\\', pos);
    if (next == std::string_view::npos) next = path.size();
    std::string_view part = path.substr(pos, next - pos);
    pos = next + 1;
    if (part.empty()) continue;
    if (RegNode* child = node->FindSubkey(part)) {
      node = child;
      continue;
    }
    bool wantVolatile = options & REG_OPTION_VOLATILE;
    if (node->isVolatile && !wantVolatile) return ERROR_CHILD_MUST_BE_VOLATILE;
    RegNode* child = node->AddSubkey(part);
    child->isVolatile = wantVolatile;
    if (className) child->className = className;
    Store().Changed(child);
    node = child;
    created = true;
  }
  if (LONG rc = endBatch.End()) return rc;  // the new keys stay in memory
  *result = NewHandle(node, access);
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return ERROR_SUCCESS;
}

LONG RegCreateKey(HKEY hKey, LPCSTR subKey, PHKEY result) {
  if (result && (!subKey || !*subKey)) return RegOpenKey(hKey, subKey, result);
  return RegCreateKeyEx(hKey, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, result,
                        nullptr);
}

LONG RegCloseKey(HKEY hKey) {
  Locked lock;
  if (RegistryStore::RootName(hKey)) return ERROR_SUCCESS;
  auto it = Handles().find(reinterpret_cast<uintptr_t>(hKey));
  if (it == Handles().end()) return ERROR_INVALID_HANDLE;
  Handles().erase(it);
  return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY hKey, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
  if (data && !size) return ERROR_INVALID_PARAMETER;
  Locked lock;
  RegNode* node;
  if (LONG rc = Resolve(hKey, KEY_QUERY_VALUE, node)) return rc;
  plat::regfile::Value* v = node->FindValue(name ? name : "");
  if (!v) {
    if (size) *size = 0;
    return ERROR_FILE_NOT_FOUND;
  }
  DWORD room = size ? *size : 0;  // type and size may be one variable: size wins
  if (type) *type = v->type;
  return CopyData(v->type, v->data, data, room, size);
}

LONG RegSetValueEx(HKEY hKey, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
  if (!data && size) return ERROR_NOACCESS;
  std::string_view valueName = name ? name : "";
  if (valueName.size() > 16383) return ERROR_INVALID_PARAMETER;
  Locked lock;
  RegNode* node;
  if (LONG rc = Resolve(hKey, KEY_SET_VALUE, node)) return rc;
  std::string bytes(reinterpret_cast<const char*>(data), data ? size : 0);
  bytes.append(MissingTerminators(type, bytes), '\0');  // stored terminated, as Windows does
  if (plat::regfile::Value* v = node->FindValue(valueName)) {
    v->type = type;
    v->data = bytes;
  } else {
    node->values.push_back({std::string(valueName), type, bytes});
  }
  return Store().Changed(node);
}

LONG RegQueryValue(HKEY hKey, LPCSTR subKey, LPSTR data, PLONG size) {
  if (data && !size) return ERROR_INVALID_PARAMETER;
  Locked lock;
  RegNode* node;
  if (LONG rc = Resolve(hKey, KEY_QUERY_VALUE, node)) return rc;
  RegNode* target = Walk(node, subKey ? subKey : "");
  if (!target) return ERROR_FILE_NOT_FOUND;
  plat::regfile::Value* v = target->FindValue("");
  std::string text = v ? v->data : std::string(1, '\0');
  if (text.empty() || text.back() != '\0') text += '\0';
  if (!size) return ERROR_SUCCESS;
  DWORD room = static_cast<DWORD>(*size);
  *size = static_cast<LONG>(text.size());
  if (!data) return ERROR_SUCCESS;
  if (room < text.size()) return ERROR_MORE_DATA;
  std::memcpy(data, text.data(), text.size());
  return ERROR_SUCCESS;
}

LONG RegSetValue(HKEY hKey, LPCSTR subKey, DWORD type, LPCSTR data, DWORD) {
  if (type != REG_SZ || !data) return ERROR_INVALID_PARAMETER;
  Locked lock;
  HKEY target = hKey;
  if (subKey && *subKey) {
    if (LONG rc = RegCreateKeyEx(hKey, subKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &target, nullptr))
      return rc;
  }
  LONG rc = RegSetValueEx(target, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                          static_cast<DWORD>(std::strlen(data) + 1));
  if (target != hKey) RegCloseKey(target);
  return rc;
}

LONG RegDeleteKey(HKEY hKey, LPCSTR subKey) {
  if (!subKey) return ERROR_INVALID_PARAMETER;
  Locked lock;
  RegNode* node;
  if (LONG rc = Resolve(hKey, 0, node)) return rc;
  RegNode* target = Walk(node, subKey);
  if (!target) return ERROR_FILE_NOT_FOUND;
  if (!target->parent || target->hive || !target->subkeys.empty()) return ERROR_ACCESS_DENIED;
  return Store().Remove(target);
}

LONG RegDeleteValue(HKEY hKey, LPCSTR name) {
  Locked lock;
  RegNode* node;
  if (LONG rc = Resolve(hKey, KEY_SET_VALUE, node)) return rc;
  std::string_view valueName = name ? name : "";
  for (auto it = node->values.begin(); it != node->values.end(); ++it)
    if (plat::EqualNoCase(it->name, valueName)) {
      node->values.erase(it);
      return Store().Changed(node);
    }
  return ERROR_FILE_NOT_FOUND;
}

LONG RegEnumKeyEx(HKEY hKey, DWORD index, LPSTR name, LPDWORD nameCount, LPDWORD, LPSTR className,
                  LPDWORD classCount, PFILETIME lastWrite) {
  if (!name || !nameCount) return ERROR_INVALID_PARAMETER;
  Locked lock;
  RegNode* node;
  if (LONG rc = Resolve(hKey, KEY_ENUMERATE_SUB_KEYS, node)) return rc;
  if (index >= node->subkeys.size()) return ERROR_NO_MORE_ITEMS;
  const RegNode& key = *node->subkeys[index];
  if (LONG rc = CopyName(key.name, name, nameCount)) return rc;
  if (className && classCount)
    if (LONG rc = CopyName(key.className, className, classCount)) return rc;
  if (lastWrite) *lastWrite = key.lastWrite;
  return ERROR_SUCCESS;
}

LONG RegEnumKey(HKEY hKey, DWORD index, LPSTR name, DWORD count) {
  return RegEnumKeyEx(hKey, index, name, &count, nullptr, nullptr, nullptr, nullptr);
}

LONG RegEnumValue(HKEY hKey, DWORD index, LPSTR name, LPDWORD nameCount, LPDWORD, LPDWORD type, LPBYTE data,
                  LPDWORD size) {
  if (!name || !nameCount || (data && !size)) return ERROR_INVALID_PARAMETER;
  Locked lock;
  RegNode* node;
  if (LONG rc = Resolve(hKey, KEY_QUERY_VALUE, node)) return rc;
  if (index >= node->values.size()) return ERROR_NO_MORE_ITEMS;
  const plat::regfile::Value& v = node->values[index];
  DWORD room = size ? *size : 0;
  if (type) *type = v.type;
  // Too small a buffer for the name or the data: the sizes needed and the
  // type are given; the name and its length are left alone.
  if (*nameCount <= v.name.size() || (data && room < v.data.size())) {
    if (size) *size = Size(v.data) + static_cast<DWORD>(MissingTerminators(v.type, v.data));
    return ERROR_MORE_DATA;
  }
  CopyName(v.name, name, nameCount);
  return CopyData(v.type, v.data, data, room, size);
}

LONG RegQueryInfoKey(HKEY hKey, LPSTR className, LPDWORD classCount, LPDWORD, LPDWORD subKeys,
                     LPDWORD maxSubKeyLen, LPDWORD maxClassLen, LPDWORD values, LPDWORD maxValueNameLen,
                     LPDWORD maxValueLen, LPDWORD securityDescriptor, PFILETIME lastWrite) {
  if (className && !classCount) return ERROR_INVALID_PARAMETER;
  Locked lock;
  RegNode* node;
  if (LONG rc = Resolve(hKey, KEY_QUERY_VALUE, node)) return rc;
  DWORD longestKey = 0, longestClass = 0, longestName = 0, longestData = 0;
  for (const auto& k : node->subkeys) {
    longestKey = std::max(longestKey, Size(k->name));
    longestClass = std::max(longestClass, Size(k->className));
  }
  for (const auto& v : node->values) {
    longestName = std::max(longestName, Size(v.name));
    // As RegQueryValueEx reports it: with the terminator a string gets.
    longestData =
        std::max(longestData, Size(v.data) + static_cast<DWORD>(MissingTerminators(v.type, v.data)));
  }
  if (subKeys) *subKeys = static_cast<DWORD>(node->subkeys.size());
  if (maxSubKeyLen) *maxSubKeyLen = longestKey;
  if (maxClassLen) *maxClassLen = longestClass;
  if (values) *values = static_cast<DWORD>(node->values.size());
  if (maxValueNameLen) *maxValueNameLen = longestName;
  if (maxValueLen) *maxValueLen = longestData;
  if (securityDescriptor) *securityDescriptor = 0;
  if (lastWrite) *lastWrite = node->lastWrite;
  if (!classCount) return ERROR_SUCCESS;
  // Too small a class buffer: ERROR_MORE_DATA with the class's length.
  if (className && CopyName(node->className, className, classCount) == ERROR_SUCCESS) return ERROR_SUCCESS;
  *classCount = Size(node->className);
  return className ? ERROR_MORE_DATA : ERROR_SUCCESS;
}

LONG RegFlushKey(HKEY hKey) {
  Locked lock;
  RegNode* node;
  if (LONG rc = Resolve(hKey, 0, node)) return rc;
  return Store().Flush(node);
}

namespace {

LONG ReadHiveFile(LPCSTR file, plat::regfile::ParseResult& parsed) {
  if (!file || !*file) return ERROR_INVALID_PARAMETER;
  std::string path = plat::NormalizeSeparators(file);
  if (!plat::FileExists(path)) return ERROR_FILE_NOT_FOUND;
  std::string bytes;
  {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return ERROR_ACCESS_DENIED;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    std::fclose(f);
  }
  parsed = plat::regfile::Parse(bytes);
  for (const auto& e : parsed.errors) plat::ReportRegistryProblem(path + ": " + e);
  return ERROR_SUCCESS;
}

}  // namespace

LONG RegSaveKey(HKEY hKey, LPCSTR file, LPSECURITY_ATTRIBUTES) {
  if (!file || !*file) return ERROR_INVALID_PARAMETER;
  Locked lock;
  RegNode* node;
  if (LONG rc = Resolve(hKey, 0, node)) return rc;
  std::string path = plat::NormalizeSeparators(file);
  if (plat::FileExists(path) || plat::DirectoryExists(path)) return ERROR_ALREADY_EXISTS;
  auto keys = Store().Export(node, false);
  if (keys.empty() || keys.front().path != node->Path()) keys.insert(keys.begin(), {node->Path(), {}});
  int err = 0;
  if (!plat::ReplaceFileAtomically(path, plat::regfile::Format(keys), nullptr, &err))
    return err == ENOENT ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED;
  return ERROR_SUCCESS;
}

LONG RegLoadKey(HKEY hKey, LPCSTR subKey, LPCSTR file) {
  if (hKey != HKEY_LOCAL_MACHINE && hKey != HKEY_USERS) return ERROR_INVALID_PARAMETER;
  if (!subKey || !*subKey || std::strchr(subKey, '\\') || BadName(subKey)) return ERROR_INVALID_PARAMETER;
  plat::regfile::ParseResult parsed;
  if (LONG rc = ReadHiveFile(file, parsed)) return rc;
  Locked lock;
  RegNode* root = Store().Root(hKey);
  if (root->FindSubkey(subKey)) return ERROR_ALREADY_EXISTS;
  std::vector<std::string> problems;
  Store().MountHive(root, subKey, plat::AbsolutePath(file), parsed, problems);
  for (size_t i = parsed.errors.size(); i < problems.size(); ++i)
    plat::ReportRegistryProblem(std::string(file) + ": " + problems[i]);
  return ERROR_SUCCESS;
}

LONG RegUnLoadKey(HKEY hKey, LPCSTR subKey) {
  if (!subKey || !*subKey) return ERROR_INVALID_PARAMETER;
  Locked lock;
  RegNode* node;
  if (LONG rc = Resolve(hKey, 0, node)) return rc;
  RegNode* target = Walk(node, subKey);
  if (!target) return ERROR_FILE_NOT_FOUND;
  if (!target->hive || !target->parent) return ERROR_INVALID_PARAMETER;
  Store().UnmountHive(target);
  return ERROR_SUCCESS;
}

LONG RegRestoreKey(HKEY hKey, LPCSTR file, DWORD) {
  plat::regfile::ParseResult parsed;
  if (LONG rc = ReadHiveFile(file, parsed)) return rc;
  Locked lock;
  RegNode* node;
  if (LONG rc = Resolve(hKey, 0, node)) return rc;
  while (!node->subkeys.empty()) Store().Remove(node->subkeys.back().get());
  node->values.clear();
  std::string filePath = parsed.keys.empty() ? node->Path() : parsed.keys.front().path;
  for (const auto& p : Store().Import(node, filePath, parsed.keys))
    plat::ReportRegistryProblem(std::string(file) + ": " + p);
  return Store().Changed(node);
}

LONG RegReplaceKey(HKEY, LPCSTR, LPCSTR, LPCSTR) { return ERROR_CALL_NOT_IMPLEMENTED; }

LONG RegNotifyChangeKeyValue(HKEY, BOOL, DWORD, HANDLE, BOOL) { return ERROR_CALL_NOT_IMPLEMENTED; }

LONG RegConnectRegistry(LPCSTR machine, HKEY hKey, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (machine && *machine) return ERROR_BAD_NETPATH;
  if (!RegistryStore::RootName(hKey)) return ERROR_INVALID_HANDLE;
  *result = hKey;
  return ERROR_SUCCESS;
}

LONG RegGetKeySecurity(HKEY, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR, LPDWORD) {
  return ERROR_CALL_NOT_IMPLEMENTED;
}

LONG RegSetKeySecurity(HKEY, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR) {
  return ERROR_CALL_NOT_IMPLEMENTED;
}

namespace plat {

RegistryWriteBatch::RegistryWriteBatch() {
  Locked lock;
  Store().BeginBatch();
}

RegistryWriteBatch::~RegistryWriteBatch() {
  Locked lock;
  Store().EndBatch();
}

bool FlushRegistry() {
  Locked lock;
  return Store().FlushAll() == ERROR_SUCCESS;
}

void ReloadRegistry() {
  Locked lock;
  Store().Reset();
  Handles().clear();
}

}  // namespace plat
