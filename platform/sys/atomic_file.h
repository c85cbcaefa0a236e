// Atomic replacement of a file: the new content goes to a temporary file in
// the same folder, is synced to disk and renamed over the target. On any
// failure the old file stays whole and the error is reported.
//
// A target the user may not write (no owner write bit, which is the layer's
// read-only attribute, or no write access) is refused with EACCES, a folder
// with EISDIR, and a target another handle holds a byte-range lock on with
// EBUSY, as Windows refuses to replace such files. The temporary file gets
// the target's mode from the start and is locked (flock) by its writer as
// long as it exists; temporary files of our naming (".NAME.tmp-XXXXXXXX")
// whose writer is gone are removed by the next save of the same target.
#pragma once

#include <string>
#include <string_view>

namespace plat {

class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::string path);
  ~AtomicFileWriter();  // discards an uncommitted temporary file
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Creates the temporary file; false on failure (see Error()).
  bool Open();
  bool Write(const void* data, size_t size);
  bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
  // Syncs, keeps the old file's permissions and renames over the target.
  bool Commit();
  // Drops the temporary file; the target is untouched.
  void Discard();

  const std::string& Path() const { return m_target; }
  // The errno of the first failure (0 when none) and a readable text.
  int ErrorCode() const { return m_errno; }
  const std::string& Error() const { return m_error; }

 private:
  bool Fail(const char* what);
  bool CreateTemporary();
  bool NameTemporary();

  std::string m_path;    // as given
  std::string m_target;  // the file actually replaced (symbolic links followed)
  std::string m_temp;    // empty while the temporary file has no name
  int m_fd = -1;
  bool m_unnamed = false;  // created without a name (O_TMPFILE), linked at commit
  int m_errno = 0;
  std::string m_error;
};

// Replaces the file's content with bytes in one step. On failure returns
// false, leaves the old file whole and, when error is given, describes why;
// errnoOut receives the errno.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr,
                           int* errnoOut = nullptr);

// Why the file may not be replaced by this process: 0, or EISDIR, EACCES
// or EBUSY as described above. A missing file may be written.
int ReplaceRefusal(const std::string& path);

}  // namespace plat
