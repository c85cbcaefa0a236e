#include "drivers/sim/port_model.h"

#include "drivers/sim/simulator.h"

namespace sim {

namespace {

constexpr uint16_t kPicMaster = 0, kPicSlave = 8, kOcw3ReadIrr = 10, kOcw3ReadIsr = 11;
constexpr uint16_t kDeskTrigger = 133, kTriggerArm = 85, kTriggerFire = 84;
constexpr uint16_t kDeskSerialCtrl = 14, kDeskSerialOut = 15, kDeskSerialIn = 6, kDeskSerialStatus = 7;

}  // namespace

void WriteBoardPort(Simulator& s, Board& b, uint16_t port, uint8_t v) {
  if (port == kPicMaster || port == kPicSlave) {
    int pic = port == kPicSlave;
    if (v == kOcw3ReadIrr)
      b.readIrr[pic] = true;
    else if (v == kOcw3ReadIsr)
      b.readIrr[pic] = false;
    return;
  }
  if (port == kPicMaster + 1 || port == kPicSlave + 1) {
    b.imr[port == kPicSlave + 1] = v;
    return;
  }
  if (port == kDeskTrigger && b.type == kTypeKoraDesk2) {
    if ((v >> 4) == 4 && (b.lastTrigger >> 4) == 6 && (v & 15) == (b.irq & 15) &&
        (b.lastTrigger & 15) == (b.irq & 15))
      ++b.interruptCount;
    b.lastTrigger = v;
    return;
  }
  if (port == kTriggerFire && b.type != kTypeKoraDesk2) {
    if (b.lastTrigger == kTriggerArm) ++b.interruptCount;
    b.lastTrigger = 0;
    return;
  }
  if (port == kTriggerArm && b.type != kTypeKoraDesk2) {
    b.lastTrigger = kTriggerArm;
    return;
  }
  if (b.type == kTypeKoraDesk2 && port == kDeskSerialOut) {
    SerialLine& line = b.serial[1];
    line.sent.push_back(v);
    for (uint8_t x : s.SerialPeer(b.number, 1, v)) line.rx.push_back(x);
    return;
  }
  b.ports[port] = v;
}

uint8_t ReadBoardPort(Board& b, uint16_t port) {
  if (port == kPicMaster || port == kPicSlave) {
    int pic = port == kPicSlave;
    return b.readIrr[pic] ? b.irr[pic] : 0;
  }
  if (port == kPicMaster + 1 || port == kPicSlave + 1) return b.imr[port == kPicSlave + 1];
  if (b.type == kTypeKoraDesk2 && port == kDeskSerialIn) {
    SerialLine& line = b.serial[1];
    if (line.rx.empty()) return 0;
    uint8_t x = line.rx.front();
    line.rx.pop_front();
    return x;
  }
  if (b.type == kTypeKoraDesk2 && port == kDeskSerialStatus)
    return uint8_t(0x08 | (b.serial[1].rx.empty() ? 0x04 : 0));
  auto it = b.ports.find(port);
  return it == b.ports.end() ? 0xFF : it->second;
}

}  // namespace sim
