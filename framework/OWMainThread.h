// Hands values from any thread to the user-interface thread through a bounded
// queue: when the interface falls behind, the oldest values are dropped. The
// receiver runs on the thread of `context`; nothing is delivered after the
// context object is gone.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>

#include "framework/SLBoundedQueue.h"

namespace framework {

template <class T>
class TOWMainThreadQueue {
 public:
  TOWMainThreadQueue(QObject* context, size_t bound, std::function<void(T&&)> receiver)
      : context_(context), queue_(bound), receiver_(std::move(receiver)) {}

  // Any thread. One wake-up is posted per batch, not per value.
  void Post(T value) {
    queue_.Push(std::move(value));
    if (!posted_.exchange(true)) QMetaObject::invokeMethod(context_, [this] { Drain(); }, Qt::QueuedConnection);
  }

  // The context's thread: delivers what is queued, oldest first.
  void Drain() {
    posted_ = false;
    while (auto v = queue_.TryPop()) receiver_(std::move(*v));
  }

  void Clear() { queue_.Clear(); }
  const TSLBoundedQueue<T>& Queue() const { return queue_; }

 private:
  QObject* context_;
  TSLBoundedQueue<T> queue_;
  std::function<void(T&&)> receiver_;
  std::atomic<bool> posted_{false};
};

}  // namespace framework
