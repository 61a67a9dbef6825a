#pragma once

#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>

namespace text::hyphenation::detail {

// A value built on first use, exactly once however many threads arrive together, by the builder
// that the first user passes (every user must pass an equivalent one). A build that throws is not
// retried: every use rethrows its error.
template <class T>
class Derived {
 public:
  Derived() = default;
  Derived(const Derived&) = delete;
  Derived& operator=(const Derived&) = delete;

  template <class Build>
  const T& get(Build&& build) const {
    std::call_once(once_, [&] {
      try {
        value_.emplace(build());
      } catch (...) {
        error_ = std::current_exception();
      }
    });
    if (error_) std::rethrow_exception(error_);
    return *value_;
  }

 private:
  mutable std::once_flag once_;
  mutable std::optional<T> value_;
  mutable std::exception_ptr error_;
};

// A value that is either given up front or built on first use by a builder given up front, with
// the guarantees of Derived.
template <class T>
class Deferred {
 public:
  explicit Deferred(T value) : value_(std::move(value)) {}
  // An empty `build` is a build that fails: every use throws std::bad_function_call.
  explicit Deferred(std::function<T()> build) : build_(std::move(build)) {}

  Deferred(const Deferred&) = delete;
  Deferred& operator=(const Deferred&) = delete;

  // Whether the value was deferred is told by the stored value, not by the builder: an empty
  // builder must fail, not read a value that was never stored.
  const T& get() const { return value_ ? *value_ : built_.get(build_); }

 private:
  std::function<T()> build_;
  std::optional<T> value_;
  Derived<T> built_;
};

}  // namespace text::hyphenation::detail
