// The main menu of a form: a bar of drop-down menus, each a list of items. Captions mark the
// access letter with "&"; the caption "-" makes a separator line. There are no shortcut keys.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/Controls.h"

namespace platform {

class TMenuItem : public TComponent, private ClickListener {
 public:
  TMenuItem(TCustomForm& form, MenuPeer& menu, TMenuItem* parent, const std::string& caption,
            bool hasChildren);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool IsSeparator() const { return caption_ == "-"; }
  TNotifyEvent OnClick;
  void Click();
  bool BindEvent(const std::string& event, const std::string& handler, TCustomForm& form) override;
  MenuItemPeer& Peer() { return *peer_; }

 private:
  void PeerClick() override;
  MenuItemPeer* peer_;
  std::string caption_;
  bool enabled_ = true;
  bool visible_ = true;
};

class TMainMenu : public TComponent {
 public:
  explicit TMainMenu(std::unique_ptr<MenuPeer> peer) : peer_(std::move(peer)) {}
  MenuPeer& Peer() { return *peer_; }

 private:
  std::unique_ptr<MenuPeer> peer_;
};

}  // namespace platform
