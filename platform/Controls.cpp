// The controls: each stores its settings and forwards them to its peer; the peer's reports
// run the control's events through GuardedCall.
#include "platform/Controls.h"

#include "platform/Application.h"
#include "platform/Bitmap.h"
#include "platform/Forms.h"

namespace platform {

bool TComponent::BindEvent(const std::string&, const std::string&, TCustomForm&) {
  return false;
}

void TComponent::Loaded(TCustomForm&) {}

// TControl

TControl::TControl(TCustomForm& form, TWinControl* parent)
    : form_(&form), parent_(parent), font_(form.Font()) {}

WidgetPeer& TControl::ParentPeer() const {
  return parent_ ? parent_->Peer() : form_->Peer().Client();
}

void TControl::AttachPeer(WidgetPeer& peer) {
  peer_ = &peer;
  peer.SetFont(font_);
  peer.SetColor(color_);
  peer.SetBounds(left_, top_, width_, height_);
  peer.SetEnabled(enabled_);
  peer.SetVisible(visible_);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  left_ = left;
  top_ = top;
  width_ = width < 0 ? 0 : width;
  height_ = height < 0 ? 0 : height;
  if (peer_) peer_->SetBounds(left_, top_, width_, height_);
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (peer_) peer_->SetEnabled(enabled);
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (peer_) peer_->SetVisible(visible);
}

void TControl::SetColor(TColor color) {
  color_ = color;
  if (peer_) peer_->SetColor(color);
}

void TControl::SetFont(const TFont& font) {
  font_ = font;
  if (peer_) peer_->SetFont(font);
  FontChanged();
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
}

void TControl::Refresh() {
  if (peer_) peer_->Repaint();
}

void TWinControl::SetFocus() {
  Peer().SetFocus();
}

// TPaintBox

TPaintBox::TPaintBox(TCustomForm& form, TWinControl* parent) : TControl(form, parent) {
  peer_ = CurrentBackend().CreatePaintBox(ParentPeer(), *this);
  canvas_ = std::make_unique<TCanvas>(*peer_);
  canvas_->Font = Font();
  AttachPeer(*peer_);
}

void TPaintBox::FontChanged() {
  canvas_->Font = Font();
}

void TPaintBox::Erase() {
  peer_->FillRect(TRect{0, 0, peer_->SurfaceWidth(), peer_->SurfaceHeight()}, Color());
}

void TPaintBox::PeerMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  GuardedCall([&] {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
  });
}

bool TPaintBox::BindEvent(const std::string& event, const std::string& handler, TCustomForm& form) {
  if (event != "OnMouseDown") return false;
  OnMouseDown = form.MouseHandler(handler);
  return true;
}

// TLabel

TLabel::TLabel(TCustomForm& form, TWinControl* parent) : TControl(form, parent) {
  peer_ = CurrentBackend().CreateLabel(ParentPeer());
  AttachPeer(*peer_);
  peer_->SetAutoSize(autoSize_);
}

void TLabel::SetCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  peer_->SetCaption(caption);
}

void TLabel::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  peer_->SetAutoSize(autoSize);
}

void TLabel::SetTransparent(bool transparent) {
  transparent_ = transparent;
  peer_->SetTransparent(transparent);
}

// TButton

TButton::TButton(TCustomForm& form, TWinControl* parent) : TWinControl(form, parent) {
  peer_ = CurrentBackend().CreateButton(ParentPeer(), *this);
  AttachPeer(*peer_);
}

void TButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  peer_->SetCaption(caption);
}

void TButton::SetDefault(bool isDefault) {
  default_ = isDefault;
  peer_->SetDefault(isDefault);
}

void TButton::Click() {
  if (modalResult_ != mrNone) Form().SetModalResult(modalResult_);
  if (OnClick) OnClick(this);
}

void TButton::PeerClick() {
  GuardedCall([&] { Click(); });
}

bool TButton::BindEvent(const std::string& event, const std::string& handler, TCustomForm& form) {
  if (event != "OnClick") return false;
  OnClick = form.NotifyHandler(handler);
  return true;
}

// TPanel

TPanel::TPanel(TCustomForm& form, TWinControl* parent) : TWinControl(form, parent) {
  peer_ = CurrentBackend().CreatePanel(ParentPeer());
  AttachPeer(*peer_);
}

void TPanel::SetBevelLowered(bool lowered) {
  bevelLowered_ = lowered;
  peer_->SetBevelLowered(lowered);
}

// TImage

TImage::TImage(TCustomForm& form, TWinControl* parent) : TControl(form, parent) {
  peer_ = CurrentBackend().CreateImage(ParentPeer());
  AttachPeer(*peer_);
}

void TImage::LoadPicture(const std::string& resourceName, bool autoSize) {
  SetPicture(EmbeddedImage(resourceName), autoSize);
}

void TImage::SetPicture(const TBitmapData& picture, bool autoSize) {
  picture_ = picture;
  peer_->SetPicture(picture_);
  if (autoSize) SetBounds(Left(), Top(), picture_.Width, picture_.Height);
}

// TProgressBar

