// Typed pins. A source pin sends each buffer to every sink pin joined to it; a
// sink pin takes buffers from at most one source. A pin left while joined
// leaves its partners cleanly: disconnecting waits for a send in progress.
#pragma once

#include <algorithm>
#include <functional>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <vector>

#include "framework/LPComponent.h"
#include "framework/SLStreamTypes.h"

namespace framework {

template <class T>
class TOWSinkPin;

template <class T>
class TOWSourcePin {
 public:
  explicit TOWSourcePin(const TSLStreamType& type) : type_(type) {}
  ~TOWSourcePin() { DisconnectAll(); }
  TOWSourcePin(const TOWSourcePin&) = delete;
  TOWSourcePin& operator=(const TOWSourcePin&) = delete;

  // Joins a sink. A sink already fed by another source, or of another stream
  // type, is refused with EOWException; joining the same pair twice is a no-op.
  void Connect(TOWSinkPin<T>& sink);
  void Disconnect(TOWSinkPin<T>& sink);
  void DisconnectAll();
  bool IsConnected() const {
    std::shared_lock lk(m_);
    return !sinks_.empty();
  }

  // Sends a buffer to every joined sink, on the caller's thread.
  void Notify(const T& data) const {
    std::shared_lock lk(m_);
    for (TOWSinkPin<T>* s : sinks_) s->Receive(data);
  }

 private:
  friend class TOWSinkPin<T>;
  TSLStreamType type_;
  mutable std::shared_mutex m_;
  std::vector<TOWSinkPin<T>*> sinks_;
};

template <class T>
class TOWSinkPin {
 public:
  using Handler = std::function<void(const T&)>;
  TOWSinkPin(const TSLStreamType& type, Handler onData) : type_(type), onData_(std::move(onData)) {}
  ~TOWSinkPin() {
    if (TOWSourcePin<T>* s = source_) s->Disconnect(*this);
  }
  TOWSinkPin(const TOWSinkPin&) = delete;
  TOWSinkPin& operator=(const TOWSinkPin&) = delete;

  TOWSourcePin<T>* Source() const { return source_; }

 private:
  friend class TOWSourcePin<T>;
  void Receive(const T& data) {
    if (onData_) onData_(data);
  }
  TSLStreamType type_;
  Handler onData_;
  TOWSourcePin<T>* source_ = nullptr;  // changed only under the source's lock
};

template <class T>
void TOWSourcePin<T>::Connect(TOWSinkPin<T>& sink) {
  if (!(sink.type_ == type_))
    throw EOWException("Pins of different stream types cannot be joined: " + type_.name + " -> " + sink.type_.name);
  std::unique_lock lk(m_);
  if (sink.source_ == this) return;
  if (sink.source_ != nullptr) throw EOWException("The sink pin is already joined to another source");
  sinks_.push_back(&sink);
  sink.source_ = this;
}

template <class T>
void TOWSourcePin<T>::Disconnect(TOWSinkPin<T>& sink) {
  std::unique_lock lk(m_);
  auto it = std::find(sinks_.begin(), sinks_.end(), &sink);
  if (it == sinks_.end()) return;
  sinks_.erase(it);
  sink.source_ = nullptr;
}

template <class T>
void TOWSourcePin<T>::DisconnectAll() {
  std::unique_lock lk(m_);
  for (TOWSinkPin<T>* s : sinks_) s->source_ = nullptr;
  sinks_.clear();
}

}  // namespace framework
