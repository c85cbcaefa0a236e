#include "drivers/sim/program_image.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "drivers/sim/mz_image.h"

namespace sim {

std::string HostPath(const std::string& path) {
  std::string p = path;
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

namespace {

void ReadDescriptor(const std::string& text, ProgramImage* img) {
  std::istringstream in(text);
  std::string line;
  std::getline(in, line);  // magic
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string k = line.substr(0, eq), v = line.substr(eq + 1);
    unsigned long n = std::strtoul(v.c_str(), nullptr, k == "program" ? 16 : 10);
    if (k == "role")
      img->role = v;
    else if (k == "program")
      img->program = uint16_t(n);
    else if (k == "procedures")
      img->procedures = uint16_t(n);
    else if (k == "params")
      img->paramSize = uint32_t(n);
    else if (k == "data")
      img->dataSize = uint32_t(n);
    else if (k == "processor")
      img->processor = uint8_t(n);
    else if (k == "language")
      img->language = uint8_t(n);
    else if (k == "type")
      img->programType = uint8_t(n);
  }
}

void SetDosStamp(const std::string& path, ProgramImage* img) {
  std::error_code ec;
  auto ft = std::filesystem::last_write_time(path, ec);
  if (ec) return;
  auto sys = std::chrono::file_clock::to_sys(ft);
  std::time_t t = std::chrono::system_clock::to_time_t(sys);
  std::tm tm{};
  localtime_r(&t, &tm);
  img->dosDate = uint16_t((tm.tm_year - 80) << 9 | (tm.tm_mon + 1) << 5 | tm.tm_mday);
  img->dosTime = uint16_t(tm.tm_hour << 11 | tm.tm_min << 5 | tm.tm_sec / 2);
}

}  // namespace

ImageStatus LoadProgramImage(const std::string& path, ProgramImage* out) {
  std::string host = HostPath(path);
  std::error_code ec;
  if (host.empty() || !std::filesystem::is_regular_file(host, ec)) return ImageStatus::NotFound;
  std::ifstream f(host, std::ios::binary);
  if (!f) return ImageStatus::ReadError;
  std::ostringstream s;
  s << f.rdbuf();
  std::string text = s.str();
  if (text.empty()) return ImageStatus::ReadError;
  ProgramImage img;
  img.bytes.assign(text.begin(), text.end());
  if (text.rfind("KALVEN-SIM-PROGRAM", 0) == 0)
    ReadDescriptor(text, &img);
  else if (text.size() >= 2 && text[0] == 'M' && text[1] == 'Z')
    img.executable = true;
  // A broken executable is not loaded.
  MzImage mz;
  if (img.executable && !ParseMz(img.bytes.data(), img.bytes.size(), &mz)) return ImageStatus::ReadError;
  SetDosStamp(host, &img);
  *out = std::move(img);
  return ImageStatus::Ok;
}

}  // namespace sim
