// A worker thread with a stop request. The body polls StopRequested (or waits
// with a time-out) and returns when asked to; Stop joins it.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace framework {

class TLPThread {
 public:
  TLPThread() = default;
  ~TLPThread() { Stop(); }
  TLPThread(const TLPThread&) = delete;
  TLPThread& operator=(const TLPThread&) = delete;

  void Start(std::function<void(const std::atomic<bool>& stop)> body) {
    Stop();
    stop_ = false;
    thread_ = std::thread([this, body = std::move(body)] { body(stop_); });
  }
  void RequestStop() { stop_ = true; }
  // Asks the body to return and waits for it; harmless when not running. A body
  // that calls Stop on its own thread only gets the request.
  void Stop() {
    stop_ = true;
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
  }

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace framework
