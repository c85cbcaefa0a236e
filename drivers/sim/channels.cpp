#include "drivers/sim/channels.h"

namespace sim {

uint32_t ChannelTable::Open(Channel c) {
  uint32_t h = next_++;
  channels_[h] = std::move(c);
  return h;
}

bool ChannelTable::Close(uint32_t handle) { return channels_.erase(handle) != 0; }

Channel* ChannelTable::Find(uint32_t handle) {
  auto it = channels_.find(handle);
  return it == channels_.end() ? nullptr : &it->second;
}

void ChannelTable::CloseBoard(uint16_t board) {
  for (auto it = channels_.begin(); it != channels_.end();)
    it = it->second.board == board ? channels_.erase(it) : std::next(it);
}

}  // namespace sim
