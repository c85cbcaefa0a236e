// The registry's keys in memory and their files. Used by the Reg*
// functions; every member expects the caller to hold Mutex().
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/base/windef.h"
#include "platform/sys/reg_file_format.h"

namespace plat {

struct RegHive;

struct RegNode {
  std::string name;
  RegNode* parent = nullptr;
  std::vector<regfile::Value> values;             // in the order first set
  std::vector<std::shared_ptr<RegNode>> subkeys;  // sorted by name, without case
  std::string className;
  FILETIME lastWrite{};
  bool deleted = false;
  bool isVolatile = false;
  RegHive* hive = nullptr;  // set on a root and on the top of a loaded hive

  RegNode* FindSubkey(std::string_view n) const;
  std::shared_ptr<RegNode> SubkeyShared(std::string_view n) const;
  RegNode* AddSubkey(std::string_view n);
  regfile::Value* FindValue(std::string_view n);
  std::string Path() const;  // "HKEY_CURRENT_USER\Software\..."
};

// What identifies a version of a file cheaply: a rewrite changes it.
struct FileStamp {
  bool exists = false;
  uint64_t dev = 0, ino = 0, size = 0;
  int64_t mtimeSec = 0, mtimeNsec = 0;
  bool operator==(const FileStamp&) const = default;
};

// A file that holds one subtree: a root key, or a hive loaded with RegLoadKey.
struct RegHive {
  std::string file;
  std::shared_ptr<RegNode> top;
  bool dirty = false;
  bool writable = true;  // false when the file existed but could not be read
  // The file as this process last read or wrote it: its bytes, its keys
  // (relative to top, the base of a merge), the path its keys start with,
  // and its stamp.
  std::string text;
  std::vector<regfile::Key> base;
  std::string filePrefix;
  FileStamp stamp;
};

class RegistryStore {
 public:
  static RegistryStore& Instance();
  std::recursive_mutex& Mutex() { return m_mutex; }

  // The node of a predefined key, read from its file on first use; null
  // for handles that are not a root the store keeps.
  RegNode* Root(HKEY predefined);
  static const char* RootName(HKEY predefined);

  // Records a change of the node: its time and its hive's dirty mark; the
  // hive is written at once unless writes are batched. Returns the Windows
  // error of a failed write (the change stays in memory for a later one).
  LONG Changed(RegNode* node);
  // Writes one hive / every dirty hive; the error of a failed write.
  LONG Flush(RegNode* node);
  LONG FlushAll();
  void BeginBatch() { ++m_batch; }
  LONG EndBatch();
  // Takes in what other processes wrote to the node's hive file since this
  // process read or wrote it, when nothing here waits to be written.
  void Refresh(RegNode* node);

  // Removes a node (and what lies below) from the tree.
  LONG Remove(RegNode* node);
  // Takes the node out of its parent's subkeys and marks it (and all below)
  // deleted; open handles keep the node alive. Records no change.
  void Detach(RegNode* node);

  // Subtree to and from the file format. Paths in the file start with
  // the node's full path.
  std::vector<regfile::Key> Export(const RegNode* top, bool includeVolatile) const;
  // Adds the keys of a parsed file under top, whose file path is filePath
  // (the first component(s) that the keys must start with). Returns the
  // problems found.
  std::vector<std::string> Import(RegNode* top, const std::string& filePath,
                                  const std::vector<regfile::Key>& keys);

  // Hives loaded with RegLoadKey.
  RegHive* MountHive(RegNode* parent, const std::string& name, const std::string& file,
                     const regfile::ParseResult& parsed, std::vector<std::string>& problems);
  void UnmountHive(RegNode* top);

  void Reset();

 private:
  RegistryStore() = default;
  ~RegistryStore();
  // Writes the hive under the store lock, merged with the file as it is now.
  LONG Write(RegHive& hive);
  // Merges the file's current keys (bytes) into the tree; the file's keys
  // become the new base.
  void TakeIn(RegHive& hive, const std::string& bytes);
  void Remember(RegHive& hive, const std::string& bytes);
  std::vector<regfile::Key> Relative(const std::vector<regfile::Key>& keys, const std::string& prefix) const;
  void ReplaceTree(RegNode* top, const std::vector<regfile::Key>& keys);
  void LoadRoot(RegHive& hive, const std::string& rootName);

  std::recursive_mutex m_mutex;
  std::map<std::string, std::unique_ptr<RegHive>> m_roots;
  std::vector<std::unique_ptr<RegHive>> m_loaded;
  int m_batch = 0;
};

// Reports a problem of the store on standard error, one line.
void ReportRegistryProblem(const std::string& text);

}  // namespace plat
