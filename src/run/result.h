#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "source/table_fault.h"

namespace konwerter::run {

// Why a step of the run could not go on.
enum class FailureKind : std::uint8_t {
  kSourceMissing,     // the file is not there, or bdglobal.mem names no folder for it
  kSourceUnreadable,  // the file is there but cannot be read as a table: `fault` says why
  kFieldMissing,      // the table lacks a field the converter reads: `detail` names it
  kIndexMissing,      // the .ntx index is not there
  kIndexUnreadable,   // the index is there but cannot be used: `detail` says why
  kStrictWarnings,    // the operator asked that any warning fail the run
  kCheckFailed,       // the check of the converted database found faults
};

// A failure, with what its message needs: the file as its directory variable names it and
// as the host found it, and what was wrong. Texts are cp1250; the run's catalogue renders it.
struct Failure {
  FailureKind kind = FailureKind::kSourceMissing;
  std::string variable;             // the directory variable of the file
  std::string given_path;           // the path as the variable's value gives it
  std::string host_path;            // where the file was looked for, as the host names it
  bool searched_elsewhere = false;  // the folder used differs from the variable's value
  bool variable_known = true;       // bdglobal.mem holds the variable
  source::TableFault fault;         // what is wrong with a table that is there
  std::string detail;               // a field name, or a ready text (cp1250)
};

// A value, or the failure that kept it from being made: what converters, steps and the
// opening of sources return, so that the driver reads one channel for every failure.
template <typename T = void>
class Result {
 public:
  Result(T value) : held_(std::move(value)) {}  // NOLINT: converts like std::expected
  Result(Failure failure) : held_(std::move(failure)) {}

  bool has_value() const { return held_.index() == 0; }
  explicit operator bool() const { return has_value(); }
  T& operator*() { return std::get<0>(held_); }
  const T& operator*() const { return std::get<0>(held_); }
  T* operator->() { return &std::get<0>(held_); }
  const T* operator->() const { return &std::get<0>(held_); }
  // REQUIRES: !has_value()
  const Failure& error() const { return std::get<1>(held_); }

 private:
  std::variant<T, Failure> held_;
};

template <>
class Result<void> {
 public:
  Result() = default;
  Result(Failure failure) : failure_(std::move(failure)) {}  // NOLINT: converts like expected

  bool has_value() const { return !failure_.has_value(); }
  explicit operator bool() const { return has_value(); }
  // REQUIRES: !has_value()
  const Failure& error() const { return *failure_; }

 private:
  std::optional<Failure> failure_;
};

using Status = Result<void>;

}  // namespace konwerter::run
