// The controls a form is made of. Each keeps its settings itself and hands them to its
// backend peer (platform/Backend.h); user input comes back through the peer's listener and
// runs the control's event through GuardedCall. Controls are created by the form loader from
// a form description (platform/FormDescription.h) and owned by their form.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Backend.h"
#include "platform/Graphics.h"
#include "platform/Object.h"
#include "platform/UiTypes.h"

namespace platform {

class TCustomForm;
class TWinControl;

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;

// Anything a form description names.
class TComponent : public TObject {
 public:
  std::string Name;
  // Binds the event `event` ("OnClick", ...) to the form's handler registered as `handler`.
  // Returns false when this kind has no such event.
  virtual bool BindEvent(const std::string& event, const std::string& handler, TCustomForm& form);
  // Called once every component of the form exists (to link to components made later).
  virtual void Loaded(TCustomForm& form);
};

class TControl : public TComponent {
 public:
  TControl(const TControl&) = delete;
  TControl& operator=(const TControl&) = delete;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);  // the form lays aligned controls out on every resize
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order) { tabOrder_ = order; }

  // Redraws the control on screen at once.
  void Refresh();

  TWinControl* Parent() const { return parent_; }
  TCustomForm& Form() const { return *form_; }
  WidgetPeer& Peer() const { return *peer_; }
  // True for controls that take the keyboard focus (and so have a tab order).
  virtual bool Focusable() const { return false; }

 protected:
  TControl(TCustomForm& form, TWinControl* parent);
  // The peer to create children on: the parent control's, or the form's client area.
  WidgetPeer& ParentPeer() const;
  // Hands every setting to a newly created peer.
  void AttachPeer(WidgetPeer& peer);
  // Called after the font changed.
  virtual void FontChanged() {}

 private:
  TCustomForm* form_;
  TWinControl* parent_;
  WidgetPeer* peer_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool enabled_ = true;
  bool visible_ = true;
  TColor color_ = clBtnFace;
  TFont font_;
  TAlign align_ = alNone;
  int tabOrder_ = -1;
};

// A control that can hold other controls or take the focus.
class TWinControl : public TControl {
 public:
  void SetFocus();

 protected:
  using TControl::TControl;
};

// A drawing area with a backing surface of its size: its Canvas works at any time, also
// outside a paint. A repaint of the form fills it with Color, then runs the form's OnPaint.
class TPaintBox : public TControl, private MouseListener {
 public:
  TPaintBox(TCustomForm& form, TWinControl* parent);
  TCanvas& Canvas() { return *canvas_; }
  TMouseEvent OnMouseDown;
  bool BindEvent(const std::string& event, const std::string& handler, TCustomForm& form) override;
  // Fills the surface with Color (the first step of a form repaint).
  void Erase();

 private:
  void PeerMouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void FontChanged() override;
  std::unique_ptr<PaintBoxPeer> peer_;
  std::unique_ptr<TCanvas> canvas_;
};

class TLabel : public TControl {
 public:
  TLabel(TCustomForm& form, TWinControl* parent);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  // With AutoSize the label's size follows its text.
  int CurrentWidth() const { return peer_->CurrentWidth(); }
  int CurrentHeight() const { return peer_->CurrentHeight(); }

 private:
  std::unique_ptr<LabelPeer> peer_;
  std::string caption_;
  bool autoSize_ = true;
  bool transparent_ = false;
};

class TButton : public TWinControl, private ClickListener {
 public:
  TButton(TCustomForm& form, TWinControl* parent);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // Non-zero: a click sets the form's ModalResult to it (which closes a modal form).
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }
  // The default button is pressed by Enter while no other button has the focus.
  bool Default() const { return default_; }
  void SetDefault(bool isDefault);
  TNotifyEvent OnClick;
  // Presses the button: sets the form's ModalResult (if any), then runs OnClick.
  void Click();
  bool Focusable() const override { return true; }
  bool BindEvent(const std::string& event, const std::string& handler, TCustomForm& form) override;

 private:
  void PeerClick() override;
  std::unique_ptr<ButtonPeer> peer_;
  std::string caption_;
  TModalResult modalResult_ = mrNone;
  bool default_ = false;
};

