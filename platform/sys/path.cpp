#include "platform/sys/path.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace plat {

std::string NormalizeSeparators(std::string_view path) {
  std::string s(path);
  for (char& c : s)
    if (c == '\\') c = '/';
  return s;
}

bool SameFilePath(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i] == '\\' ? '/' : a[i];
    char y = b[i] == '\\' ? '/' : b[i];
    if (x != y) return false;
  }
  return true;
}

bool IsAbsolutePath(std::string_view path) { return !path.empty() && (path[0] == '/' || path[0] == '\\'); }

static size_t LastSeparator(std::string_view path) { return path.find_last_of("/\\"); }

bool HasDirectoryPart(std::string_view path) { return LastSeparator(path) != std::string_view::npos; }

std::string DirectoryPart(std::string_view path) {
  size_t slash = LastSeparator(path);
  if (slash == std::string_view::npos) return "";
  size_t end = slash;
  while (end > 0 && (path[end - 1] == '/' || path[end - 1] == '\\')) --end;
  if (end == 0) return "/";
  return NormalizeSeparators(path.substr(0, end));
}

std::string FileNamePart(std::string_view path) {
  size_t slash = LastSeparator(path);
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ExtensionPart(std::string_view path) {
  std::string name = FileNamePart(path);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? "" : name.substr(dot);
}

std::string FileTitlePart(std::string_view path) {
  std::string name = FileNamePart(path);
  size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  if (dir.empty() || IsAbsolutePath(name)) return NormalizeSeparators(name);
  std::string out = NormalizeSeparators(dir);
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  if (out != "/") out += '/';
  size_t skip = 0;
  while (skip < name.size() && (name[skip] == '/' || name[skip] == '\\')) ++skip;
  return out + NormalizeSeparators(name.substr(skip));
}

std::string CleanPath(std::string_view path) {
  std::string norm = NormalizeSeparators(path);
  bool absolute = !norm.empty() && norm[0] == '/';
  std::vector<std::string> parts;
  size_t pos = 0;
  while (pos <= norm.size()) {
    size_t next = norm.find('/', pos);
    if (next == std::string::npos) next = norm.size();
    std::string part = norm.substr(pos, next - pos);
    if (part == "..") {
      if (!parts.empty() && parts.back() != "..")
        parts.pop_back();
      else if (!absolute)
        parts.push_back(part);
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    pos = next + 1;
  }
  std::string out = absolute ? "/" : "";
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += '/';
    out += parts[i];
  }
  if (out.empty()) out = ".";
  return out;
}

std::string AbsolutePath(std::string_view path) {
  if (IsAbsolutePath(path)) return CleanPath(path);
  std::error_code ec;
  std::string cwd = std::filesystem::current_path(ec).string();
  return CleanPath(JoinPath(cwd, path));
}

std::string ProgramPath() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}

std::string ProgramDir() { return DirectoryPart(ProgramPath()); }

std::string HomeDir() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/";
}

std::string SettingsDir() {
  const char* dir = std::getenv("MIRT_CONFIG_DIR");
  std::string path = (dir && *dir) ? NormalizeSeparators(dir) : JoinPath(HomeDir(), ".config/mirt2");
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  return path;
}

bool FileExists(std::string_view path) {
  struct stat st;
  return stat(NormalizeSeparators(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(std::string_view path) {
  struct stat st;
  return stat(NormalizeSeparators(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace plat
