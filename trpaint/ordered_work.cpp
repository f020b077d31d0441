#include "ordered_work.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// The helper computes at most this many pieces beyond the last one handed
// over, so that what waits to be handed over stays small however slowly
// it is taken.
constexpr size_t kAhead = 1024;

// The work of one call, shared by both threads. Each I is claimed by one
// thread, which computes it and marks it done.
class TOrderedWork {
 public:
  TOrderedWork(size_t Count, const std::function<void(size_t)>& Compute)
      : Count_(Count), Compute_(Compute), Done_(Count), Failures_(Count) {}

  // Computes the next I that nobody has claimed; false when none is left.
  bool ComputeNext() {
    const size_t i = Next_.fetch_add(1);
    if (i >= Count_) return false;
    try {
      Compute_(i);
    } catch (...) {
      Failures_[i] = std::current_exception();
    }
    {
      const std::lock_guard lock(Mutex_);
      Done_[i].store(true, std::memory_order_release);
    }
    Changed_.notify_all();
    return true;
  }

  // Waits until I is done, computing others meanwhile, and throws what its
  // computing threw.
  void AwaitDone(size_t I) {
    while (!Done_[I].load(std::memory_order_acquire)) {
      if (ComputeNext()) continue;
      std::unique_lock lock(Mutex_);
      Changed_.wait(lock, [&] { return Done_[I].load(); });
    }
    if (Failures_[I]) std::rethrow_exception(Failures_[I]);
  }

  // The helper's part: computes what nobody has claimed. Once kAhead
  // pieces beyond what is handed over are claimed, it waits until half of
  // them are handed over: so it is woken seldom.
  void Help() {
    for (;;) {
      if (Next_.load() >= Handed_.load() + kAhead) {
        std::unique_lock lock(Mutex_);
        HelperWaits_.store(true);
        Changed_.wait(lock, [&] { return MayGoOn(); });
        HelperWaits_.store(false);
      }
      if (!ComputeNext()) return;
    }
  }

  // I has been handed over.
  void Handed(size_t I) {
    Handed_.store(I + 1);
    if (HelperWaits_.load() && MayGoOn()) Wake();
  }

  // Leaves nothing more to claim.
  void Stop() {
    Next_.store(Count_);
    Wake();
  }

 private:
  bool MayGoOn() const {
    const size_t next = Next_.load();
    return next >= Count_ || next < Handed_.load() + kAhead / 2;
  }

  // Taking the lock first, a waiter cannot miss the call between testing
  // what it waits for and going to sleep.
  void Wake() {
    { const std::lock_guard lock(Mutex_); }
    Changed_.notify_all();
  }

  const size_t Count_;
  const std::function<void(size_t)>& Compute_;

  std::atomic<size_t> Next_{0};
  std::atomic<size_t> Handed_{0};
  std::atomic<bool> HelperWaits_{false};
  std::vector<std::atomic<bool>> Done_;
  std::vector<std::exception_ptr> Failures_;
  std::mutex Mutex_;
  std::condition_variable Changed_;
};

}  // namespace

void ComputeInOrder(size_t Count, const std::function<void(size_t)>& Compute,
                    const std::function<void(size_t)>& Consume) {
  TOrderedWork work(Count, Compute);
  std::jthread helper;
  if (Count > 1 && std::thread::hardware_concurrency() > 1) {
    try {
      helper = std::jthread([&work] { work.Help(); });
    } catch (const std::system_error&) {
      // No thread to be had: this one does all the work.
    }
  }
  try {
    for (size_t i = 0; i < Count; ++i) {
      work.AwaitDone(i);
      Consume(i);
      work.Handed(i);
    }
  } catch (...) {
    // The helper finishes what it has claimed and is joined before the
    // work it refers to goes.
    work.Stop();
    throw;
  }
}
