#include "platform/sys/registry_store.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/sys/atomic_file.h"
#include "platform/sys/equal_no_case.h"
#include "platform/sys/path.h"
#include "platform/sys/registry.h"

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
  if (!exists) return;
  regfile::ParseResult parsed = regfile::Parse(bytes);
  std::vector<std::string> problems = parsed.errors;
  auto more = Import(hive.top.get(), rootName, parsed.keys);
  problems.insert(problems.end(), more.begin(), more.end());
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

void RegistryStore::Changed(RegNode* node) {
  node->lastWrite = Now();
  RegNode* n = node;
  while (n && !n->hive) n = n->parent;
  if (!n) return;
  if (node->isVolatile && n != node) return;  // volatile keys never reach the file
  n->hive->dirty = true;
  if (m_batch == 0) Write(*n->hive);
}

bool RegistryStore::Write(RegHive& hive) {
  if (!hive.dirty) return true;
  if (!hive.writable) return false;
  std::string text = regfile::Format(Export(hive.top.get(), false));
  std::string error;
  if (!ReplaceFileAtomically(hive.file, text, &error)) {
    ReportRegistryProblem(error);
    return false;
  }
  hive.dirty = false;
  return true;
}

bool RegistryStore::Flush(RegNode* node) {
  while (node && !node->hive) node = node->parent;
  return node ? Write(*node->hive) : true;
}

bool RegistryStore::FlushAll() {
  bool ok = true;
  for (auto& [name, hive] : m_roots) ok = Write(*hive) && ok;
  for (auto& hive : m_loaded) ok = Write(*hive) && ok;
  return ok;
}

void RegistryStore::EndBatch() {
  if (m_batch > 0 && --m_batch == 0) FlushAll();
}

namespace {

// Takes the node out of its parent's subkeys and marks it (and all below)
// deleted; open handles keep the node alive.
void Detach(RegNode* node) {
  auto& list = node->parent->subkeys;
  for (auto it = list.begin(); it != list.end(); ++it)
    if (it->get() == node) {
      std::shared_ptr<RegNode> keep = *it;
      list.erase(it);
      MarkDeleted(keep.get());
      return;
    }
}

}  // namespace

void RegistryStore::Remove(RegNode* node) {
  RegNode* parent = node->parent;
  if (!parent) return;
  Detach(node);
  Changed(parent);
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
