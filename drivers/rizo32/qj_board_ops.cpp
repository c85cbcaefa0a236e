// QJ driver: board start, reset and selection, errors and service requests.
#include "drivers/rizo32/rizo32.h"

#include <cstring>
#include <filesystem>
#include <fnmatch.h>

#include "drivers/sim/program_image.h"
#include "drivers/sim/simulator.h"

namespace sim::qj {

namespace {

// The generation of a start or reset call must match the board's type.
bool GenerationMismatch(DriverCall& c, const Board& b, int generation) {
  int boardGen = b.type == kTypeKoraDesk2 ? 2 : b.type;
  if (boardGen == generation) return false;
  c.Fail(err::kClassParam, generation == 2 ? err::kDeskOnTessera : err::kTesseraOnDesk);
  return true;
}

Board* Addressed(DriverCall& c, uint16_t board) {
  Board* b = c.sim().FindBoard(board);
  if (!b || !b->IsQj()) {
    c.Fail(err::kClassParam, err::kCardInvalid);
    return nullptr;
  }
  if (!b->reacting) {
    c.Fail(err::kClassLink, err::kNotReacting);
    return nullptr;
  }
  return b;
}

int16_t Start(const char* name, int gen, uint16_t board, QjCallback cb, uint16_t timeout) {
  DriverCall c(name, FormatArgs(board, (void*)cb, timeout));
  if (c.Faulted()) return c.Result(int16_t(c.Code()));
  if (cb) c.sim().SetErrorCallback(cb);
  Board* b = Addressed(c, board);
  if (!b || GenerationMismatch(c, *b, gen)) return c.Result(int16_t(c.Code()));
  c.sim().Select(board);
  if (!b->osRunning) return c.Result(int16_t(c.Fail(err::kClassOs, err::kMiniOsInactive)));
  return c.Result(int16_t(0));
}

// The operating system file: "ROM" or none for the built-in one, else a
// file name or a pattern (* and ?) in a folder.
bool FindOsFile(const char* osName, std::string* found) {
  if (!osName || !*osName || std::string(osName) == "ROM") {
    *found = "ROM";
    return true;
  }
  std::filesystem::path p(HostPath(osName));
  std::error_code ec;
  std::string pattern = p.filename().string();
  if (pattern.find_first_of("*?") == std::string::npos) {
    *found = p.string();
    return std::filesystem::is_regular_file(p, ec);
  }
  auto dir = p.parent_path().empty() ? std::filesystem::path(".") : p.parent_path();
  for (auto& e : std::filesystem::directory_iterator(dir, ec)) {
    if (!e.is_regular_file(ec)) continue;
    if (fnmatch(pattern.c_str(), e.path().filename().c_str(), FNM_CASEFOLD) == 0) {
      *found = e.path().string();
      return true;
    }
  }
  return false;
}

int16_t Reset(const char* name, int gen, uint16_t board, QjCallback cb, const char* osName,
              uint16_t timeout) {
  DriverCall c(name, FormatArgs(board, (void*)cb, osName, timeout));
  if (c.Faulted()) return c.Result(int16_t(c.Code()));
  if (cb) c.sim().SetErrorCallback(cb);
  Board* b = Addressed(c, board);
  if (!b || GenerationMismatch(c, *b, gen)) return c.Result(int16_t(c.Code()));
  c.sim().Select(board);
  std::string os;
  if (!FindOsFile(osName, &os)) return c.Result(int16_t(c.Fail(err::kClassOs, err::kRamOsNotFound)));
  c.sim().Channels().CloseBoard(board);
  b->PowerOn();
  b->osName = os;
  return c.Result(int16_t(0));
}

}  // namespace

extern "C" {  // the exported functions

int16_t qj2_start(uint16_t b, uint16_t, uint16_t, uint16_t, uint16_t, QJ_CALLBACK cb, uint16_t t) {
  return Start("qj2_start", 2, b, cb, t);
}
int16_t qj6_start(uint16_t b, uint16_t, uint16_t, uint16_t, uint16_t, QJ_CALLBACK cb, uint16_t t) {
  return Start("qj6_start", 6, b, cb, t);
}
int16_t qj7_start(uint16_t b, uint16_t, uint16_t, uint16_t, uint16_t, QJ_CALLBACK cb, uint16_t t) {
  return Start("qj7_start", 7, b, cb, t);
}
int16_t qj8_start(uint16_t b, uint16_t, uint16_t, uint16_t, uint16_t, QJ_CALLBACK cb, uint16_t t) {
  return Start("qj8_start", 8, b, cb, t);
}
int16_t qj2_reset(uint16_t b, uint16_t, uint16_t, uint16_t, uint16_t, QJ_CALLBACK cb, const char* os,
                  uint16_t t) {
  return Reset("qj2_reset", 2, b, cb, os, t);
}
int16_t qj6_reset(uint16_t b, uint16_t, uint16_t, uint16_t, uint16_t, QJ_CALLBACK cb, const char* os,
                  uint16_t t) {
  return Reset("qj6_reset", 6, b, cb, os, t);
}
int16_t qj7_reset(uint16_t b, uint16_t, uint16_t, uint16_t, uint16_t, QJ_CALLBACK cb, const char* os,
                  uint16_t t) {
  return Reset("qj7_reset", 7, b, cb, os, t);
}
int16_t qj8_reset(uint16_t b, uint16_t, uint16_t, uint16_t, uint16_t, QJ_CALLBACK cb, const char* os,
                  uint16_t t) {
  return Reset("qj8_reset", 8, b, cb, os, t);
}

int16_t qj8_bib_startup(uint16_t flags) {
  DriverCall c("qj8_bib_startup", FormatArgs(flags));
  return c.Result(int16_t(c.Faulted() ? c.Code() : 0));
}

int16_t qj8_get_config(uint16_t board, void* record) {
  DriverCall c("qj8_get_config", FormatArgs(board, record));
  if (c.Faulted() || !record) return c.Result(int16_t(0));
  Board* b = c.sim().FindBoard(board);
  if (!b || !b->IsQj()) return c.Result(int16_t(0));
  auto* r = static_cast<uint8_t*>(record);
  uint32_t size;
  std::memcpy(&size, r, 4);
  if (size < 24) return c.Result(int16_t(0));
  auto put16 = [&](size_t at, uint16_t v) { std::memcpy(r + at, &v, 2); };
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(r + at, &v, 4); };
  put32(4, board);
  put32(8, 0);
  put16(12, b->type);
  put16(14, 0);
  put16(16, b->ioAddress);
  put16(18, b->interfaceCode);
  put16(20, b->irq);
  return c.Result(int16_t(1));
}

int16_t qj8_select_card(uint16_t board) {
  DriverCall c("qj8_select_card", FormatArgs(board));
  if (c.Faulted()) return c.Result(int16_t(c.Code()));
  if (!Addressed(c, board)) return c.Result(int16_t(c.Code()));
  c.sim().Select(board);
  return c.Result(int16_t(0));
}

uint16_t qj8_reacting(void) {
  DriverCall c("qj8_reacting", "");
  Board* b = c.sim().CurrentBoard();
  return c.Result(uint16_t(!c.Faulted() && b && b->reacting ? 1 : 0));
}

int16_t qj8_type_check(void) {
  DriverCall c("qj8_type_check", "");
  if (c.Faulted() || c.sim().TypeCheckFails()) return c.Result(int16_t(0));
  Board* b = c.Served();
  return c.Result(int16_t(b && b->type != kTypeKoraDesk2 ? 1 : 0));
}

int16_t qj2_card_check(uint16_t* a, uint16_t* kind, uint16_t* serialKind) {
  DriverCall c("qj2_card_check", FormatArgs(a, kind, serialKind));
  if (c.Faulted()) return c.Result(int16_t(c.Code()));
  Board* b = c.Served();
  if (!b) return c.Result(int16_t(c.Code()));
  if (b->type != kTypeKoraDesk2) return c.Result(int16_t(c.Fail(err::kClassParam, err::kTesseraOnDesk)));
  if (a) *a = 1;
  if (kind) *kind = 0;
  if (serialKind) *serialKind = 1;
  return c.Result(int16_t(0));
}

void qj8_set_macro_interruptible(uint16_t on) { DriverCall c("qj8_set_macro_interruptible", FormatArgs(on)); }

void qj8_get_error_class_and_code(uint8_t* errorClass, uint8_t* errorCode) {
  DriverCall c("qj8_get_error_class_and_code", FormatArgs(errorClass, errorCode), DriverCall::Info);
  if (errorClass) *errorClass = c.sim().ErrorClass();
  if (errorCode) *errorCode = c.sim().ErrorCode();
  c.Result(c.sim().ErrorClass() << 8 | c.sim().ErrorCode());
}

int16_t qj8_get_error_info(void* record) {
  DriverCall c("qj8_get_error_info", FormatArgs(record), DriverCall::Info);
  if (record) {
    auto* r = static_cast<uint8_t*>(record);
    std::memset(r, 0, 220);
    r[9] = c.sim().ErrorClass();
    r[10] = c.sim().ErrorCode();
    uint16_t m = c.sim().Message();
    std::memcpy(r + 12, &m, 2);
  }
  return c.Result(int16_t(0));
}

void qj8_clear_error(void) {
  DriverCall c("qj8_clear_error", "", DriverCall::Info);
  c.sim().ClearError();
}

void qj8_clear(void) {
  DriverCall c("qj8_clear", "", DriverCall::Info);
  c.sim().ClearMessage();
}

uint16_t qj8_get_message(void) {
  DriverCall c("qj8_get_message", "", DriverCall::Info);
  return c.Result(c.sim().Message());
}

uint16_t mdd8_get_diagnosis(void) {
  DriverCall c("mdd8_get_diagnosis", "", DriverCall::Info);
  return c.Result(c.sim().Diagnosis());
}

QJ_CALLBACK qj8_set_error_handling(QJ_CALLBACK cb) {
  DriverCall c("qj8_set_error_handling", FormatArgs((void*)cb), DriverCall::Info);
  return c.sim().SetErrorCallback(cb);
}

}  // extern "C"

}  // namespace sim::qj
