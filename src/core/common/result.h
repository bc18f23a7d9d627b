#pragma once
// The core never shows a dialog and never throws across its API: a call that can
// fail returns a Result, which holds either its value or an Error whose title and
// text are the exact words a front end shows to the user.

#include <cassert>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tessaloom {

struct Error {
  std::string title;       // message-box title, e.g. "Open error"
  std::string text;        // the sentence the user reads, often a fixed text
  std::string detail;      // what exactly went wrong and in which file, shown below the text
  std::size_t offset = 0;  // byte offset of a parse failure, 0 when not applicable
};

// Named like std::expected (has_value, value, error) so a later switch is mechanical.
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
  Result(Error error) : m_state(std::in_place_index<1>, std::move(error)) {}

  bool has_value() const { return m_state.index() == 0; }
  explicit operator bool() const { return has_value(); }

  T& value() & { assert(has_value()); return std::get<0>(m_state); }
  const T& value() const& { assert(has_value()); return std::get<0>(m_state); }
  T&& value() && { assert(has_value()); return std::get<0>(std::move(m_state)); }
  const Error& error() const { assert(!has_value()); return std::get<1>(m_state); }

  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }

 private:
  std::variant<T, Error> m_state;
};

// The result of an operation that only succeeds or fails.
template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Error error) : m_error(std::move(error)) {}

  bool has_value() const { return !m_error.has_value(); }
  explicit operator bool() const { return has_value(); }
  const Error& error() const { assert(m_error); return *m_error; }

 private:
  std::optional<Error> m_error;
};

using Status = Result<void>;

}  // namespace tessaloom
