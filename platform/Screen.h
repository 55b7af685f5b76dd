// The screen object: the mouse cursor shown over every window of the application.
#pragma once

#include "platform/Object.h"
#include "platform/UiTypes.h"

namespace platform {

class TScreen : public TObject {
 public:
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

 private:
  TCursor cursor_ = crDefault;
};

extern TScreen* Screen;

}  // namespace platform
