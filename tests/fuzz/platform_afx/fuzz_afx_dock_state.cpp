// Saved bar layouts read back from an archive: any bytes load without
// harm (a short or damaged layout ends in an archive exception).
#include <cstdint>
#include <cstring>
#include <string>

#include "platform/afx/archive.h"
#include "platform/afx/dockstate.h"

namespace {
class BytesFile : public CFile {
 public:
  BytesFile(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  UINT Read(void* buf, UINT count) override {
    size_t n = std::min<size_t>(count, size_ - at_);
    memcpy(buf, data_ + at_, n);
    at_ += n;
    return static_cast<UINT>(n);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BytesFile file(data, size);
  CDockState state;
  try {
    CArchive ar(&file, CArchive::load);
    state.Serialize(ar);
    CString text;
    ar >> text;  // a string after the layout, with its length prefix
  } catch (CException* e) {
    e->Delete();
  }
  return 0;
}
