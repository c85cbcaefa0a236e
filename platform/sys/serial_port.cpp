// Serial ports over termios, with the Win32 read and write time-outs.
#include "platform/sys/serial_port.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <utility>

#include "platform/sys/errno_map.h"
#include "platform/sys/fd_wait.h"
#include "platform/sys/file.h"
#include "platform/sys/pipe_end.h"
#include "platform/sys/registry.h"
#include "platform/sys/stream_object.h"

namespace {

struct BaudEntry {
  DWORD rate;
  speed_t speed;
};
const BaudEntry kBauds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

bool SpeedOf(DWORD rate, speed_t& out) {
  for (const BaudEntry& b : kBauds)
    if (b.rate == rate) return out = b.speed, true;
  return false;
}

DWORD RateOf(speed_t speed) {
  for (const BaudEntry& b : kBauds)
    if (b.speed == speed) return b.rate;
  return 0;
}

// Devices open in this process: a port is opened once at a time, as on
// Windows (TIOCEXCL alone does not hold for a privileged process).
std::mutex g_openMutex;
std::set<std::pair<dev_t, ino_t>> g_openDevices;

class SerialPort : public plat::StreamObject {
 public:
  SerialPort(int fd, bool canRead, bool canWrite, std::pair<dev_t, ino_t> id)
      : m_fd(fd), m_canRead(canRead), m_canWrite(canWrite), m_id(id) {}
  ~SerialPort() override {
    ioctl(m_fd.fd(), TIOCNXCL);
    std::lock_guard<std::mutex> lock(g_openMutex);
    g_openDevices.erase(m_id);
  }

  BOOL Read(void* buffer, DWORD size, DWORD* done) override;
  BOOL Write(const void* data, DWORD size, DWORD* done) override;
  void Close() override { m_fd.Cancel(); }
  std::shared_ptr<plat::StreamObject> Duplicate() override {
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  int Descriptor() const override { return m_fd.fd(); }

  int fd() const { return m_fd.fd(); }
  COMMTIMEOUTS Timeouts() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_timeouts;
  }
  void SetTimeouts(const COMMTIMEOUTS& t) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_timeouts = t;
  }
  // The framing last set: a pseudo-terminal keeps no byte size or parity.
  bool Framing(DCB& out) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_hasFraming)
      out.ByteSize = m_framing.ByteSize, out.Parity = m_framing.Parity, out.StopBits = m_framing.StopBits;
    return m_hasFraming;
  }
  void SetFraming(const DCB& d) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_framing = d;
    m_hasFraming = true;
  }

 private:
  // Takes what is waiting, up to size; false on a read error.
  bool TakeAvailable(char* p, DWORD size, DWORD* done);
  BOOL Fail(plat::CancellableFd::Result r);

  plat::CancellableFd m_fd;
  bool m_canRead, m_canWrite;
  std::pair<dev_t, ino_t> m_id;
  std::mutex m_mutex;
  COMMTIMEOUTS m_timeouts{};
  DCB m_framing{};
  bool m_hasFraming = false;
};

bool SerialPort::TakeAvailable(char* p, DWORD size, DWORD* done) {
  while (*done < size) {
    ssize_t n = ::read(m_fd.fd(), p + *done, size - *done);
    if (n > 0) {
      *done += static_cast<DWORD>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EIO) return false;
    break;  // nothing more now (EIO: no one holds the other side of a pseudo-terminal)
  }
  return true;
}

BOOL SerialPort::Fail(plat::CancellableFd::Result r) {
  if (r == plat::CancellableFd::Aborted)
    SetLastError(ERROR_OPERATION_ABORTED);
  else
    plat::SetLastErrorFromErrno(errno);
  return FALSE;
}

