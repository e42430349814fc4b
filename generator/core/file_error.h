// File errors of the generator: one exception type that names the file and
// the reason. Front ends show it (message box, or stderr and exit status 2).
#pragma once

#include <stdexcept>
#include <string>

namespace glenmire {

class FileError : public std::runtime_error {
 public:
  FileError(std::string file, std::string reason)
      : std::runtime_error(file + ": " + reason), file_(std::move(file)), reason_(std::move(reason)) {}
  const std::string& file() const { return file_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string file_;
  std::string reason_;
};

}  // namespace glenmire
