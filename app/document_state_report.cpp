#include "app/document_state_report.h"

#include <cstdint>
#include <cstdio>
#include <string>

#include "editor/editline.h"
#include "editor/view/cmirt2doc.h"
#include "platform/ui/test_hook.h"

namespace {

constexpr std::uint64_t kDocReportFnvBasis = 14695981039346656037ull;
constexpr std::uint64_t kDocReportFnvPrime = 1099511628211ull;

// "document <modified> <bytes> <hash> <path>", the bytes as the editor
// writes them: each line's text with its own line end.
void DocumentReportState(std::string& out) {
  for (CMirt2Doc* doc : CMirt2Doc::OpenDocuments()) {
    EditBuffer& buffer = doc->GetEditBuffer();
    std::uint64_t hash = kDocReportFnvBasis;
    long long bytes = 0;
    for (EditLine* line = buffer.GetLine(1); line; line = line->next) {
      if (!line->text || line->length <= 0) continue;
      for (int i = 0; i < line->length; ++i) {
        hash ^= static_cast<unsigned char>(line->text[i]);
        hash *= kDocReportFnvPrime;
      }
      bytes += line->length;
    }
    char head[96];
    std::snprintf(head, sizeof head, "document %d %lld %016llx ", buffer.IsModified() ? 1 : 0, bytes,
                  static_cast<unsigned long long>(hash));
    out += head + std::string(static_cast<const char*>(doc->GetPathName())) + "\n";
  }
}

}  // namespace

void AddDocumentStateReport() {
  static const bool added = [] {
    mirt_ui::AddTestStateReporter(DocumentReportState);
    return true;
  }();
  (void)added;
}