TProgressBar::TProgressBar(TCustomForm& form, TWinControl* parent) : TWinControl(form, parent) {
  peer_ = CurrentBackend().CreateProgressBar(ParentPeer());
  AttachPeer(*peer_);
  peer_->SetRange(min_, max_);
  peer_->SetSmooth(smooth_);
  peer_->SetPosition(position_);
}

void TProgressBar::SetPosition(int position) {
  if (position < min_) position = min_;
  if (position > max_) position = max_;
  if (position == position_) return;
  position_ = position;
  peer_->SetPosition(position);
}

void TProgressBar::SetRange(int min, int max) {
  if (max < min) throw Exception("Progress bar " + Name + ": Max below Min");
  min_ = min;
  max_ = max;
  peer_->SetRange(min, max);
  const int clamped = position_ < min ? min : (position_ > max ? max : position_);
  position_ = clamped;
  peer_->SetPosition(clamped);
}

void TProgressBar::SetSmooth(bool smooth) {
  smooth_ = smooth;
  peer_->SetSmooth(smooth);
}

// TToolBar

TToolBar::TToolBar(TCustomForm& form, TWinControl* parent) : TWinControl(form, parent) {
  peer_ = CurrentBackend().CreateToolBar(ParentPeer());
  AttachPeer(*peer_);
}

void TToolBar::SetEdgeBorders(bool left, bool top, bool right, bool bottom) {
  peer_->SetEdgeBorders(left, top, right, bottom);
}

// TSpeedButton

TSpeedButton::TSpeedButton(TCustomForm& form, TWinControl* parent) : TControl(form, parent) {
  peer_ = CurrentBackend().CreateSpeedButton(ParentPeer(), *this);
  AttachPeer(*peer_);
}

void TSpeedButton::LoadGlyph(const std::string& resourceName) {
  peer_->SetGlyph(WithTransparentCorner(EmbeddedImage(resourceName)));
}

void TSpeedButton::SetHint(const std::string& hint) {
  hint_ = hint;
  peer_->SetHint(hint);
}

void TSpeedButton::Click() {
  if (OnClick) OnClick(this);
}

void TSpeedButton::PeerClick() {
  GuardedCall([&] {
    if (Enabled()) Click();
  });
}

bool TSpeedButton::BindEvent(const std::string& event, const std::string& handler,
                             TCustomForm& form) {
  if (event != "OnClick") return false;
  OnClick = form.NotifyHandler(handler);
  return true;
}

// TCustomListBox

TCustomListBox::TCustomListBox(TCustomForm& form, TWinControl* parent) : TWinControl(form, parent) {
  peer_ = CurrentBackend().CreateListBox(ParentPeer(), *this);
  AttachPeer(*peer_);
}

void TCustomListBox::SetLines(std::vector<TListLine> lines) {
  lines_ = std::move(lines);
  itemIndex_ = -1;
  peer_->SetLines(lines_);
}

void TCustomListBox::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(lines_.size())) index = -1;
  itemIndex_ = index;
  peer_->SetHighlighted(index);
}

void TCustomListBox::SetLineHeight(int pixels) {
  peer_->SetLineHeight(pixels);
}

void TCustomListBox::PeerDoubleClick(int index) {
  itemIndex_ = index;
  GuardedCall([&] {
    if (OnDblClick) OnDblClick(this);
  });
}

void TCustomListBox::PeerHighlight(int index) {
  itemIndex_ = index;
  GuardedCall([&] {
    if (OnHighlight) OnHighlight(this);
  });
}

bool TCustomListBox::PeerEnter() {
  if (!OnEnterKey) return false;
  GuardedCall([&] { OnEnterKey(this); });
  return true;
}

bool TCustomListBox::BindEvent(const std::string& event, const std::string& handler,
                               TCustomForm& form) {
  if (event == "OnDblClick")
    OnDblClick = form.NotifyHandler(handler);
  else if (event == "OnHighlight")
    OnHighlight = form.NotifyHandler(handler);
  else if (event == "OnEnterKey")
    OnEnterKey = form.NotifyHandler(handler);
  else
    return false;
  return true;
}

// TCustomComboBox

TCustomComboBox::TCustomComboBox(TCustomForm& form, TWinControl* parent)
    : TWinControl(form, parent) {
  peer_ = CurrentBackend().CreateComboBox(ParentPeer(), *this);
  AttachPeer(*peer_);
}

void TCustomComboBox::SetLines(std::vector<TListLine> lines) {
  lines_ = std::move(lines);
  itemIndex_ = -1;
  peer_->SetLines(lines_);
}

void TCustomComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(lines_.size())) index = -1;
  itemIndex_ = index;
  peer_->SetSelected(index);
}

void TCustomComboBox::PeerChange(int index) {
  itemIndex_ = index;
  GuardedCall([&] {
    if (OnChange) OnChange(this);
  });
}

bool TCustomComboBox::BindEvent(const std::string& event, const std::string& handler,
                                TCustomForm& form) {
  if (event != "OnChange") return false;
  OnChange = form.NotifyHandler(handler);
  return true;
}

}  // namespace platform
