// A plain mutual-exclusion lock for host-side bookkeeping. The MinGW toolchains use the
// win32 thread model, which has no std::mutex, so the lock is implemented per platform
// (a critical section on Windows, std::mutex elsewhere). Usable with std::lock_guard.
#pragma once

namespace qx71::host {

class HostLock {
public:
    HostLock();
    ~HostLock();
    HostLock(const HostLock&) = delete;
    HostLock& operator=(const HostLock&) = delete;

    void lock();
    void unlock();

private:
    void* impl_;
};

}  // namespace qx71::host
