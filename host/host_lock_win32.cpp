#include "host_lock.h"

#include <windows.h>

namespace qx71::host {

namespace {
CRITICAL_SECTION* section(void* impl) { return static_cast<CRITICAL_SECTION*>(impl); }
}  // namespace

HostLock::HostLock() : impl_(new CRITICAL_SECTION) { InitializeCriticalSection(section(impl_)); }

HostLock::~HostLock() {
    DeleteCriticalSection(section(impl_));
    delete section(impl_);
}

void HostLock::lock() { EnterCriticalSection(section(impl_)); }
void HostLock::unlock() { LeaveCriticalSection(section(impl_)); }

}  // namespace qx71::host
