// The component base: a name, the component's lock, and the loading state in
// which property setters only store their values.
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
// other locked members of the same component.
class TOWLock {
 public:
  void Lock() { m_.lock(); }
  void Unlock() { m_.unlock(); }
  // For std::lock_guard and std::unique_lock.
  void lock() { m_.lock(); }
  void unlock() { m_.unlock(); }

 private:
  std::recursive_mutex m_;
};

// Holds a lock for the lifetime of the section.
class TOWLockSection {
 public:
  explicit TOWLockSection(TOWLock& lock) : lock_(lock) { lock_.Lock(); }
  ~TOWLockSection() { lock_.Unlock(); }
  TOWLockSection(const TOWLockSection&) = delete;
  TOWLockSection& operator=(const TOWLockSection&) = delete;

 private:
  TOWLock& lock_;
};

class TLPComponent {
 public:
  explicit TLPComponent(std::string name = {}) : name_(std::move(name)) {}
  virtual ~TLPComponent() = default;
  TLPComponent(const TLPComponent&) = delete;
  TLPComponent& operator=(const TLPComponent&) = delete;

  const std::string& Name() const { return name_; }

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
  std::string name_;
  bool loading_ = false;
  mutable TOWLock lock_;
};

}  // namespace framework
