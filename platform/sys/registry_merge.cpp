#include "platform/sys/registry_merge.h"

#include "platform/sys/equal_no_case.h"

#include <map>
#include <optional>
#include <string>

namespace plat {

namespace {

using KeyMap = std::map<std::string, const regfile::Key*>;  // by folded path

KeyMap ByPath(const std::vector<regfile::Key>& keys) {
  KeyMap map;
  for (const auto& k : keys) map.emplace(FoldedCase(k.path), &k);
  return map;
}

const regfile::Key* Find(const KeyMap& map, const std::string& folded) {
  auto it = map.find(folded);
  return it == map.end() ? nullptr : it->second;
}

std::optional<regfile::Value> FindValue(const regfile::Key* key, const std::string& foldedName) {
  if (key)
    for (const auto& v : key->values)
      if (FoldedCase(v.name) == foldedName) return v;
  return std::nullopt;
}

bool Same(const std::optional<regfile::Value>& a, const std::optional<regfile::Value>& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a || (a->type == b->type && a->data == b->data && a->name == b->name);
}

bool SameValues(const regfile::Key* a, const regfile::Key* b) {
  if (a->values.size() != b->values.size()) return false;
  for (const auto& v : a->values)
    if (!Same(v, FindValue(b, FoldedCase(v.name)))) return false;
  return true;
}

// The disk's values of a key with this process's value changes applied.
regfile::Key MergedKey(const regfile::Key* base, const regfile::Key* current, const regfile::Key* disk) {
  regfile::Key out{current ? current->path : disk->path, disk ? disk->values : std::vector<regfile::Value>{}};
  std::vector<std::string> names;
  for (const regfile::Key* k : {base, current})
    if (k)
      for (const auto& v : k->values) names.push_back(FoldedCase(v.name));
  for (const std::string& name : names) {
    auto mine = FindValue(current, name);
    if (Same(FindValue(base, name), mine)) continue;
    auto it = out.values.begin();
    while (it != out.values.end() && FoldedCase(it->name) != name) ++it;
    if (!mine) {
      if (it != out.values.end()) out.values.erase(it);
    } else if (it != out.values.end()) {
      *it = *mine;
    } else {
      out.values.push_back(*mine);
    }
  }
  return out;
}

}  // namespace

std::vector<regfile::Key> MergeRegistryKeys(const std::vector<regfile::Key>& base,
                                            const std::vector<regfile::Key>& current,
                                            const std::vector<regfile::Key>& disk) {
  KeyMap b = ByPath(base), c = ByPath(current), d = ByPath(disk);
  std::vector<std::string> order;  // the disk's keys first, then the new ones
  for (const auto& k : disk) order.push_back(FoldedCase(k.path));
  for (const auto& k : current)
    if (!d.count(FoldedCase(k.path))) order.push_back(FoldedCase(k.path));
  std::vector<regfile::Key> merged;
  for (const std::string& path : order) {
    const regfile::Key *inBase = Find(b, path), *inCurrent = Find(c, path), *inDisk = Find(d, path);
    bool deletedHere = inBase && !inCurrent && !path.empty();
    bool addedHere = inCurrent && !inBase;
    bool changedHere = inCurrent && inBase && !SameValues(inBase, inCurrent);
    if (deletedHere || !(inDisk || addedHere || changedHere)) continue;
    merged.push_back(MergedKey(inBase, inCurrent, inDisk));
  }
  return merged;
}

}  // namespace plat
