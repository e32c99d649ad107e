/// \file
/// The common exception base and the runtime errors that several units raise.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace rtl {

/// Base of every failure of the system. It carries a text fit to show the user.
class Exception : public std::exception {
 public:
  /// An exception whose text is `message`.
  explicit Exception(std::string message) : message_(std::move(message)) {}

  /// The text, fit to show the user.
  const std::string& Message() const noexcept { return message_; }
  /// The same text as Message().
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

/// Floating-point faults. Each has a fixed message.
class EMathError : public Exception {
 public:
  using Exception::Exception;
};

/// Floating-point division of a non-zero value by zero.
class EZeroDivide : public EMathError {
 public:
  EZeroDivide() : EMathError("Floating point division by zero") {}
};

/// An invalid floating-point operation (0/0, the square root of a negative
/// value, a real converted to an integer too narrow for it, ...).
class EInvalidOp : public EMathError {
 public:
  EInvalidOp() : EMathError("Invalid floating point operation") {}
};

/// A floating-point result beyond the largest extended value.
class EOverflow : public EMathError {
 public:
  EOverflow() : EMathError("Floating point overflow") {}
};

/// Integer division or remainder by zero.
class EDivByZero : public Exception {
 public:
  EDivByZero() : Exception("Division by zero") {}
};

/// A value stored into a field too narrow for it.
class ERangeError : public Exception {
 public:
  ERangeError() : Exception("Range check error") {}
};

/// A position outside an ordered list.
class EListError : public Exception {
 public:
  /// "List index out of bounds (<index>)".
  explicit EListError(int32_t index)
      : Exception("List index out of bounds (" + std::to_string(index) + ")") {}
};

}  // namespace rtl
