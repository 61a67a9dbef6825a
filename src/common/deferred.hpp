#pragma once

#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>

namespace text::hyphenation::detail {

// A value that is either given up front or built on first use, exactly once, however many
// threads arrive together. A build that throws is not retried: every use rethrows its error.
template <class T>
class Deferred {
 public:
  explicit Deferred(T value) : value_(std::move(value)) {}
  // An empty `build` is a build that fails: every use throws std::bad_function_call.
  explicit Deferred(std::function<T()> build) : build_(std::move(build)), deferred_(true) {}

  Deferred(const Deferred&) = delete;
  Deferred& operator=(const Deferred&) = delete;

  const T& get() const {
    // Whether the value was deferred is recorded apart from the builder: an empty builder must
    // fail, not read a value that was never stored.
    if (deferred_) {
      std::call_once(once_, [this] {
        try {
          value_.emplace(build_());
        } catch (...) {
          error_ = std::current_exception();
        }
      });
      if (error_) std::rethrow_exception(error_);
    }
    return *value_;
  }

 private:
  std::function<T()> build_;
  bool deferred_ = false;
  mutable std::once_flag once_;
  mutable std::optional<T> value_;
  mutable std::exception_ptr error_;
};

// A value derived from others on first use, exactly once, by the builder that the first user
// passes (every user must pass an equivalent one). As with Deferred, a build that throws is not
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

}  // namespace text::hyphenation::detail
