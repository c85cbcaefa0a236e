// QJ driver: channels of the board-side Module Device Driver.
#include "drivers/rizo32/rizo32.h"

#include <cstring>

#include "drivers/sim/simulator.h"
#include "drivers/sim/task_installer.h"

namespace sim::qj {

namespace {

constexpr uint8_t kServiceMissing = 0x44;

Channel* ChannelOf(DriverCall& c, uint32_t handle, Board** board) {
  if (c.Faulted()) return nullptr;
  Channel* ch = c.sim().Channels().Find(handle);
  Board* b = ch ? c.sim().FindBoard(ch->board) : nullptr;
  if (!ch || !b) {
    c.Fail(err::kClassMdd, err::kHandleInvalid);
    return nullptr;
  }
  if (!b->reacting) {
    c.Fail(err::kClassLink, err::kNotReacting);
    return nullptr;
  }
  if (board) *board = b;
  return ch;
}

bool KnownType(uint16_t type) {
  return type == kChannelLed || type == kChannelTimer || type == kChannelTime || type == kChannelDate ||
         type == kChannelSerial;
}

// Serial channel unit m serves line m + 1 (A = 1, B = 2).
uint16_t LineOf(const Channel& ch) { return uint16_t(ch.unit() + 1); }

constexpr uint32_t kSecondsPerDay = 24 * 3600;

uint32_t SecondsOf(uint32_t timeWord) {
  return (timeWord >> 24) * 3600 + ((timeWord >> 16) & 0xFF) * 60 + ((timeWord >> 8) & 0xFF);
}

}  // namespace

extern "C" {  // the exported functions

uint32_t mdd8_open_channel(uint16_t mddTask, uint16_t blockSize, const void* block) {
  DriverCall c("mdd8_open_channel", FormatArgs(mddTask, blockSize, block));
  Board* b = c.Faulted() ? nullptr : c.Served();
  if (!b) return c.Result(uint32_t(0));
  if (mddTask > 1023 || (mddTask != 0 && b->tasks[mddTask].program != kProgramMdd)) {
    c.Fail(err::kClassMdd, err::kMddNotInstalled);
    return c.Result(uint32_t(0));
  }
  Channel ch;
  ch.board = b->number;
  ch.mddTask = mddTask;
  if (block && blockSize >= 2) {
    ch.block.resize(blockSize / 2);
    std::memcpy(ch.block.data(), block, ch.block.size() * 2);
  }
  if (!KnownType(ch.type())) {
    c.Fail(err::kClassMdd, kServiceMissing);
    return c.Result(uint32_t(0));
  }
  return c.Result(c.sim().Channels().Open(ch));
}

int16_t mdd8_close_channel(uint32_t handle) {
  DriverCall c("mdd8_close_channel", FormatArgs(handle));
  if (!ChannelOf(c, handle, nullptr)) return c.Result(int16_t(c.Code()));
  c.sim().Channels().Close(handle);
  return c.Result(int16_t(0));
}

int16_t mdd8_check_handle_valid(uint32_t handle) {
  DriverCall c("mdd8_check_handle_valid", FormatArgs(handle), DriverCall::Info);
  return c.Result(int16_t(c.sim().Channels().Find(handle) ? 1 : 0));
}

int16_t mdd8_write_channel_byte(uint32_t handle, uint8_t value) {
  DriverCall c("mdd8_write_channel_byte", FormatArgs(handle, value));
  Board* b = nullptr;
  Channel* ch = ChannelOf(c, handle, &b);
  if (!ch) return c.Result(int16_t(c.Code()));
  ch->lastByte = value;
  if (ch->type() == kChannelLed) {
    b->leds[ch->unit()] = value;
  } else if (ch->type() == kChannelSerial) {
    SerialLine& line = b->serial[LineOf(*ch)];
    line.sent.push_back(value);
    for (uint8_t x : c.sim().SerialPeer(b->number, LineOf(*ch), value)) line.rx.push_back(x);
  }
  return c.Result(int16_t(0));
}

uint8_t mdd8_read_channel_byte(uint32_t handle) {
  DriverCall c("mdd8_read_channel_byte", FormatArgs(handle));
  Board* b = nullptr;
  Channel* ch = ChannelOf(c, handle, &b);
  if (!ch) return c.Result(uint8_t(0));
  if (ch->type() != kChannelSerial) return c.Result(ch->lastByte);
  SerialLine& line = b->serial[LineOf(*ch)];
  if (line.rx.empty()) return c.Result(uint8_t(0));
  uint8_t x = line.rx.front();
  line.rx.pop_front();
  return c.Result(x);
}

int16_t mdd8_write_channel_dword(uint32_t handle, uint32_t value) {
  DriverCall c("mdd8_write_channel_dword", FormatArgs(handle, value));
  Board* b = nullptr;
  Channel* ch = ChannelOf(c, handle, &b);
  if (!ch) return c.Result(int16_t(c.Code()));
  uint64_t now = c.sim().Clock().NowMs();
  if (ch->type() == kChannelTime) {
    b->clockTime = value & 0xFFFFFF00;
    b->clockBaseMs = now;
  } else if (ch->type() == kChannelDate) {
    b->clockDate = value;
  } else {
    ch->dword = value;
  }
  return c.Result(int16_t(0));
}

uint32_t mdd8_read_channel_dword(uint32_t handle) {
  DriverCall c("mdd8_read_channel_dword", FormatArgs(handle));
  Board* b = nullptr;
  Channel* ch = ChannelOf(c, handle, &b);
  if (!ch) return c.Result(uint32_t(0));
  if (ch->type() == kChannelTime) {
    uint64_t elapsed = (c.sim().Clock().NowMs() - b->clockBaseMs) / 1000;
    uint32_t s = uint32_t((SecondsOf(b->clockTime) + elapsed) % kSecondsPerDay);
    return c.Result(uint32_t((s / 3600) << 24 | (s / 60 % 60) << 16 | (s % 60) << 8));
  }
  if (ch->type() == kChannelDate) return c.Result(b->clockDate);
  return c.Result(ch->dword);
}

int16_t mdd8_send_channel_command(uint32_t handle, uint16_t command) {
  DriverCall c("mdd8_send_channel_command", FormatArgs(handle, command));
  Channel* ch = ChannelOf(c, handle, nullptr);
  if (!ch) return c.Result(int16_t(c.Code()));
  ch->commands.push_back(command);
  if (ch->type() == kChannelTimer && command == kTimerStart) {
    ch->running = true;
    ch->startedMs = c.sim().Clock().NowMs();
  } else if (ch->type() == kChannelTimer && command == kTimerStop) {
    ch->running = false;
  }
  return c.Result(int16_t(0));
}

uint32_t mdd8_get_channel_info(uint32_t handle, uint16_t index) {
  DriverCall c("mdd8_get_channel_info", FormatArgs(handle, index));
  Board* b = nullptr;
  Channel* ch = ChannelOf(c, handle, &b);
  if (!ch) return c.Result(uint32_t(0));
  if (ch->type() == kChannelSerial && index == kInfoSerialState) {
    const SerialLine& line = b->serial[LineOf(*ch)];
    return c.Result(uint32_t((line.transmitterBusy ? 0 : 0x02) | (line.rx.empty() ? 0 : 0x01)));
  }
  return c.Result(uint32_t(0));
}

}  // extern "C"

}  // namespace sim::qj