BOOL SerialPort::Read(void* buffer, DWORD size, DWORD* done) {
  *done = 0;
  if (!m_canRead) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (size == 0) return TRUE;
  char* p = static_cast<char*>(buffer);
  COMMTIMEOUTS t = Timeouts();
  bool intervalMax = t.ReadIntervalTimeout == MAXDWORD;
  // Return at once with what is there.
  if (intervalMax && t.ReadTotalTimeoutMultiplier == 0 && t.ReadTotalTimeoutConstant == 0)
    return TakeAvailable(p, size, done) ? TRUE : Fail(plat::CancellableFd::Failed);
  // Return what is there, else wait up to the constant for the first byte.
  bool firstByteReturns = intervalMax && t.ReadTotalTimeoutMultiplier == MAXDWORD &&
                          t.ReadTotalTimeoutConstant != 0 && t.ReadTotalTimeoutConstant != MAXDWORD;
  int64_t total = -1;
  if (firstByteReturns)
    total = t.ReadTotalTimeoutConstant;
  else if (t.ReadTotalTimeoutMultiplier || t.ReadTotalTimeoutConstant)
    total = static_cast<int64_t>(t.ReadTotalTimeoutMultiplier) * size + t.ReadTotalTimeoutConstant;
  int64_t interval = (!intervalMax && t.ReadIntervalTimeout) ? t.ReadIntervalTimeout : -1;
  int64_t start = plat::MonotonicMs();
  int64_t lastByte = start;
  while (*done < size) {
    int64_t wait = -1;
    int64_t now = plat::MonotonicMs();
    if (total >= 0) wait = std::max<int64_t>(0, start + total - now);
    if (interval >= 0 && *done > 0) {
      int64_t left = std::max<int64_t>(0, lastByte + interval - now);
      wait = wait < 0 ? left : std::min(wait, left);
    }
    plat::CancellableFd::Result r = m_fd.WaitReadable(wait);
    if (r == plat::CancellableFd::TimedOut) break;
    if (r != plat::CancellableFd::Ready) return Fail(r);
    DWORD before = *done;
    if (!TakeAvailable(p, size, done)) return Fail(plat::CancellableFd::Failed);
    if (*done > before)
      lastByte = plat::MonotonicMs();
    else if (wait != 0)
      usleep(1000);  // readable but empty: the other side is closed
    if (firstByteReturns && *done > 0) break;
  }
  return TRUE;
}

BOOL SerialPort::Write(const void* data, DWORD size, DWORD* done) {
  *done = 0;
  if (!m_canWrite) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  COMMTIMEOUTS t = Timeouts();
  int64_t total = -1;
  if (t.WriteTotalTimeoutMultiplier || t.WriteTotalTimeoutConstant)
    total = static_cast<int64_t>(t.WriteTotalTimeoutMultiplier) * size + t.WriteTotalTimeoutConstant;
  int64_t start = plat::MonotonicMs();
  const char* p = static_cast<const char*>(data);
  while (*done < size) {
    int64_t wait = total < 0 ? -1 : std::max<int64_t>(0, start + total - plat::MonotonicMs());
    plat::CancellableFd::Result r = m_fd.WaitWritable(wait);
    if (r == plat::CancellableFd::TimedOut) break;
    if (r != plat::CancellableFd::Ready) return Fail(r);
    ssize_t n = plat::WriteNoSignal(m_fd.fd(), p + *done, size - *done);
    if (n < 0 && errno == EAGAIN) continue;
    if (n < 0) return Fail(plat::CancellableFd::Failed);
    *done += static_cast<DWORD>(n);
  }
  return TRUE;
}

std::shared_ptr<SerialPort> FindPort(HANDLE h) { return plat::FindHandle<SerialPort>(h); }

void MakeRaw(termios& tio) {
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
}

BOOL FailErrno() {
  plat::SetLastErrorFromErrno(errno);
  return FALSE;
}

}  // namespace

namespace plat {

bool IsComPortName(LPCSTR name) {
  if (!name) return false;
  std::string n = name;
  if (n.rfind("\\\\.\\", 0) == 0) n = n.substr(4);
  if (!n.empty() && n.back() == ':') n.pop_back();
  if (n.size() < 4 || n.size() > 8) return false;
  if (std::toupper(static_cast<unsigned char>(n[0])) != 'C' ||
      std::toupper(static_cast<unsigned char>(n[1])) != 'O' ||
      std::toupper(static_cast<unsigned char>(n[2])) != 'M')
    return false;
  for (size_t i = 3; i < n.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(n[i]))) return false;
  return n[3] != '0';
}

