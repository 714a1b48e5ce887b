// Hands items from one thread to another in order, holding at most a few:
// the giver waits while the queue is full, the taker while it is empty.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>

namespace patchlore {

template <class T>
class HandoffQueue {
 public:
  explicit HandoffQueue(std::size_t capacity) : capacity_(capacity) {}

  // False once the taker has stopped: the item is dropped, give no more.
  bool push(T item) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopped_ || items_.size() < capacity_; });
    if (stopped_) return false;
    items_.push_back(std::move(item));
    changed_.notify_all();
    return true;
  }

  // The next item; nothing once the giver has closed the queue and every
  // item is taken, or once the taker has stopped.
  std::optional<T> pop() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return stopped_ || closed_ || !items_.empty(); });
    if (stopped_ || items_.empty()) return std::nullopt;
    std::optional<T> item(std::move(items_.front()));
    items_.pop_front();
    changed_.notify_all();
    return item;
  }

  // The giver has nothing more.
  void close() {
    const std::lock_guard lock(mutex_);
    closed_ = true;
    changed_.notify_all();
  }

  // The taker wants nothing more.
  void stop() {
    const std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
  }

 private:
  std::size_t capacity_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<T> items_;
  bool closed_ = false;
  bool stopped_ = false;
};

}  // namespace patchlore
