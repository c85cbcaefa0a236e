// Saved framework bar layouts read back from an archive: any bytes load
// without harm and within the record limits (a short or damaged layout
// ends in an archive exception).
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "framework/sec_dock_state.h"
#include "platform/afx/archive.h"

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
  SECDockState state;
  try {
    CArchive ar(&file, CArchive::load);
    state.Serialize(ar);
  } catch (CException* e) {
    e->Delete();
  }
  if (state.RecordCount() > kSECMaxSavedBars) std::abort();
  for (int i = 0; i < state.RecordCount(); ++i) {
    const SECControlBarInfo* r = state.Record(i);
    if (r->m_arrBarID.GetSize() > kSECMaxSavedBars || r->m_szMRUFloat.cx < 0 || r->m_dblPctWidth < 0)
      std::abort();
  }
  state.CleanBarIDLists();
  return 0;
}
