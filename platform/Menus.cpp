// Menu items: settings go to the item's peer; a choice runs OnClick through GuardedCall.
#include "platform/Menus.h"

#include "platform/Application.h"
#include "platform/Forms.h"

namespace platform {

TMenuItem::TMenuItem(TCustomForm&, MenuPeer& menu, TMenuItem* parent, const std::string& caption,
                     bool hasChildren)
    : peer_(&menu.AddItem(parent ? parent->peer_ : nullptr, caption, caption == "-", hasChildren,
                          *this)),
      caption_(caption) {}

void TMenuItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  peer_->SetCaption(caption);
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  peer_->SetEnabled(enabled);
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  peer_->SetVisible(visible);
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

void TMenuItem::PeerClick() {
  GuardedCall([&] {
    if (enabled_) Click();
  });
}

bool TMenuItem::BindEvent(const std::string& event, const std::string& handler, TCustomForm& form) {
  if (event != "OnClick") return false;
  OnClick = form.NotifyHandler(handler);
  return true;
}

}  // namespace platform
