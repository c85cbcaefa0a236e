#include "ytn1/error_texts.h"

#include <cstdio>

namespace ytn1 {

namespace {

struct CodeText {
  BYTE code;
  const char* text;
};

struct ClassTable {
  const CodeText* entries;
  size_t count;
  const char* unknown;
};

constexpr const char* kUnknownCode = "The error code is unknown";
constexpr const char* kUnknownClass = "Error class is unknown";

const CodeText kClass0[] = {
    {0x00, "No error"},
    {0x01, "TBF error: TBF did not become low while trying to send"},
    {0x02, "RBF error: RBF did not become high while trying to receive"},
    {0x03, "Plausibility checking failed"},
    {0x04, "DLP timeout at the beginning of a macro command"},
    {0x05, "RBF error: RBF was high at the beginning of a macro command"},
    {0x06, "DLM could not be set low"},
    {0x07, "DLM could not be set high"},
    {0x08, "DLP could not be set low"},
    {0x09, "DLP could not be set high"},
    {0x0B, "Reset error: TBF stayed high after a hard-reset"},
    {0x0E, "Reset error: TBF stayed low after a hard-reset"},
    {0x0F, "DLP was high while trying to receive"},
    {0x10, "DLP was high while trying to send"},
    {0x12, "Board does not react"},
    {0x13, "RBF was not high when a hardware interrupt occured"},
    {0x14, "TBF was high when a hardware interrupt occured"},
    {0x15, "Error when sending the first word of a macro command"},
    {0x16, "Serial communication error"},
};

const CodeText kClass1[] = {
    {0x00, "No error"},
    {0x01, "MINI operating system is not active"},
    {0x02, "ROM operating system could not be activated"},
    {0x03, "RAM operating system file not found"},
    {0x04, "RAM operating system file: reading error"},
    {0x05, "RAM operating system file: error during opening/closing"},
    {0x06, "RAM operating system could not be activated"},
    {0x11, "Program file not found"},
    {0x12, "Memory allocation error on the board"},
    {0x13, "Not enough memory on the board"},
    {0x14, "Program file: reading error"},
    {0x15, "Program file: error during opening/closing"},
    {0x16, "Wrong linker signature"},
    {0x17, "Board cannot be initialized"},
    {0x18, "Debug table cannot be created"},
    {0x20, "No module found"},
    {0x21, "Module does not need any initialization"},
    {0x22, "Module was not initialized because of the EEPROM configuration"},
    {0x23, "Initialization routine is not implemented"},
    {0x40, "Boot error: address cannot be set"},
    {0x41, "Boot error: access mode 'WORD' is not possible"},
    {0x42, "Boot error: wrong access mode"},
    {0x43, "Boot error: unknown error in access mode"},
    {0x44, "Boot error: error when writing/starting the Vantor"},
    {0x45, "Boot error: error when resetting the instruction pointer"},
};

const CodeText kClass2[] = {
    {0x00, "No error"},
    {0x01, "Card number is invalid"},
    {0x02, "Base address is invalid"},
    {0x03, "Operating mode is invalid"},
    {0x04, "Interrupt channel is invalid"},
    {0x05, "DMA Channel is invalid"},
    {0x06, "The library has not been initialized"},
    {0x07, "Program type and installation flags do not agree"},
    {0x10, "Invalid parameter (date/time)"},
    {0x11, "Data return length is greater than allowed"},
    {0x19, "Parameter number for EEPROM is invalid"},
    {0x20, "A library function was called before calling 'qjx_bib_startup'"},
    {0x21, "Call of a TESSERA-4 function for a Kora-DESK/2 board"},
    {0x22, "Call of a Kora-DESK/2 function for a TESSERA-4 board"},
    {0x23, "Call of a function that is not implemented"},
    {0x24, "Call of a function that is not supported by Kora-DESK/2a"},
    {0x25, "Call of a function that is not supported by Kora-DESK/2d"},
    {0x26, "Parameter #1 is wrong"},
    {0x27, "Parameter #2 is wrong"},
    {0x28, "Parameter #3 is wrong"},
    {0x29, "No support by selected card"},
    {0x30, "Maximum macro command length has exceeded"},
    {0x31, "Maximum macro command return length has exceeded"},
    {0x32, "Data length has been exceeded (send)"},
    {0x33, "Data length has been exceeded (receive)"},
    {0x36, "Macro command is unknown"},
    {0x40, "'qjx_call_func': 'outsize' is invalid"},
    {0x41, "'qjx_call_func': 'insize' is invalid"},
    {0x42, "'qjx_call_func': function of a task does not exist"},
    {0x43, "'qjx_call_func': DDT not created"},
    {0x44, "'qjx_call_func': unknown error"},
    {0x80, "Attention: The year 2080 will be returned as 80"},
};

const CodeText kClass4[] = {
    {0x00, "No error"},
    {0x01, "TBF error: TBF did not become low while trying to send"},
    {0x02, "RBF error: RBF did not become high while trying to receive"},
    {0x03, "Plausibility checking failed"},
    {0x0E, "Service request without RBF"},
    {0x0F, "Service request without DLP"},
    {0x10, "Recursive call of the service routine"},
    {0x11, "Message overflow in the service routine"},
    {0x12, "No DLP reset in service routine"},
};

const CodeText kClass6[] = {
    {0x00, "No error"},
    {0x01, "The card number is invalid"},
    {0x02, "Address conflict or defective board"},
    {0x03, "TBF error: TBF did not become low while trying to send"},
    {0x04, "RBF error: RBF did not become high while trying to receive"},
    {0x05, "Device can not be generated"},
    {0x06, "The library has not been initialized"},
    {0x07, "The channel number is invalid"},
    {0x08, "Kora-DESK/2a board does not have single-ended inputs"},
    {0x09, "An incorrect analog input channel number was specified"},
    {0x0A, "An incorrect analog output channel number was specified"},
    {0x0B, "An incorrect number was specified for a digital input"},
    {0x0C, "An incorrect number was specified for a digital output"},
    {0x0D, "An incorrect number was specified for a differential input"},
    {0x0E, "'qj2_get_data' cannot be used for the specified channel"},
    {0x0F, "'qj2_set_data' cannot be used for the specified channel"},
    {0x12, "The specified voltage range cannot be set"},
    {0x13, "Kora-DESK/2d: The range for differential inputs must be +/-10V"},
    {0x14, "Kora-DESK/2a: The range for differential inputs must be +/-5V"},
    {0x15, "Kora-DESK/2d: The range for single-ended inputs must be +/-10V"},
    {0x16, "Kora-DESK/2a: The range for analog outputs must be +/-5V"},
    {0x17, "Kora-DESK/2d: The range for analog outputs must be +/-10V"},
    {0x18, "Unknown version number"},
    {0x19, "The specified mask flag cannot be used"},
    {0x1A, "'qj2_get_device_state' cannot be used for the specified channel"},
    {0x1B, "A timeout occured while measurement with 'autowait'"},
    {0x1C, "Timer B overflow"},
    {0x1D, "The hardware is used by another channel"},
    {0x1E, "No valid measurement result is ready yet"},
    {0x1F, "The hardware for the channel has not been reserved yet"},
    {0x20, "Handle is invalid"},
};

const CodeText kClass7[] = {
    {0x00, "No error"},
    {0x01, "System error occured. The code of 'GetLastError()' is in <Struct>.System.error"},
    {0x02, "Error in driver"},
};

const CodeText kClass8[] = {
    {0x01, "Driver could not be opened"},
    {0x02, "Wrong return length"},
    {0x03, "SRQ thread could not be created"},
    {0x04, "SRQ event could not be activated"},
    {0x05, "SRQ hold request could not be installed"},
    {0x06, "SRQ thread: priority could not be increased"},
    {0x07, "User service thread could not be activated"},
    {0x08, "SRQ synchronisation: event could not be opened"},
    {0x09, "SRQ synchronisation: event could not be set"},
    {0x0A, "SRQ synchronisation: event could not be reset"},
    {0x0B, "Process buffer could not be allocated"},
    {0x0C, "Process buffer could not be freed"},
    {0x0D, "Process could not be connected"},
    {0x0E, "SRQ thread could not be stopped"},
    {0x10, "Wrong parameter when reading/writing"},
    {0x11, "Wrong parameter when reading"},
    {0x12, "Wrong parameter when writing"},
    {0x13, "Parameter could not be written"},
    {0x14, "Parameter type is wrong"},
    {0x15, "Process ID is invalid"},
    {0x16, "Protocol buffer could not be read"},
    {0x17, "Card number is invalid or card is not installed"},
    {0x18, "Unexpected service request"},
    {0x19, "Exclusive access denied"},
    {0x1A, "Card locked - access denied"},
    {0x1B, "Interface could not be cleared"},
    {0x1C, "Access to IO port denied"},
    {0x1D, "Service request cancelled"},
    {0xFF, "General driver failure"},
};

const CodeText kClass11[] = {
    {0x00, "No Error"},
    {0x01, "Newer Vantor version necessary"},
    {0x40, "Handle invalid"},
    {0x41, "Used Data Type is wrong"},
    {0x42, "Error in MDD Service (Diagnosis possible)"},
    {0x43, "Error in Channel Service (Diagnosis possible)"},
    {0x44, "Service not available"},
    {0x45, "MDD not installed"},
    {0x47, "MDD not started (Diagnosis possible)"},
};

const CodeText kClass12[] = {
    {0x00, "No Error"},
    {0x84, "Soft-State wrong or another Command is not finished yet"},
    {0x85, "Used Flash-Eprom is not supported"},
    {0x86, "Service is wrong"},
    {0x87, "No Flash-Eprom (cause EEPROM)"},
    {0x88, "Slot or IC Number is wrong"},
    {0x89, "Parameter is not aligned"},
    {0x8A, "Address is wrong"},
    {0x8B, "Flash-Eprom is not erased"},
    {0x8C, "Flash-Eprom is not programmable/eraseable (Timeout)"},
};

template <size_t N>
constexpr ClassTable Table(const CodeText (&t)[N], const char* unknown) {
  return {t, N, unknown};
}

const ClassTable kClasses[] = {
    Table(kClass0, kUnknownCode),
    Table(kClass1, "The errorcode is unknown"),
    Table(kClass2, kUnknownCode),
    {nullptr, 0, kUnknownClass},
    Table(kClass4, kUnknownCode),
    {nullptr, 0, "The error code is invalid; please use 'qjx_get_message'"},
    Table(kClass6, kUnknownCode),
    Table(kClass7, kUnknownCode),
    Table(kClass8, kUnknownCode),
    {nullptr, 0, kUnknownClass},
    {nullptr, 0, kUnknownClass},
    Table(kClass11, "The Error Code is unknown"),
    Table(kClass12, "The Error Code is unknown"),
};

struct WordText {
  WORD word;
  const char* text;
};

const WordText kDiagnoses[] = {
    {0x0, "No error occured"},
    {0x1, "Called without any effect"},
    {0x201, "Wrong number of data inputs"},
    {0x202, "Number of data inputs too high"},
    {0x203, "Number of data inputs too low"},
    {0x211, "Wrong number of data outputs"},
    {0x212, "Number of data outputs too high"},
    {0x213, "Number of data outputs too low"},
    {0x221, "Driver service is locked"},
    {0x321, "Range crossed over"},
    {0x322, "Range crossed under"},
    {0x323, "Data is not possible"},
    {0x324, "Reached end of data area"},
    {0x331, "Missing string termination"},
    {0x401, "Not enough memory"},
    {0x411, "Data buffer is empty"},
    {0x412, "Data buffer is full"},
    {0x501, "Hardware conflict (unknown device)"},
    {0x502, "Timeout error"},
    {0x503, "Data lost"},
    {0x504, "EEPROM value out of range"},
    {0x511, "Device not available"},
    {0x512, "Device already in use"},
    {0x531, "Channel not found"},
    {0x541, "Specified infotext not available"},
    {0x551, "No buffer for caption reserved"},
    {0x561, "CPS is not supported"},
    {0x601, "Error when setting the real time clock"},
    {0x602, "Error when reading the real time clock"},
    {0x603, "Error when writing to EEPROM"},
    {0x604, "Error when reading from EEPROM"},
    {0xFFFF, "Diagnosis is invalid"},
};

const char* const kTaskRanges[] = {"000h - 0ffh", "100h - 1ffh", "200h - 2ffh", "300h - 3ffh"};

// Descriptions of the SRQ codes from 0xC0 on that do not name task ranges.
const CodeText kSrqTexts[] = {
    {0xC4, "SRQ from operating system"},
    {0xC5, "SRQ from other host"},
    {0xD0, "PC: Warning from command, executed"},
    {0xD1, "PC: Warning from command, executed"},
    {0xD2, "Command completely scanned, but not executed"},
    {0xD3, "Command completely scanned, but not executed"},
    {0xD4, "Warning: not sent"},
    {0xD7, "Warning from operating system"},
    {0xDF, "Unexecpted TRAP, FAULT, INT, corrected"},
    {0xE0, "Error at subroutine"},
    {0xE1, "Error at device access"},
    {0xE2, "Error at host communication"},
    {0xE3, "PC: Error at command"},
    {0xE4, "PC: Error at command"},
    {0xE5, "PC: unknown command"},
    {0xE6, "PC: Receive timeout"},
    {0xE7, "PC: Send timeout"},
    {0xF9, "Error from PREPARE"},
    {0xFA, "Unexpected TRAP, FAULT, INT"},
    {0xFB, "System crash"},
    {0xFD, "Hardwarew failure on module"},
    {0xFE, "Hardware failure on base board"},
    {0xFF, "CPU hardware failure"},
};

// SRQ codes whose four values name the task range of their low two bits.
struct RangeGroup {
  BYTE first;
  const char* prefix;
};
const RangeGroup kRangeGroups[] = {
    {0xC0, "SRQ from task: Task-no. "},      {0xD8, "Warning from task: Task-no. "},
    {0xE8, "Task deactivated: Task-no. "},   {0xEC, "Task crash: Task-no. "},
    {0xF0, "System crash: Cause task-no. "},
};

std::string SrqDescription(BYTE low, BYTE high) {
  for (const RangeGroup& g : kRangeGroups)
    if (low >= g.first && low < g.first + 4) return std::string(g.prefix) + kTaskRanges[low - g.first];
  if (low == 0xCF) {
    switch (high) {
      case 0x10:
        return "Board has been reseted (software reset)";
      case 0x11:
        return "Board has been reseted (hardware reset)";
      case 0x01:
        return "SRQ buffer overrun warning";
      default:
        return "";
    }
  }
  for (const CodeText& t : kSrqTexts)
    if (t.code == low) return t.text;
  return "";
}

}  // namespace

const char* GetErrorClassText(BYTE errorClass, BYTE errorCode) {
  if (errorClass >= sizeof kClasses / sizeof kClasses[0]) return kUnknownClass;
  const ClassTable& t = kClasses[errorClass];
  for (size_t i = 0; i < t.count; ++i)
    if (t.entries[i].code == errorCode) return t.entries[i].text;
  return t.unknown;
}

const char* GetDiagnosisText(WORD diagnosis) {
  if ((diagnosis >> 8) == 1) return "Wrong parameter (offset = Low-Byte of diagnosis word)";
  for (const WordText& d : kDiagnoses)
    if (d.word == diagnosis) return d.text;
  return "Diagnosis is unknown";
}

std::string GetSrqText(BYTE low, BYTE high) {
  char header[40];
  std::snprintf(header, sizeof header, "Error Request: %hX%hX hex\n", (unsigned short)high,
                (unsigned short)low);
  return header + SrqDescription(low, high);
}

}  // namespace ytn1
