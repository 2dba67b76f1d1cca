#include "host_lock.h"

#include <mutex>

namespace qx71::host {

HostLock::HostLock() : impl_(new std::mutex) {}
HostLock::~HostLock() { delete static_cast<std::mutex*>(impl_); }
void HostLock::lock() { static_cast<std::mutex*>(impl_)->lock(); }
void HostLock::unlock() { static_cast<std::mutex*>(impl_)->unlock(); }

}  // namespace qx71::host
