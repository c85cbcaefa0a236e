// Kernel objects that WaitForSingleObject and WaitForMultipleObjects wait
// on (threads, events, processes). One lock and one condition serve them
// all, so waits on several objects at once stay exact.
#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/sys/kernel_object.h"

namespace plat {

std::mutex& WaitMutex();
std::condition_variable& WaitCondition();

class Waitable : public KernelObject {
 public:
  // Both are called with WaitMutex held.
  virtual bool Signalled() const = 0;
  virtual void Consume() {}
};

}  // namespace plat
