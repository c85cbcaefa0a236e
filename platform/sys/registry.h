// The registry: a store of keys and typed values with the Win32 Reg*
// functions and their result codes. Each root key is kept in one text file
// in the registry-export format ("REGEDIT4") in the settings folder
// ($MIRT_CONFIG_DIR, else ~/.config/mirt2): "HKEY_CURRENT_USER.reg" and so
// on. Every change is written at once (atomically) unless a
// plat::RegistryWriteBatch is alive. Names are compared without letter case
// and keep the case they were created with; subkeys enumerate sorted by
// name, values in the order they were first set. All functions are
// thread-safe.
#pragma once

#include <string>
#include <string_view>

#include "platform/base/windef.h"
#include "platform/base/winerror.h"
#include "platform/sys/security.h"
#include "platform/sys/time.h"

typedef ACCESS_MASK REGSAM;
typedef LONG LSTATUS;

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define HKEY_USERS ((HKEY)(ULONG_PTR)((LONG)0x80000003))
#define HKEY_PERFORMANCE_DATA ((HKEY)(ULONG_PTR)((LONG)0x80000004))
#define HKEY_CURRENT_CONFIG ((HKEY)(ULONG_PTR)((LONG)0x80000005))
#define HKEY_DYN_DATA ((HKEY)(ULONG_PTR)((LONG)0x80000006))

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_LITTLE_ENDIAN 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_QWORD 11

#define DELETE 0x00010000L
#define READ_CONTROL 0x00020000L
#define WRITE_DAC 0x00040000L
#define WRITE_OWNER 0x00080000L
#define SYNCHRONIZE 0x00100000L
#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ 0x20019
#define KEY_EXECUTE 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

#define REG_OPTION_RESERVED 0x0000
#define REG_OPTION_NON_VOLATILE 0x0000
#define REG_OPTION_VOLATILE 0x0001
#define REG_OPTION_CREATE_LINK 0x0002
#define REG_OPTION_BACKUP_RESTORE 0x0004
#define REG_OPTION_OPEN_LINK 0x0008

#define REG_CREATED_NEW_KEY 0x0001
#define REG_OPENED_EXISTING_KEY 0x0002

#define REG_WHOLE_HIVE_VOLATILE 0x0001
#define REG_REFRESH_HIVE 0x0002
#define REG_NO_LAZY_FLUSH 0x0004
#define REG_FORCE_RESTORE 0x0008

#define REG_NOTIFY_CHANGE_NAME 0x0001
#define REG_NOTIFY_CHANGE_ATTRIBUTES 0x0002
#define REG_NOTIFY_CHANGE_LAST_SET 0x0004
#define REG_NOTIFY_CHANGE_SECURITY 0x0008

LONG RegOpenKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
LONG RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired, PHKEY phkResult);
LONG RegCreateKey(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
LONG RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                    REGSAM samDesired, LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                    LPDWORD lpdwDisposition);
LONG RegCloseKey(HKEY hKey);

LONG RegQueryValue(HKEY hKey, LPCSTR lpSubKey, LPSTR lpData, PLONG lpcbData);
LONG RegQueryValueEx(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                     LPDWORD lpcbData);
LONG RegSetValue(HKEY hKey, LPCSTR lpSubKey, DWORD dwType, LPCSTR lpData, DWORD cbData);
LONG RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType, const BYTE* lpData,
                   DWORD cbData);

// Fails with ERROR_ACCESS_DENIED on a key that has subkeys, as on Windows.
LONG RegDeleteKey(HKEY hKey, LPCSTR lpSubKey);
LONG RegDeleteValue(HKEY hKey, LPCSTR lpValueName);

LONG RegEnumKey(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName);
LONG RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD lpReserved,
                  LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime);
LONG RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                  LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);
LONG RegQueryInfoKey(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved, LPDWORD lpcSubKeys,
                     LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                     LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor,
                     PFILETIME lpftLastWriteTime);

// Writes the key's root file (or loaded hive file) now.
LONG RegFlushKey(HKEY hKey);

// Hive files use the same text format. RegSaveKey refuses an existing file
// (ERROR_ALREADY_EXISTS). RegLoadKey mounts a hive as a subkey of
// HKEY_LOCAL_MACHINE or HKEY_USERS; its changes go back to its own file.
LONG RegSaveKey(HKEY hKey, LPCSTR lpFile, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
LONG RegLoadKey(HKEY hKey, LPCSTR lpSubKey, LPCSTR lpFile);
LONG RegUnLoadKey(HKEY hKey, LPCSTR lpSubKey);
// Replaces the key's values and subkeys with those of the hive file.
LONG RegRestoreKey(HKEY hKey, LPCSTR lpFile, DWORD dwFlags);
// Not offered: ERROR_CALL_NOT_IMPLEMENTED.
LONG RegReplaceKey(HKEY hKey, LPCSTR lpSubKey, LPCSTR lpNewFile, LPCSTR lpOldFile);
LONG RegNotifyChangeKeyValue(HKEY hKey, BOOL bWatchSubtree, DWORD dwNotifyFilter, HANDLE hEvent,
                             BOOL fAsynchronous);

// Only the local machine: a NULL or empty name gives the predefined key
// itself; any other name fails with ERROR_BAD_NETPATH.
LONG RegConnectRegistry(LPCSTR lpMachineName, HKEY hKey, PHKEY phkResult);

// Keys carry no security descriptors: ERROR_CALL_NOT_IMPLEMENTED.
LONG RegGetKeySecurity(HKEY hKey, SECURITY_INFORMATION SecurityInformation,
                       PSECURITY_DESCRIPTOR pSecurityDescriptor, LPDWORD lpcbSecurityDescriptor);
LONG RegSetKeySecurity(HKEY hKey, SECURITY_INFORMATION SecurityInformation,
                       PSECURITY_DESCRIPTOR pSecurityDescriptor);

namespace plat {

// While an object of this class lives, changes are kept in memory; the
// files are written when the last batch ends (or by RegFlushKey).
class RegistryWriteBatch {
 public:
  RegistryWriteBatch();
  ~RegistryWriteBatch();
  RegistryWriteBatch(const RegistryWriteBatch&) = delete;
  RegistryWriteBatch& operator=(const RegistryWriteBatch&) = delete;
};

// Writes every changed file now; false when one could not be written.
bool FlushRegistry();

// Forgets the store in memory (after writing what changed), so that the
// next call reads the files again from the settings folder as it is now.
// Open key handles become invalid. For tests and after outside edits.
void ReloadRegistry();

// Fills HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM from the serial
// devices in devDir (ttyS*, ttyUSB*, ttyACM*): "\Device\Serial0" = "COM1"
// and so on. Done with "/dev" when the store is first read. The HARDWARE
// key is volatile: never written to the file.
void RefreshSerialCommKey(const std::string& devDir = "/dev");

// The device path of a port name such as "COM3" (also "\\.\COM3"): the
// value of that name under HKEY_LOCAL_MACHINE\SOFTWARE\mirt2\Ports when
// set (tests map ports to pseudo-terminals there), else the device found
// for the port in SERIALCOMM; "" when the port is unknown. A name that is
// already a path ("/dev/...") is returned as given.
std::string ComPortDevicePath(std::string_view portName);

}  // namespace plat
