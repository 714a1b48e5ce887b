// How the core reports failure: a routine that can fail returns a Result,
// which holds either its value or a Failure that says what went wrong in the
// words the user sees. Windows turn failures into their status texts; the
// command-line tool decides its exit code from them.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace patchlore {

struct Failure {
  std::string text;
};

template <class T, class E = Failure>
class [[nodiscard]] Result {
 public:
  Result(T value) : content_(std::in_place_index<0>, std::move(value)) {}
  Result(E failure) : content_(std::in_place_index<1>, std::move(failure)) {}

  bool ok() const { return content_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() { return std::get<0>(content_); }
  const T& value() const { return std::get<0>(content_); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  const E& failure() const { return std::get<1>(content_); }
  E& failure() { return std::get<1>(content_); }

 private:
  std::variant<T, E> content_;
};

// The result of a routine that gives nothing back but may fail.
template <class E>
class [[nodiscard]] Result<void, E> {
 public:
  Result() = default;
  Result(E failure) : failure_(std::move(failure)) {}

  bool ok() const { return !failure_.has_value(); }
  explicit operator bool() const { return ok(); }
  const E& failure() const { return *failure_; }

 private:
  std::optional<E> failure_;
};

using Status = Result<void>;

inline Status Success() { return {}; }

}  // namespace patchlore