HANDLE OpenComPort(LPCSTR name, DWORD access, DWORD disposition) {
  if (disposition != OPEN_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  std::string port = name;
  if (!port.empty() && port.back() == ':') port.pop_back();
  std::string device = ComPortDevicePath(port);
  if (device.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  bool canRead = access & (GENERIC_READ | GENERIC_ALL);
  bool canWrite = access & (GENERIC_WRITE | GENERIC_ALL);
  int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    SetLastErrorForPath(errno, device);
    return INVALID_HANDLE_VALUE;
  }
  termios tio;
  struct stat st;
  if (tcgetattr(fd, &tio) != 0 || fstat(fd, &st) != 0) {
    SetLastErrorFromErrno(errno);
    close(fd);
    return INVALID_HANDLE_VALUE;
  }
  std::pair<dev_t, ino_t> id(st.st_rdev, st.st_ino);
  {
    std::lock_guard<std::mutex> lock(g_openMutex);
    if (!g_openDevices.insert(id).second) {
      close(fd);
      SetLastError(ERROR_ACCESS_DENIED);
      return INVALID_HANDLE_VALUE;
    }
  }
  ioctl(fd, TIOCEXCL);  // other processes stay out too
  MakeRaw(tio);
  tio.c_cflag = (tio.c_cflag & ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS)) | CS8;
  tcsetattr(fd, TCSANOW, &tio);
  return AddHandle(std::make_shared<SerialPort>(fd, canRead, canWrite, id));
}

}  // namespace plat

BOOL GetCommState(HANDLE h, LPDCB dcb) {
  auto port = FindPort(h);
  if (!port) return FALSE;
  if (!dcb) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  termios tio;
  if (tcgetattr(port->fd(), &tio) != 0) return FailErrno();
  std::memset(dcb, 0, sizeof *dcb);
  dcb->DCBlength = sizeof *dcb;
  dcb->BaudRate = RateOf(cfgetospeed(&tio));
  dcb->fBinary = 1;
  dcb->fParity = (tio.c_cflag & PARENB) ? 1 : 0;
  bool rtscts = tio.c_cflag & CRTSCTS;
  dcb->fOutxCtsFlow = rtscts;
  dcb->fRtsControl = rtscts ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
  dcb->fDtrControl = DTR_CONTROL_ENABLE;
  dcb->fOutX = (tio.c_iflag & IXON) ? 1 : 0;
  dcb->fInX = (tio.c_iflag & IXOFF) ? 1 : 0;
  switch (tio.c_cflag & CSIZE) {
    case CS5:
      dcb->ByteSize = 5;
      break;
    case CS6:
      dcb->ByteSize = 6;
      break;
    case CS7:
      dcb->ByteSize = 7;
      break;
    default:
      dcb->ByteSize = 8;
      break;
  }
  if (!(tio.c_cflag & PARENB))
    dcb->Parity = NOPARITY;
  else if (tio.c_cflag & CMSPAR)
    dcb->Parity = (tio.c_cflag & PARODD) ? MARKPARITY : SPACEPARITY;
  else
    dcb->Parity = (tio.c_cflag & PARODD) ? ODDPARITY : EVENPARITY;
  dcb->StopBits = (tio.c_cflag & CSTOPB) ? TWOSTOPBITS : ONESTOPBIT;
  if (port->Framing(*dcb)) dcb->fParity = dcb->Parity != NOPARITY;
  dcb->XonChar = static_cast<char>(tio.c_cc[VSTART]);
  dcb->XoffChar = static_cast<char>(tio.c_cc[VSTOP]);
  dcb->XonLim = 2048;
  dcb->XoffLim = 512;
  return TRUE;
}

