#pragma once
// The error of the screen buffers, the image utilities and the image writer.
#include <stdexcept>
#include <string>

namespace lupendo {

class TessalyException : public std::runtime_error {
 public:
  explicit TessalyException(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace lupendo
