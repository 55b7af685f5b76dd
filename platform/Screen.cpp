// The screen object: forwards the cursor to the backend.
#include "platform/Screen.h"

#include "platform/Backend.h"

namespace platform {

namespace {
TScreen theScreen;
}  // namespace

TScreen* Screen = &theScreen;

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  CurrentBackend().SetCursor(cursor);
}

}  // namespace platform
