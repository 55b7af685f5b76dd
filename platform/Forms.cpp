// Forms: placement, showing, the modal loop, closing and repainting. The description loader
// is in FormLoader.cpp.
#include "platform/Forms.h"

#include <algorithm>

#include "platform/Application.h"
#include "platform/Bitmap.h"

namespace platform {

TCustomForm::TCustomForm() {
  peer_ = CurrentBackend().CreateForm(*this);
}

// OnDestroy is not run here: the derived part is gone by now and its handlers would touch
// it. A form with an OnDestroy handler calls DoDestroy in its own destructor.
TCustomForm::~TCustomForm() {
  if (visible_) peer_->Hide();
  paintBoxes_.clear();
  topControls_.clear();
  byName_.clear();
  while (!components_.empty()) components_.pop_back();
}

void TCustomForm::SetCaption(const std::string& caption) {
  caption_ = caption;
  peer_->SetCaption(caption);
}

int TCustomForm::Left() const {
  return peer_->FrameRect().Left;
}
int TCustomForm::Top() const {
  return peer_->FrameRect().Top;
}
int TCustomForm::Width() const {
  return peer_->FrameRect().Width();
}
int TCustomForm::Height() const {
  return peer_->FrameRect().Height();
}

void TCustomForm::SetLeft(int left) {
  peer_->SetFramePosition(left, Top());
}
void TCustomForm::SetTop(int top) {
  peer_->SetFramePosition(Left(), top);
}
void TCustomForm::SetWidth(int width) {
  peer_->SetFrameSize(width, Height());
  LayoutAligned();
}
void TCustomForm::SetHeight(int height) {
  peer_->SetFrameSize(Width(), height);
  LayoutAligned();
}

int TCustomForm::ClientWidth() const {
  return peer_->ClientWidth();
}
int TCustomForm::ClientHeight() const {
  return peer_->ClientHeight();
}
void TCustomForm::SetClientWidth(int width) {
  peer_->SetClientSize(width, ClientHeight());
  LayoutAligned();
}
void TCustomForm::SetClientHeight(int height) {
  peer_->SetClientSize(ClientWidth(), height);
  LayoutAligned();
}

void TCustomForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (visible_) peer_->SetWindowState(state);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
  style_.BorderStyle = style;
  peer_->SetStyle(style_);
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
  style_.BorderIcons = icons;
  peer_->SetStyle(style_);
}

void TCustomForm::SetFormStyle(TFormStyle style) {
  style_.StayOnTop = style == fsStayOnTop;
  peer_->SetStyle(style_);
}

void TCustomForm::SetColor(TColor color) {
  color_ = color;
  peer_->SetColor(color);
}

void TCustomForm::LoadIcon(const std::string& resourceName) {
  peer_->SetIcon(EmbeddedImage(resourceName));
}

void TCustomForm::ApplyPlacementBeforeShow() {
  if (shownOnce_) return;
  shownOnce_ = true;
  if (position_ == poScreenCenter) {
    Backend& backend = CurrentBackend();
    peer_->SetFramePosition((backend.ScreenWidth() - Width()) / 2,
                            (backend.ScreenHeight() - Height()) / 2);
  }
  // The control with the lowest tab order holds the focus when the form first shows.
  TControl* first = nullptr;
  for (auto& c : components_) {
    auto* control = dynamic_cast<TControl*>(c.get());
    if (!control || !control->Focusable() || control->TabOrder() < 0) continue;
    if (!first || control->TabOrder() < first->TabOrder()) first = control;
  }
  if (first) first->Peer().SetFocus();
}

void TCustomForm::Show() {
  if (visible_) return;
  ApplyPlacementBeforeShow();
  visible_ = true;
  peer_->Show(false);
  if (windowState_ != wsNormal) peer_->SetWindowState(windowState_);
}

void TCustomForm::Hide() {
  if (!visible_) return;
  visible_ = false;
  peer_->Hide();
}

TModalResult TCustomForm::ShowModal() {
  if (modal_) throw Exception("Form " + Name + " is already shown modally");
  if (visible_) Hide();
  modalResult_ = mrNone;
  ApplyPlacementBeforeShow();
  visible_ = true;
  modal_ = true;
  peer_->Show(true);
  Backend& backend = CurrentBackend();
  for (;;) {
    while (modalResult_ == mrNone && !Application->Terminated()) backend.WaitEvents();
    if (modalResult_ == mrNone) break;  // the application is ending
    TCloseAction action = caHide;
    if (OnClose) GuardedCall([&] { OnClose(this, action); });
    if (action != caNone) break;
    modalResult_ = mrNone;
  }
  modal_ = false;
  visible_ = false;
  peer_->Hide();
  return modalResult_;
}

