// The interpreter's texts for driver errors. Each error is reported once:
// the driver's pending error is cleared when its text is built.
#include "a_qjx/ins_interpreter.h"

#include "drivers/dovi32/dovi32.h"
#include "drivers/rizo32/rizo32.h"
#include "ytn1/ytn1.h"

namespace {

constexpr BYTE kClassServiceRequest = 5;
constexpr int kMessageSize = 80;
constexpr int kZorMessageSize = 512;

CString WithClassAndCode(const CString& message, BYTE errorClass, BYTE errorCode) {
  CString suffix;
  suffix.Format("Error Class: %hX hex\r\nError Code: %hX hex", (unsigned short)errorClass,
                (unsigned short)errorCode);
  return message + "\r\n" + suffix;
}

CString ClassMessage(BYTE errorClass, BYTE errorCode) {
  char message[kMessageSize] = {};
  GetErrorMessage(message, errorClass, errorCode);
  return message;
}

}  // namespace

CString InsInterpreter::QjErrorText() {
  BYTE cls = 0, code = 0;
  qj8_get_error_class_and_code(&cls, &code);
  CString message;
  if (cls == kClassServiceRequest) {
    WORD m = qj8_get_message();
    message.Format("Error Request from Vantor\r\nLow Byte: %hu\r\nHigh Byte: %hu", (unsigned short)(m & 0xFF),
                   (unsigned short)(m >> 8));
  } else {
    message = ClassMessage(cls, code);
  }
  qj8_clear_error();
  g_driverErrorRequest = 0;
  errorCode = DriverCode(WORD(code << 8 | cls));
  return WithClassAndCode(message, cls, code);
}

CString InsInterpreter::QjDriverErrorText(WORD error) {
  const BYTE cls = BYTE(error >> 8), code = BYTE(error & 0xFF);
  CString text = WithClassAndCode(ClassMessage(cls, code), cls, code);
  qj8_clear_error();
  g_driverErrorRequest = 0;
  errorCode = DriverCode(WORD(code << 8 | cls));
  return text;
}

CString InsInterpreter::ZorErrorText(WORD error) {
  char buffer[kZorMessageSize] = {};
  uint16_t severity = 0;
  zor_get_error_message(error, &severity, buffer);
  buffer[kZorMessageSize - 1] = '\0';
  CString message = buffer[0] ? buffer : "---";
  CString text;
  text.Format("%s\r\nError code: %hXh", (LPCTSTR)message, (unsigned short)error);
  zor_clear_error();
  errorCode = DriverCode(error);
  return text;
}
