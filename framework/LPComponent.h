// The component base: the component's lock, and the loading state in which
// property setters only store their values.
#pragma once

#include <mutex>
#include <stdexcept>
#include <string>

namespace framework {

// A failure of a component or of its pins.
class EOWException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The component's lock. Recursive, so that a setter that holds it may call
// other locked members of the same component; a section holds it while it lives.
using TOWLock = std::recursive_mutex;
using TOWLockSection = std::lock_guard<TOWLock>;

class TLPComponent {
 public:
  TLPComponent() = default;
  virtual ~TLPComponent() = default;
  TLPComponent(const TLPComponent&) = delete;
  TLPComponent& operator=(const TLPComponent&) = delete;

  // Loading from a form: between BeginLoading and Loaded the setters only store.
  void BeginLoading() { loading_ = true; }
  void EndLoading() {
    loading_ = false;
    Loaded();
  }
  bool Loading() const { return loading_; }

 protected:
  // Runs once loading is over; a component applies its stored properties here.
  virtual void Loaded() {}
  TOWLock& Lock() const { return lock_; }

 private:
  bool loading_ = false;
  mutable TOWLock lock_;
};

}  // namespace framework
