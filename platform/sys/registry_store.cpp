#include "platform/sys/registry_store.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <set>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/sys/atomic_file.h"
#include "platform/sys/equal_no_case.h"
#include "platform/sys/errno_map.h"
#include "platform/sys/path.h"
#include "platform/sys/registry.h"
#include "platform/sys/registry_merge.h"
#include "platform/sys/store_lock.h"

namespace plat {

namespace {

bool LessNoCase(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    int x = std::tolower(static_cast<unsigned char>(a[i]));
    int y = std::tolower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

FILETIME Now() {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  return ft;
}

void MarkDeleted(RegNode* node) {
  node->deleted = true;
  for (auto& k : node->subkeys) MarkDeleted(k.get());
}

bool ReadFileBytes(const std::string& path, std::string& out, bool& exists) {
  struct stat st;
  exists = stat(path.c_str(), &st) == 0;
  if (!exists) return true;
  if (!S_ISREG(st.st_mode)) {
    errno = S_ISDIR(st.st_mode) ? EISDIR : EACCES;
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  out = s.str();
  return !in.bad();
}

// Splits "A\B\C" into its parts; empty parts are dropped.
std::vector<std::string> SplitKeyPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : path) {
    if (c == '\\') {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

FileStamp StampOf(const std::string& path) {
  FileStamp stamp;
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return stamp;
  stamp.exists = true;
  stamp.dev = st.st_dev;
  stamp.ino = st.st_ino;
  stamp.size = static_cast<uint64_t>(st.st_size);
  stamp.mtimeSec = st.st_mtim.tv_sec;
  stamp.mtimeNsec = st.st_mtim.tv_nsec;
  return stamp;
}

std::string JoinKeyPath(const std::string& a, const std::string& b) { return a.empty() ? b : a + "\\" + b; }

RegHive* HiveOf(RegNode* node) {
  while (node && !node->hive) node = node->parent;
  return node ? node->hive : nullptr;
}

}  // namespace

void ReportRegistryProblem(const std::string& text) {
  std::fprintf(stderr, "mirt2: registry: %s\n", text.c_str());
}

RegNode* RegNode::FindSubkey(std::string_view n) const {
  auto p = SubkeyShared(n);
  return p.get();
}

std::shared_ptr<RegNode> RegNode::SubkeyShared(std::string_view n) const {
  auto it = std::lower_bound(
      subkeys.begin(), subkeys.end(), n,
      [](const std::shared_ptr<RegNode>& k, std::string_view v) { return LessNoCase(k->name, v); });
  if (it != subkeys.end() && EqualNoCase((*it)->name, n)) return *it;
  return nullptr;
}

RegNode* RegNode::AddSubkey(std::string_view n) {
  auto it = std::lower_bound(
      subkeys.begin(), subkeys.end(), n,
      [](const std::shared_ptr<RegNode>& k, std::string_view v) { return LessNoCase(k->name, v); });
  auto node = std::make_shared<RegNode>();
  node->name = std::string(n);
  node->parent = this;
  node->lastWrite = Now();
  node->isVolatile = isVolatile;
  return subkeys.insert(it, node)->get();
}

regfile::Value* RegNode::FindValue(std::string_view n) {
  for (auto& v : values)
    if (EqualNoCase(v.name, n)) return &v;
  return nullptr;
}

std::string RegNode::Path() const { return parent ? parent->Path() + "\\" + name : name; }

RegistryStore& RegistryStore::Instance() {
  static RegistryStore store;
  return store;
}

RegistryStore::~RegistryStore() { FlushAll(); }

const char* RegistryStore::RootName(HKEY predefined) {
  if (predefined == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
  if (predefined == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
  if (predefined == HKEY_LOCAL_MACHINE) return "HKEY_LOCAL_MACHINE";
  if (predefined == HKEY_USERS) return "HKEY_USERS";
  if (predefined == HKEY_CURRENT_CONFIG) return "HKEY_CURRENT_CONFIG";
  return nullptr;
}

RegNode* RegistryStore::Root(HKEY predefined) {
  const char* name = RootName(predefined);
  if (!name) return nullptr;
  auto it = m_roots.find(name);
  if (it != m_roots.end()) return it->second->top.get();
  auto hive = std::make_unique<RegHive>();
  hive->file = JoinPath(SettingsDir(), std::string(name) + ".reg");
  hive->top = std::make_shared<RegNode>();
  hive->top->name = name;
  hive->top->hive = hive.get();
  hive->top->lastWrite = Now();
  RegHive& h = *hive;
  m_roots.emplace(name, std::move(hive));
  LoadRoot(h, name);
  if (predefined == HKEY_LOCAL_MACHINE) RefreshSerialCommKey();
  return h.top.get();
}

void RegistryStore::LoadRoot(RegHive& hive, const std::string& rootName) {
  std::string bytes;
  bool exists = false;
  if (!ReadFileBytes(hive.file, bytes, exists)) {
    hive.writable = false;
    ReportRegistryProblem("cannot read " + hive.file +
                          "; its keys are not available and the file is left as it is");
    return;
  }
  hive.filePrefix = rootName;
  Remember(hive, bytes);
  if (!exists) return;
  regfile::ParseResult parsed = regfile::Parse(bytes);
  std::vector<std::string> problems = parsed.errors;
  auto more = Import(hive.top.get(), rootName, parsed.keys);
  problems.insert(problems.end(), more.begin(), more.end());
  hive.base = Relative(Export(hive.top.get(), false), hive.top->Path());
  if (problems.empty()) return;
  // Keep the damaged file beside the store before it is ever rewritten.
  std::string backup = hive.file + ".bad";
  bool saved = ReplaceFileAtomically(backup, bytes);
  ReportRegistryProblem(hive.file + " is damaged; the readable keys are used" +
                        (saved ? ", the original is kept as " + backup : std::string()));
  for (const auto& p : problems) ReportRegistryProblem(hive.file + ": " + p);
}

std::vector<std::string> RegistryStore::Import(RegNode* top, const std::string& filePath,
                                               const std::vector<regfile::Key>& keys) {
  std::vector<std::string> problems;
  std::vector<std::string> prefix = SplitKeyPath(filePath);
  for (const regfile::Key& key : keys) {
    std::vector<std::string> parts = SplitKeyPath(key.path);
    bool inside = parts.size() >= prefix.size();
    for (size_t i = 0; inside && i < prefix.size(); ++i) inside = EqualNoCase(parts[i], prefix[i]);
    if (!inside) {
      problems.push_back("key [" + key.path + "] is not under " + filePath);
      continue;
    }
    RegNode* node = top;
    for (size_t i = prefix.size(); i < parts.size(); ++i) {
      RegNode* next = node->FindSubkey(parts[i]);
      node = next ? next : node->AddSubkey(parts[i]);
    }
    for (const regfile::Value& v : key.values) {
      if (regfile::Value* old = node->FindValue(v.name))
        *old = v;
      else
        node->values.push_back(v);
    }
  }
  return problems;
}

std::vector<regfile::Key> RegistryStore::Export(const RegNode* top, bool includeVolatile) const {
  std::vector<regfile::Key> keys;
  struct Walker {
    std::vector<regfile::Key>& keys;
    bool includeVolatile;
    void Visit(const RegNode* n, const std::string& path, bool isTop) {
      if (!isTop && (n->hive || (n->isVolatile && !includeVolatile))) return;
      if (!isTop || !n->values.empty() || n->parent) keys.push_back({path, n->values});
      for (const auto& k : n->subkeys) Visit(k.get(), path + "\\" + k->name, false);
    }
  } walker{keys, includeVolatile};
  walker.Visit(top, top->Path(), true);
  return keys;
}

LONG RegistryStore::Changed(RegNode* node) {
  node->lastWrite = Now();
  RegNode* n = node;
  while (n && !n->hive) n = n->parent;
  if (!n) return ERROR_SUCCESS;
  if (node->isVolatile && n != node) return ERROR_SUCCESS;  // volatile keys never reach the file
  n->hive->dirty = true;
  return m_batch == 0 ? Write(*n->hive) : ERROR_SUCCESS;
}

void RegistryStore::Remember(RegHive& hive, const std::string& bytes) {
  hive.text = bytes;
  hive.stamp = StampOf(hive.file);
}

std::vector<regfile::Key> RegistryStore::Relative(const std::vector<regfile::Key>& keys,
                                                  const std::string& prefix) const {
  std::vector<std::string> head = SplitKeyPath(prefix);
  std::vector<regfile::Key> out;
  for (const regfile::Key& key : keys) {
    std::vector<std::string> parts = SplitKeyPath(key.path);
    bool inside = parts.size() >= head.size();
    for (size_t i = 0; inside && i < head.size(); ++i) inside = EqualNoCase(parts[i], head[i]);
    if (!inside) continue;
    std::string rel;
    for (size_t i = head.size(); i < parts.size(); ++i) rel = JoinKeyPath(rel, parts[i]);
    out.push_back({rel, key.values});
  }
  return out;
}

// Makes the hive's keys (volatile keys and mounted hives aside) those given.
void RegistryStore::ReplaceTree(RegNode* top, const std::vector<regfile::Key>& keys) {
  std::set<std::string> wanted;  // folded paths of the keys and their parents
  for (const auto& k : keys) {
    std::string path;
    for (const std::string& part : SplitKeyPath(k.path))
      wanted.insert(FoldedCase(path = JoinKeyPath(path, part)));
  }
  std::function<void(RegNode*, const std::string&)> prune = [&](RegNode* node, const std::string& path) {
    std::vector<RegNode*> children;
    for (auto& k : node->subkeys) children.push_back(k.get());
    for (RegNode* child : children) {
      if (child->hive || child->isVolatile) continue;
      std::string childPath = JoinKeyPath(path, child->name);
      if (wanted.count(FoldedCase(childPath)))
        prune(child, childPath);
      else
        Detach(child);
    }
  };
  prune(top, "");
  for (const regfile::Key& key : keys) {
    RegNode* node = top;
    for (const std::string& part : SplitKeyPath(key.path)) {
      RegNode* next = node->FindSubkey(part);
      node = next ? next : node->AddSubkey(part);
    }
    node->values = key.values;
  }
}

void RegistryStore::TakeIn(RegHive& hive, const std::string& bytes) {
  regfile::ParseResult parsed = regfile::Parse(bytes);
  std::vector<regfile::Key> disk = Relative(parsed.keys, hive.filePrefix);
  std::vector<regfile::Key> current = Relative(Export(hive.top.get(), false), hive.top->Path());
  ReplaceTree(hive.top.get(), MergeRegistryKeys(hive.base, current, disk));
  hive.base = disk;
  Remember(hive, bytes);
}

void RegistryStore::Refresh(RegNode* node) {
  RegHive* hive = HiveOf(node);
  if (!hive || hive->dirty || !hive->writable || StampOf(hive->file) == hive->stamp) return;
  std::string bytes;
  bool exists = false;
  // A file that is gone or can not be read says nothing about the keys.
  if (ReadFileBytes(hive->file, bytes, exists) && exists) TakeIn(*hive, bytes);
}

LONG RegistryStore::Write(RegHive& hive) {
  if (!hive.dirty) return ERROR_SUCCESS;
  if (!hive.writable) return ERROR_ACCESS_DENIED;
  StoreFileLock lock(hive.file);
  std::string onDisk;
  bool exists = false;
  errno = 0;
  if (!ReadFileBytes(hive.file, onDisk, exists)) {
    int err = errno ? errno : EACCES;
    ReportRegistryProblem("cannot read " + hive.file + " before writing it: " + std::strerror(err));
    return static_cast<LONG>(Win32ErrorFromErrno(err));
  }
  if (exists && onDisk != hive.text) TakeIn(hive, onDisk);  // another process wrote it
  std::vector<regfile::Key> keys = Export(hive.top.get(), false);
  std::string text = regfile::Format(keys);
  std::string error;
  int err = 0;
  if (!ReplaceFileAtomically(hive.file, text, &error, &err)) {
    ReportRegistryProblem(error);
    return static_cast<LONG>(Win32ErrorFromErrno(err));
  }
  hive.dirty = false;
  hive.filePrefix = hive.top->Path();
  hive.base = Relative(keys, hive.filePrefix);
  Remember(hive, text);
  return ERROR_SUCCESS;
}

LONG RegistryStore::Flush(RegNode* node) {
  RegHive* hive = HiveOf(node);
  return hive ? Write(*hive) : ERROR_SUCCESS;
}

LONG RegistryStore::FlushAll() {
  LONG first = ERROR_SUCCESS;
  for (auto& [name, hive] : m_roots)
    if (LONG rc = Write(*hive); rc && !first) first = rc;
  for (auto& hive : m_loaded)
    if (LONG rc = Write(*hive); rc && !first) first = rc;
  return first;
}

LONG RegistryStore::EndBatch() {
  if (m_batch > 0 && --m_batch == 0) return FlushAll();
  return ERROR_SUCCESS;
}

void RegistryStore::Detach(RegNode* node) {
  auto& list = node->parent->subkeys;
  for (auto it = list.begin(); it != list.end(); ++it)
    if (it->get() == node) {
      std::shared_ptr<RegNode> keep = *it;
      list.erase(it);
      MarkDeleted(keep.get());
      return;
    }
}

LONG RegistryStore::Remove(RegNode* node) {
  RegNode* parent = node->parent;
  if (!parent) return ERROR_SUCCESS;
  Detach(node);
  return Changed(parent);
}

RegHive* RegistryStore::MountHive(RegNode* parent, const std::string& name, const std::string& file,
                                  const regfile::ParseResult& parsed, std::vector<std::string>& problems) {
  auto hive = std::make_unique<RegHive>();
  hive->file = file;
  RegNode* top = parent->AddSubkey(name);
  top->hive = hive.get();
  hive->top = parent->SubkeyShared(name);
  std::string filePath = parsed.keys.empty() ? top->Path() : parsed.keys.front().path;
  problems = parsed.errors;
  auto more = Import(top, filePath, parsed.keys);
  problems.insert(problems.end(), more.begin(), more.end());
  hive->filePrefix = filePath;
  hive->base = Relative(Export(top, false), top->Path());
  hive->text = regfile::Format(Export(top, false));
  hive->stamp = StampOf(file);
  m_loaded.push_back(std::move(hive));
  return m_loaded.back().get();
}

void RegistryStore::UnmountHive(RegNode* top) {
  Write(*top->hive);
  for (auto it = m_loaded.begin(); it != m_loaded.end(); ++it)
    if (it->get() == top->hive) {
      top->hive = nullptr;
      std::unique_ptr<RegHive> gone = std::move(*it);
      m_loaded.erase(it);
      Detach(top);
      return;
    }
}

void RegistryStore::Reset() {
  FlushAll();
  for (auto& [name, hive] : m_roots) MarkDeleted(hive->top.get());
  for (auto& hive : m_loaded) MarkDeleted(hive->top.get());
  m_roots.clear();
  m_loaded.clear();
}

}  // namespace plat