class TPanel : public TWinControl {
 public:
  TPanel(TCustomForm& form, TWinControl* parent);
  bool BevelLowered() const { return bevelLowered_; }
  void SetBevelLowered(bool lowered);
  PanelPeer& ContainerPeer() { return *peer_; }

 private:
  std::unique_ptr<PanelPeer> peer_;
  bool bevelLowered_ = false;
};

class TImage : public TControl {
 public:
  TImage(TCustomForm& form, TWinControl* parent);
  // The picture, from an embedded image resource ("frame1.bmp"); with AutoSize the control
  // takes the picture's size.
  void LoadPicture(const std::string& resourceName, bool autoSize);
  void SetPicture(const TBitmapData& picture, bool autoSize);
  const TBitmapData& Picture() const { return picture_; }

 private:
  std::unique_ptr<ImagePeer> peer_;
  TBitmapData picture_;
};

class TProgressBar : public TWinControl {
 public:
  TProgressBar(TCustomForm& form, TWinControl* parent);
  int Position() const { return position_; }
  void SetPosition(int position);  // clamped to Min..Max
  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool smooth);

 private:
  std::unique_ptr<ProgressBarPeer> peer_;
  int position_ = 0;
  int min_ = 0;
  int max_ = 100;
  bool smooth_ = false;
};

class TToolBar : public TWinControl {
 public:
  TToolBar(TCustomForm& form, TWinControl* parent);
  void SetEdgeBorders(bool left, bool top, bool right, bool bottom);

 private:
  std::unique_ptr<ToolBarPeer> peer_;
};

class TSpeedButton : public TControl, private ClickListener {
 public:
  TSpeedButton(TCustomForm& form, TWinControl* parent);
  // The glyph from an embedded image; its bottom-left pixel's colour shows as transparent.
  void LoadGlyph(const std::string& resourceName);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  TNotifyEvent OnClick;
  void Click();
  bool BindEvent(const std::string& event, const std::string& handler, TCustomForm& form) override;

 private:
  void PeerClick() override;
  std::unique_ptr<SpeedButtonPeer> peer_;
  std::string hint_;
};

// A list of lines with a highlighted one. TDirectoryListBox builds on it.
class TCustomListBox : public TWinControl, private ListListener {
 public:
  TCustomListBox(TCustomForm& form, TWinControl* parent);
  const std::vector<TListLine>& Lines() const { return lines_; }
  void SetLines(std::vector<TListLine> lines);
  // The highlighted line, -1 for none.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  void SetLineHeight(int pixels);
  TNotifyEvent OnDblClick;   // a line was double-clicked (ItemIndex is that line)
  TNotifyEvent OnHighlight;  // the user highlighted another line
  TNotifyEvent OnEnterKey;   // Enter in the list; unset: Enter presses the default button
  bool Focusable() const override { return true; }
  bool BindEvent(const std::string& event, const std::string& handler, TCustomForm& form) override;

 private:
  void PeerDoubleClick(int index) override;
  void PeerHighlight(int index) override;
  bool PeerEnter() override;
  std::unique_ptr<ListBoxPeer> peer_;
  std::vector<TListLine> lines_;
  int itemIndex_ = -1;
};

// A drop-down list of lines with a small glyph each. TDriveComboBox builds on it.
class TCustomComboBox : public TWinControl, private ComboListener {
 public:
  TCustomComboBox(TCustomForm& form, TWinControl* parent);
  const std::vector<TListLine>& Lines() const { return lines_; }
  void SetLines(std::vector<TListLine> lines);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  TNotifyEvent OnChange;  // the user chose another line (ItemIndex is the new one)
  bool Focusable() const override { return true; }
  bool BindEvent(const std::string& event, const std::string& handler, TCustomForm& form) override;

 private:
  void PeerChange(int index) override;
  std::unique_ptr<ComboBoxPeer> peer_;
  std::vector<TListLine> lines_;
  int itemIndex_ = -1;
};

}  // namespace platform
