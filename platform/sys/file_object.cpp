#include "platform/sys/file_object.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "platform/sys/file.h"

namespace plat {

namespace {

struct Opening {
  DWORD access;
  DWORD share;
};

struct ShareTable {
  std::mutex mutex;
  std::map<std::pair<dev_t, ino_t>, std::vector<Opening>> files;
};

ShareTable& Shares() {
  static ShareTable* table = new ShareTable;
  return *table;
}

bool Reads(DWORD access) { return access & (GENERIC_READ | GENERIC_ALL); }
bool Writes(DWORD access) { return access & (GENERIC_WRITE | GENERIC_ALL); }

// Whether a new opening fits with one already there, both ways round.
bool Compatible(const Opening& a, const Opening& b) {
  if (Reads(b.access) && !(a.share & FILE_SHARE_READ)) return false;
  if (Writes(b.access) && !(a.share & FILE_SHARE_WRITE)) return false;
  if (Reads(a.access) && !(b.share & FILE_SHARE_READ)) return false;
  if (Writes(a.access) && !(b.share & FILE_SHARE_WRITE)) return false;
  return true;
}

}  // namespace

bool ShareTableEnter(dev_t dev, ino_t ino, DWORD access, DWORD share) {
  ShareTable& t = Shares();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto& list = t.files[{dev, ino}];
  Opening mine{access, share};
  for (const Opening& other : list)
    if (!Compatible(other, mine)) {
      if (list.empty()) t.files.erase({dev, ino});
      return false;
    }
  list.push_back(mine);
  return true;
}

void ShareTableLeave(dev_t dev, ino_t ino, DWORD access, DWORD share) {
  ShareTable& t = Shares();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.files.find({dev, ino});
  if (it == t.files.end()) return;
  auto& list = it->second;
  for (auto o = list.begin(); o != list.end(); ++o)
    if (o->access == access && o->share == share) {
      list.erase(o);
      break;
    }
  if (list.empty()) t.files.erase(it);
}

FileObject::FileObject(int fd, std::string path, DWORD access, DWORD share, dev_t dev, ino_t ino)
    : m_fd(fd), m_path(std::move(path)), m_access(access), m_share(share), m_dev(dev), m_ino(ino) {}

FileObject::~FileObject() {
  struct stat st;
  if (deleteOnClose && stat(m_path.c_str(), &st) == 0 && st.st_dev == m_dev && st.st_ino == m_ino)
    unlink(m_path.c_str());
  if (m_fd >= 0) close(m_fd);  // also drops the locks of this descriptor
  if (lockFd >= 0) close(lockFd);
  ShareTableLeave(m_dev, m_ino, m_access, m_share);
}

bool FileObject::CanRead() const { return Reads(m_access); }
bool FileObject::CanWrite() const { return Writes(m_access); }

}  // namespace plat
