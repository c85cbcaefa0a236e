// Exports of the support library ytn1 (plain C names, as other programs
// bind them by name).
#pragma once
#include "platform/base/windef.h"

#ifdef __cplusplus
extern "C" {
#endif

// Registry settings, folders, time-out and user mode.
int WINAPI CreateReg(LPCSTR subKey, HKEY* key);
int WINAPI ReadRegDword(HKEY key, LPCSTR name, DWORD* value);
int WINAPI WriteRegDword(HKEY key, LPCSTR name, DWORD value);
int WINAPI ReadRegString(HKEY key, LPCSTR name, LPSTR text);
int WINAPI WriteRegString(HKEY key, LPCSTR name, LPCSTR text);
LPSTR WINAPI GetYtn32Path(LPSTR dest);
LPSTR WINAPI GetMddPath(LPSTR dest);
LPSTR WINAPI GetInsPath(LPSTR dest);
LONG WINAPI SetYtn32Path(LPCSTR folder);
LONG WINAPI SetMddPath(LPCSTR folder);
LONG WINAPI SetInsPath(LPCSTR folder);
WORD WINAPI GetTRailTimeout(void);
WORD WINAPI SetTRailTimeout(WORD timeout);
WORD WINAPI GetUserMode(void);
WORD WINAPI SetUserMode(WORD mode);

// Driver errors, service requests and the trace.
typedef void(WINAPI* YTN_SRQ_FUNCTION)(DWORD message, LONG id);
void WINAPI Ytn32ErrorHandler(void);
WORD WINAPI GetErrorHandler(LPCSTR caption, DWORD unused1, DWORD unused2);
WORD WINAPI Qj8EndAccess(DWORD unused, LPCSTR caption);
void WINAPI GetErrorMessage(LPSTR buffer, DWORD errorClass, DWORD errorCode);
WORD WINAPI TraceError(LPCSTR first, int number, LPCSTR second, DWORD code);
// Opens a new Address Converter window; the arguments are not used. Always 0.
DWORD WINAPI SegmentOffset(DWORD, DWORD, DWORD, DWORD);
LONG WINAPI SetYtnSrqFunction(YTN_SRQ_FUNCTION callback, WORD srqNumber);
LONG WINAPI ClearYtnSrqFunction(LONG id);
void WINAPI Ytn32SrqHandler(void);

// Bit fields.
WORD WINAPI BITxy(WORD value, int first, int last);
BYTE WINAPI ucBITxy(BYTE value, BYTE first, BYTE last);
WORD WINAPI usBITxy(WORD value, BYTE first, BYTE last);
DWORD WINAPI ulBITxy(DWORD value, BYTE first, BYTE last);
void WINAPI ucxyBIT(BYTE* variable, BYTE first, BYTE last, BYTE value);
void WINAPI usxyBIT(WORD* variable, BYTE first, BYTE last, WORD value);
void WINAPI ulxyBIT(DWORD* variable, BYTE first, BYTE last, DWORD value);

// Converter values and texts.
void WINAPI ADValueToString(LPSTR buffer, LONG raw, WORD format, WORD range, WORD bits);
LONG WINAPI StringToDAValue(LPCSTR text, WORD format, WORD range, BYTE bits);
WORD WINAPI GetRangeString(WORD range, LPSTR buffer);
WORD WINAPI GetDataSizeUnit(double size, LPSTR buffer);

// EEPROM value files, help and folders.
WORD WINAPI SaveEepromValues(WORD count, const WORD* words, LPCSTR header, LPCSTR unused, LPSTR path);
WORD WINAPI LoadEepromValues(WORD count, WORD* words, LPCSTR header, LPCSTR unused, LPSTR path);
WORD WINAPI ShowHelpFile(LPCSTR file, LPCSTR topic, DWORD unused);
LONG WINAPI Ytn1CopyDirectory(LPCSTR source, LPCSTR destination);
LONG WINAPI Ytn1RemoveDirectory(LPCSTR folder);

#ifdef __cplusplus
}
#endif