BOOL SetCommState(HANDLE h, LPDCB dcb) {
  auto port = FindPort(h);
  if (!port) return FALSE;
  speed_t speed;
  if (!dcb || !SpeedOf(dcb->BaudRate, speed) || dcb->ByteSize < 5 || dcb->ByteSize > 8 ||
      dcb->Parity > SPACEPARITY || dcb->StopBits > TWOSTOPBITS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  termios tio;
  if (tcgetattr(port->fd(), &tio) != 0) return FailErrno();
  MakeRaw(tio);
  cfsetispeed(&tio, speed);
  cfsetospeed(&tio, speed);
  static const tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
  tio.c_cflag =
      (tio.c_cflag & ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS)) | kSizes[dcb->ByteSize - 5];
  switch (dcb->Parity) {
    case ODDPARITY:
      tio.c_cflag |= PARENB | PARODD;
      break;
    case EVENPARITY:
      tio.c_cflag |= PARENB;
      break;
    case MARKPARITY:
      tio.c_cflag |= PARENB | PARODD | CMSPAR;
      break;
    case SPACEPARITY:
      tio.c_cflag |= PARENB | CMSPAR;
      break;
    default:
      break;
  }
  if (dcb->StopBits != ONESTOPBIT) tio.c_cflag |= CSTOPB;  // 1.5 is taken as 2
  if (dcb->fOutxCtsFlow || dcb->fRtsControl == RTS_CONTROL_HANDSHAKE) tio.c_cflag |= CRTSCTS;
  tio.c_iflag &= ~(IXON | IXOFF);
  if (dcb->fOutX) tio.c_iflag |= IXON;
  if (dcb->fInX) tio.c_iflag |= IXOFF;
  if (dcb->XonChar) tio.c_cc[VSTART] = static_cast<cc_t>(dcb->XonChar);
  if (dcb->XoffChar) tio.c_cc[VSTOP] = static_cast<cc_t>(dcb->XoffChar);
  if (tcsetattr(port->fd(), TCSANOW, &tio) != 0) return FailErrno();
  port->SetFraming(*dcb);
  return TRUE;
}

BOOL GetCommTimeouts(HANDLE h, LPCOMMTIMEOUTS t) {
  auto port = FindPort(h);
  if (!port) return FALSE;
  if (!t) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *t = port->Timeouts();
  return TRUE;
}

BOOL SetCommTimeouts(HANDLE h, LPCOMMTIMEOUTS t) {
  auto port = FindPort(h);
  if (!port) return FALSE;
  if (!t) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  port->SetTimeouts(*t);
  return TRUE;
}

BOOL SetupComm(HANDLE h, DWORD, DWORD) { return FindPort(h) ? TRUE : FALSE; }

BOOL PurgeComm(HANDLE h, DWORD flags) {
  auto port = FindPort(h);
  if (!port) return FALSE;
  bool rx = flags & (PURGE_RXCLEAR | PURGE_RXABORT), tx = flags & (PURGE_TXCLEAR | PURGE_TXABORT);
  if ((rx || tx) && tcflush(port->fd(), rx && tx ? TCIOFLUSH : rx ? TCIFLUSH : TCOFLUSH) != 0)
    return FailErrno();
  return TRUE;
}

BOOL ClearCommError(HANDLE h, LPDWORD errors, LPCOMSTAT stat) {
  auto port = FindPort(h);
  if (!port) return FALSE;
  if (errors) *errors = 0;
  if (stat) {
    std::memset(stat, 0, sizeof *stat);
    int in = 0, out = 0;
    if (ioctl(port->fd(), FIONREAD, &in) == 0 && in > 0) stat->cbInQue = static_cast<DWORD>(in);
    if (ioctl(port->fd(), TIOCOUTQ, &out) == 0 && out > 0) stat->cbOutQue = static_cast<DWORD>(out);
  }
  return TRUE;
}

BOOL EscapeCommFunction(HANDLE h, DWORD func) {
  auto port = FindPort(h);
  if (!port) return FALSE;
  int fd = port->fd();
  int bits = 0, r = 0;
  switch (func) {
    case SETRTS:
      bits = TIOCM_RTS;
      r = ioctl(fd, TIOCMBIS, &bits);
      break;
    case CLRRTS:
      bits = TIOCM_RTS;
      r = ioctl(fd, TIOCMBIC, &bits);
      break;
    case SETDTR:
      bits = TIOCM_DTR;
      r = ioctl(fd, TIOCMBIS, &bits);
      break;
    case CLRDTR:
      bits = TIOCM_DTR;
      r = ioctl(fd, TIOCMBIC, &bits);
      break;
    case SETBREAK:
      r = ioctl(fd, TIOCSBRK);
      break;
    case CLRBREAK:
      r = ioctl(fd, TIOCCBRK);
      break;
    case SETXOFF:
      r = tcflow(fd, TCIOFF);
      break;
    case SETXON:
      r = tcflow(fd, TCION);
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
  }
  if (r != 0 && (errno == ENOTTY || errno == EINVAL)) return TRUE;  // no modem lines here
  return r == 0 ? TRUE : FailErrno();
}
