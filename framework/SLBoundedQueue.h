// A queue between threads with a fixed bound: when it is full, pushing drops the
// oldest entry, so a slow consumer costs frames, never memory or a blocked
// producer.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>

namespace framework {

template <class T>
class TSLBoundedQueue {
 public:
  explicit TSLBoundedQueue(size_t bound) : bound_(bound < 1 ? 1 : bound) {}

  // Returns true when an older entry had to be dropped to make room.
  bool Push(T item) {
    bool dropped = false;
    {
      std::lock_guard lk(m_);
      if (q_.size() >= bound_) {
        q_.pop_front();
        ++dropped_;
        dropped = true;
      }
      q_.push_back(std::move(item));
      if (q_.size() > highWater_) highWater_ = q_.size();
    }
    cv_.notify_one();
    return dropped;
  }

  // Waits up to `timeout` for an entry; empty when none came or the queue was closed.
  std::optional<T> Pop(std::chrono::milliseconds timeout) {
    std::unique_lock lk(m_);
    cv_.wait_for(lk, timeout, [&] { return !q_.empty() || closed_; });
    if (q_.empty()) return std::nullopt;
    T item = std::move(q_.front());
    q_.pop_front();
    return item;
  }

  std::optional<T> TryPop() { return Pop(std::chrono::milliseconds(0)); }

  // Wakes every waiter; Pop then returns what is left and, once empty, nothing.
  void Close() {
    {
      std::lock_guard lk(m_);
      closed_ = true;
    }
    cv_.notify_all();
  }
  void Reopen() {
    std::lock_guard lk(m_);
    closed_ = false;
  }
  void Clear() {
    std::lock_guard lk(m_);
    q_.clear();
  }

  size_t Size() const {
    std::lock_guard lk(m_);
    return q_.size();
  }
  size_t HighWater() const {
    std::lock_guard lk(m_);
    return highWater_;
  }
  size_t Dropped() const {
    std::lock_guard lk(m_);
    return dropped_;
  }

 private:
  const size_t bound_;
  mutable std::mutex m_;
  std::condition_variable cv_;
  std::deque<T> q_;
  bool closed_ = false;
  size_t highWater_ = 0;
  size_t dropped_ = 0;
};

}  // namespace framework
