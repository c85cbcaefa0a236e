// Atomic replacement of a file: the new content goes to a temporary file in
// the same folder, is synced to disk and renamed over the target. On any
// failure the old file stays whole and the error is reported.
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

  std::string m_path;    // as given
  std::string m_target;  // the file actually replaced (symbolic links followed)
  std::string m_temp;
  int m_fd = -1;
  int m_errno = 0;
  std::string m_error;
};

// Replaces the file's content with bytes in one step. On failure returns
// false, leaves the old file whole and, when error is given, describes why;
// errnoOut receives the errno.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr,
                           int* errnoOut = nullptr);

}  // namespace plat
