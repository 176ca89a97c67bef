#include "system/file_faults.h"

#include <utility>

namespace tolvanex::io {

namespace {

FaultHook& Hook() {
  static FaultHook hook;
  return hook;
}

}  // namespace

void SetFaultHook(FaultHook hook) {
  Hook() = std::move(hook);
}

void ResetFaultHook() {
  Hook() = nullptr;
}

Fault FaultFor(FileOperation operation, const std::string& path, std::size_t size) {
  const FaultHook& hook = Hook();
  return hook ? hook(operation, path, size) : Fault{};
}

void FailIfFaulty(FileOperation operation, const std::string& path, std::size_t size) {
  if (int error = FaultFor(operation, path, size).Error; error != 0) ThrowSystemError(error);
}

}  // namespace tolvanex::io