void TCustomForm::SetModalResult(TModalResult result) {
  modalResult_ = result;
  if (modal_) CurrentBackend().WakeUp();
}

void TCustomForm::Close() {
  if (modal_) {
    SetModalResult(mrCancel);
    return;
  }
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (this == Application->MainForm()) {
    Application->Terminate();
    return;
  }
  // caFree hides as well: the application owns its forms until it ends.
  Hide();
}

void TCustomForm::Refresh() {
  for (TPaintBox* box : paintBoxes_) box->Erase();
  if (OnPaint) GuardedCall([&] { OnPaint(this); });
  for (TPaintBox* box : paintBoxes_) box->Refresh();
}

void TCustomForm::PeerCloseRequested() {
  GuardedCall([&] { Close(); });
}

void TCustomForm::PeerPaint() {
  for (TPaintBox* box : paintBoxes_) box->Erase();
  if (OnPaint) GuardedCall([&] { OnPaint(this); });
}

void TCustomForm::PeerClientResized(int, int) {
  LayoutAligned();
}

void TCustomForm::PeerFrameChanged(int, int, int, int) {}

void TCustomForm::PeerWindowStateChanged(TWindowState state) {
  windowState_ = state;
}

void TCustomForm::PeerEnterKey() {
  TButton* button = DefaultButton();
  if (button && button->Enabled() && button->Visible()) GuardedCall([&] { button->Click(); });
}

TButton* TCustomForm::DefaultButton() const {
  for (auto& c : components_)
    if (auto* button = dynamic_cast<TButton*>(c.get()); button && button->Default()) return button;
  return nullptr;
}

void TCustomForm::LayoutAligned() {
  TRect area{0, 0, ClientWidth(), ClientHeight()};
  for (TControl* c : topControls_) {
    if (c->Align() != alTop) continue;
    c->SetBounds(0, area.Top, area.Width(), c->Height());
    area.Top += c->Height();
  }
  for (TControl* c : topControls_)
    if (c->Align() == alClient)
      c->SetBounds(area.Left, area.Top, area.Width(), std::max(0, area.Height()));
}

void TCustomForm::ApplyTabOrder() {
  std::vector<TControl*> focusable;
  for (auto& c : components_)
    if (auto* control = dynamic_cast<TControl*>(c.get()); control && control->Focusable())
      focusable.push_back(control);
  std::stable_sort(focusable.begin(), focusable.end(),
                   [](TControl* a, TControl* b) { return a->TabOrder() < b->TabOrder(); });
  std::vector<WidgetPeer*> order;
  for (TControl* c : focusable) order.push_back(&c->Peer());
  if (order.size() > 1) peer_->SetTabOrder(order);
}

TObject& TCustomForm::Adopt(std::unique_ptr<TObject> component, const std::string& name) {
  TObject& ref = *component;
  components_.push_back(std::move(component));
  if (!name.empty()) byName_[name] = &ref;
  if (auto* control = dynamic_cast<TControl*>(&ref)) {
    if (!control->Parent()) topControls_.push_back(control);
    if (auto* box = dynamic_cast<TPaintBox*>(control)) paintBoxes_.push_back(box);
  }
  return ref;
}

void TCustomForm::RegisterHandler(const std::string& name, TNotifyEvent handler) {
  notifyHandlers_[name] = std::move(handler);
}

void TCustomForm::RegisterCloseHandler(const std::string& name, TCloseEvent handler) {
  closeHandlers_[name] = std::move(handler);
}

void TCustomForm::RegisterMouseHandler(const std::string& name, TMouseEvent handler) {
  mouseHandlers_[name] = std::move(handler);
}

const TNotifyEvent& TCustomForm::NotifyHandler(const std::string& name) const {
  auto it = notifyHandlers_.find(name);
  if (it == notifyHandlers_.end()) throw Exception("Form " + Name + " has no handler " + name);
  return it->second;
}

const TCloseEvent& TCustomForm::CloseHandler(const std::string& name) const {
  auto it = closeHandlers_.find(name);
  if (it == closeHandlers_.end()) throw Exception("Form " + Name + " has no close handler " + name);
  return it->second;
}

const TMouseEvent& TCustomForm::MouseHandler(const std::string& name) const {
  auto it = mouseHandlers_.find(name);
  if (it == mouseHandlers_.end()) throw Exception("Form " + Name + " has no mouse handler " + name);
  return it->second;
}

void TCustomForm::DoCreate() {
  if (OnCreate) GuardedCall([&] { OnCreate(this); });
}

void TCustomForm::DoDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  if (OnDestroy) GuardedCall([&] { OnDestroy(this); });
}

}  // namespace platform
