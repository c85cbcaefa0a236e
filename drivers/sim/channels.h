// Channels of the board-side Module Device Driver: LEDs (type 0x402),
// timers (0x501), real-time clock time and date (0x701, 0x702) and serial
// lines (0x801), each opened with a block of 16-bit words.
#pragma once
#include <cstdint>
#include <map>
#include <vector>

namespace sim {

constexpr uint16_t kChannelLed = 0x402, kChannelTimer = 0x501, kChannelTime = 0x701, kChannelDate = 0x702,
                   kChannelSerial = 0x801;
constexpr uint16_t kTimerStart = 166, kTimerStop = 167, kInfoSerialState = 72;

struct Channel {
  uint16_t board = 0;
  uint16_t mddTask = 0;
  std::vector<uint16_t> block;  // the open block's words
  uint16_t type() const { return block.empty() ? 0 : block[0]; }
  uint16_t unit() const { return block.size() > 1 ? block[1] : 0; }
  uint16_t setting() const { return block.size() > 8 ? block[8] : 0; }
  uint8_t lastByte = 0;  // LED state, last byte written
  uint32_t dword = 0;    // timer interval
  bool running = false;  // timer started
  uint64_t startedMs = 0;
  std::vector<uint16_t> commands;
};

class ChannelTable {
 public:
  uint32_t Open(Channel c);
  bool Close(uint32_t handle);
  Channel* Find(uint32_t handle);
  const std::map<uint32_t, Channel>& All() const { return channels_; }
  void CloseBoard(uint16_t board);
  void Clear() { channels_.clear(); }

 private:
  std::map<uint32_t, Channel> channels_;
  uint32_t next_ = 0x1001;
};

}  // namespace sim
