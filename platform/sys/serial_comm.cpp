// The serial ports of the machine in the registry, and port names mapped
// to device paths.
#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sys/ini_document.h"
#include "platform/sys/path.h"
#include "platform/sys/registry.h"

namespace {

const char kSerialCommKey[] = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
const char kPortsKey[] = "SOFTWARE\\mirt2\\Ports";

// Device name prefix on this machine and the name Windows drivers use.
struct Family {
  const char* device;
  const char* value;
  int width;  // digits in the value name
};
const Family kFamilies[] = {
    {"ttyS", "\\Device\\Serial", 0},
    {"ttyUSB", "\\Device\\USBSER", 3},
    {"ttyACM", "\\Device\\USBACM", 3},
};

struct Device {
  const Family* family;
  int number;
};

// "ttyUSB12" -> family ttyUSB, 12.
bool ParseDevice(const std::string& name, Device& out) {
  for (const Family& f : kFamilies) {
    size_t len = std::strlen(f.device);
    if (name.compare(0, len, f.device) != 0 || name.size() == len || name.size() > len + 4) continue;
    if (!std::all_of(name.begin() + static_cast<long>(len), name.end(), ::isdigit)) continue;
    out = {&f, std::stoi(name.substr(len))};
    return true;
  }
  return false;
}

std::string ValueName(const Device& d) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s%0*d", d.family->value, d.family->width, d.number);
  return buf;
}

std::vector<Device> ScanDevices(const std::string& devDir) {
  std::vector<Device> found;
  if (DIR* dir = opendir(devDir.c_str())) {
    while (dirent* e = readdir(dir)) {
      Device d;
      if (ParseDevice(e->d_name, d)) found.push_back(d);
    }
    closedir(dir);
  }
  std::sort(found.begin(), found.end(), [](const Device& a, const Device& b) {
    return a.family != b.family ? a.family < b.family : a.number < b.number;
  });
  return found;
}

std::string ReadString(HKEY key, const std::string& name) {
  DWORD type = 0, size = 0;
  if (RegQueryValueEx(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
    return "";
  std::string data(size, '\0');
  if (RegQueryValueEx(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return "";
  data.resize(size);
  while (!data.empty() && data.back() == '\0') data.pop_back();
  return data;
}

// The /dev path of a SERIALCOMM value name, "" when it is not one of ours.
std::string DevicePathOf(const std::string& valueName) {
  for (const Family& f : kFamilies) {
    size_t len = std::strlen(f.value);
    if (valueName.size() <= len || !plat::EqualNoCase(valueName.substr(0, len), f.value)) continue;
    std::string digits = valueName.substr(len);
    if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(), ::isdigit)) continue;
    return std::string("/dev/") + f.device + std::to_string(std::stoi(digits));
  }
  return "";
}

}  // namespace

namespace plat {

void RefreshSerialCommKey(const std::string& devDir) {
  HKEY hardware;
  if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, "HARDWARE", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                     &hardware, nullptr) != ERROR_SUCCESS)
    return;
  RegCloseKey(hardware);
  HKEY key;
  if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, kSerialCommKey, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                     nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  // Start empty: ports that went away must not linger.
  char name[256];
  for (;;) {
    DWORD len = sizeof name;
    if (RegEnumValue(key, 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    RegDeleteValue(key, name);
  }
  std::vector<Device> devices = ScanDevices(devDir);
  int nextCom = 1;
  for (const Device& d : devices)
    if (d.family == &kFamilies[0]) nextCom = std::max(nextCom, d.number + 2);
  for (const Device& d : devices) {
    int com = d.family == &kFamilies[0] ? d.number + 1 : nextCom++;
    std::string port = "COM" + std::to_string(com);
    RegSetValueEx(key, ValueName(d).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(port.c_str()),
                  static_cast<DWORD>(port.size() + 1));
  }
  RegCloseKey(key);
}

std::string ComPortDevicePath(std::string_view portName) {
  std::string port(portName);
  if (port.rfind("\\\\.\\", 0) == 0) port = port.substr(4);
  if (port.find('/') != std::string::npos) return port;
  HKEY key;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kPortsKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    std::string mapped = ReadString(key, port);
    RegCloseKey(key);
    if (!mapped.empty()) return NormalizeSeparators(mapped);
  }
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kSerialCommKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "";
  std::string result;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD len = sizeof name;
    if (RegEnumValue(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (EqualNoCase(ReadString(key, name), port)) {
      result = DevicePathOf(name);
      break;
    }
  }
  RegCloseKey(key);
  return result;
}

}  // namespace plat
