// The root of the window-system classes and the event types every form uses. Handlers are
// plain std::function values; a form binds them by the names its description gives.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace platform {

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// The error class the application's exception report shows; its message names what failed.
class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace platform
