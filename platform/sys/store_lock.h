// The lock that makes a read-modify-write of a settings file (an INI file,
// a registry hive) one step for every process of the layer: an exclusive
// flock on the file's folder, held while the object lives. The file itself
// can not carry the lock, since each save renames a new file over it.
// Threads of one process exclude each other too (each lock is its own open
// folder). Without a folder to lock (missing, or a file system without
// flock) nothing is locked and the write that follows reports its error.
#pragma once

#include <string>

namespace plat {

class StoreFileLock {
 public:
  explicit StoreFileLock(const std::string& file);
  ~StoreFileLock();
  StoreFileLock(const StoreFileLock&) = delete;
  StoreFileLock& operator=(const StoreFileLock&) = delete;

 private:
  int m_fd = -1;
};

}  // namespace plat
