#pragma once

#include <string>

namespace konwerter::run {

// The run's one error text: the run is clean while it is empty. Only opening a source file
// by directory variable writes it, with the path of the file that could not be opened.
class ConversionStatus {
 public:
  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  void Fail(std::string error) { error_ = std::move(error); }
  void Clear() { error_.clear(); }

 private:
  std::string error_;
};

}  // namespace konwerter::run
