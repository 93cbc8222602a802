#include "core/temporary_files.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

namespace relakin {
namespace {

// A save has one temporary file in flight and a run two or three; the rest is room for
// threads that write at the same time.
constexpr int kSlots = 64;
constexpr std::size_t kPathBytes = 4096;

enum SlotState : int { kFree, kFilling, kHeld, kRemoving };

struct Slot {
  std::atomic<int> state{kFree};
  char path[kPathBytes];
  std::atomic<int> restoreFd{-1};
  std::atomic<std::int64_t> restoreSize{0};
};
static_assert(std::atomic<int>::is_always_lock_free, "the handler may not wait for a lock");
static_assert(std::atomic<std::int64_t>::is_always_lock_free,
              "the handler may not wait for a lock");

Slot slots[kSlots];

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Removes every registered file; the slots stay claimed, as the process is ending.
void RemoveRegisteredTemporaries() {
  for (Slot& slot : slots) {
    int expected = kHeld;
    // Claimed first: no thread may reuse the slot while its path is read.
    if (!slot.state.compare_exchange_strong(expected, kRemoving, std::memory_order_acq_rel))
      continue;
    unlink(slot.path);
    const int fd = slot.restoreFd.load(std::memory_order_acquire);
    if (fd >= 0) ftruncate(fd, static_cast<off_t>(slot.restoreSize.load()));
  }
}

extern "C" void RemoveTemporariesAndEnd(int sig) {
  const int saved = errno;
  RemoveRegisteredTemporaries();
  // The handler was reset to the default action on entry (SA_RESETHAND); the signal raised
  // again is delivered as soon as this handler returns.
  raise(sig);
  errno = saved;
}

}  // namespace

int RegisterTemporary(std::string_view path) {
  std::string absolute(path);
  if (!absolute.empty() && absolute.front() != '/') {
    std::error_code ec;
    const std::filesystem::path made = std::filesystem::absolute(absolute, ec);
    if (ec) return -1;
    absolute = made.string();
  }
  if (absolute.empty() || absolute.size() >= kPathBytes) return -1;
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!slots[i].state.compare_exchange_strong(expected, kFilling, std::memory_order_acquire))
      continue;
    std::memcpy(slots[i].path, absolute.data(), absolute.size());
    slots[i].path[absolute.size()] = '\0';
    slots[i].restoreFd.store(-1, std::memory_order_relaxed);
    slots[i].state.store(kHeld, std::memory_order_release);
    return i;
  }
  return -1;
}

bool ForgetTemporary(int slot) {
  if (slot < 0 || slot >= kSlots) return true;
  int expected = kHeld;
  return slots[slot].state.compare_exchange_strong(expected, kFree, std::memory_order_acq_rel) ||
         expected != kRemoving;
}

void RestoreSizeOnSignal(int slot, int fd, std::int64_t size) {
  if (slot < 0 || slot >= kSlots) return;
  slots[slot].restoreSize.store(size, std::memory_order_relaxed);
  slots[slot].restoreFd.store(fd, std::memory_order_release);
}

void InstallTemporaryCleanup() {
  for (const int sig : kSignals) {
    struct sigaction old {};
    if (sigaction(sig, nullptr, &old) != 0) continue;
    const bool plain = (old.sa_flags & SA_SIGINFO) == 0;
    if (!plain || old.sa_handler != SIG_DFL) continue;
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndEnd;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    // One cleanup at a time, whichever of the signals comes.
    for (const int other : kSignals) sigaddset(&action.sa_mask, other);
    sigaction(sig, &action, nullptr);
  }
}

}  // namespace relakin
