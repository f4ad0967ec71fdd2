#include "platform/module_handle.h"

#include <atomic>

namespace {
// Written by the entry routine before any host call, read everywhere after.
std::atomic<void*> storedHandle{nullptr};
}  // namespace

void setModuleHandle(void* handle) { storedHandle.store(handle, std::memory_order_release); }
void* moduleHandle() { return storedHandle.load(std::memory_order_acquire); }
