// The interface a window-system backend implements (platform/qt, platform/win32). The generic
// classes of platform/ (TApplication, TForm, the controls) keep all state and rules; a backend
// only creates native windows ("peers"), forwards settings to them and reports what the user
// does through the listener interfaces below. Every listener call a backend makes is
// allowed to run program code; the generic layer guards each one against exceptions.
// Texts are 8-bit strings (UTF-8 on POSIX, the ANSI code page on Windows); coordinates are
// pixels, relative to the parent's client area.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Graphics.h"
#include "platform/Timer.h"
#include "platform/UiTypes.h"

namespace platform {

// Common part of every native control.
class WidgetPeer {
 public:
  virtual ~WidgetPeer() = default;
  // Places the control at (left, top) of its parent's client area with the given size.
  virtual void SetBounds(int left, int top, int width, int height) = 0;
  // Shows or hides the control.
  virtual void SetVisible(bool visible) = 0;
  // Enables the control, or disables it (greyed, no input).
  virtual void SetEnabled(bool enabled) = 0;
  // Background colour; a system colour (top byte 0xFF) is resolved by the backend.
  virtual void SetColor(TColor color) = 0;
  // Font of the control's text (face, pixel height, charset, colour, bold).
  virtual void SetFont(const TFont& font) = 0;
  // Redraws the control on screen before returning.
  virtual void Repaint() = 0;
  // Gives the control the keyboard focus.
  virtual void SetFocus() = 0;
};

// What a form window reports.
class FormListener {
 public:
  virtual ~FormListener() = default;
  // The user asked to close the window (close box, system menu Close, Alt+F4).
  virtual void PeerCloseRequested() = 0;
  // The window's contents must be drawn anew (first show, size change).
  virtual void PeerPaint() = 0;
  // The client area (below the menu bar) now has this size.
  virtual void PeerClientResized(int clientWidth, int clientHeight) = 0;
  // The outer frame moved or was resized by the user or the window manager.
  virtual void PeerFrameChanged(int left, int top, int width, int height) = 0;
  // The window was minimized, maximized or restored by the user.
  virtual void PeerWindowStateChanged(TWindowState state) = 0;
  // Enter was pressed while no button and no list that takes Enter has the focus.
  virtual void PeerEnterKey() = 0;
};

struct FormStyleSettings {
  TFormBorderStyle BorderStyle = bsSizeable;
  TBorderIcons BorderIcons = biSystemMenu | biMinimize | biMaximize;
  bool StayOnTop = false;
};

// A top-level window with an optional menu bar and a client area below it.
class FormPeer {
 public:
  virtual ~FormPeer() = default;
  // The client area, used as the parent of the form's top-level controls.
  virtual WidgetPeer& Client() = 0;
  // Title bar text.
  virtual void SetCaption(const std::string& caption) = 0;
  // Frame, title-bar buttons and stacking. Called before the first Show.
  virtual void SetStyle(const FormStyleSettings& style) = 0;
  // Moves the outer frame's top-left corner to (left, top) of the screen.
  virtual void SetFramePosition(int left, int top) = 0;
  // Sizes the window so that its client area (below the menu bar) is width x height.
  virtual void SetClientSize(int width, int height) = 0;
  // Sizes the window so that its outer frame is width x height.
  virtual void SetFrameSize(int width, int height) = 0;
  // The outer frame's position and size now.
  virtual TRect FrameRect() const = 0;
  // The client area's size now.
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  // Minimizes, maximizes or restores the window.
  virtual void SetWindowState(TWindowState state) = 0;
  // Background colour of the client area.
  virtual void SetColor(TColor color) = 0;
  // The window's icon.
  virtual void SetIcon(const TBitmapData& icon) = 0;
  // Shows the window; with modal true, every other window of the application takes no input
  // until Hide.
  virtual void Show(bool modal) = 0;
  // Hides the window (and ends its modal state).
  virtual void Hide() = 0;
  // The order in which Tab moves the focus between the given controls.
  virtual void SetTabOrder(const std::vector<WidgetPeer*>& order) = 0;
};

// A clickable thing: a button, a speed button, a menu item.
class ClickListener {
 public:
  virtual ~ClickListener() = default;
  // The user activated it (mouse click, Enter or Space on a focused button, menu choice).
  virtual void PeerClick() = 0;
};

// One item of the menu bar or of a drop-down menu.
class MenuItemPeer {
 public:
  virtual ~MenuItemPeer() = default;
  // The text; "&" marks the access letter.
  virtual void SetCaption(const std::string& caption) = 0;
  // Enables or greys the item (for a drop-down's title, the whole drop-down).
  virtual void SetEnabled(bool enabled) = 0;
  virtual void SetVisible(bool visible) = 0;
};

// The menu bar of a form.
class MenuPeer {
 public:
  virtual ~MenuPeer() = default;
  // Adds an item at the end of `parent` (nullptr: the bar itself). A separator is a line;
  // an item with `hasChildren` opens a drop-down to which later items can be added.
  // The listener receives the item's clicks (never for separators or drop-down titles).
  virtual MenuItemPeer& AddItem(MenuItemPeer* parent, const std::string& caption, bool separator,
                                bool hasChildren, ClickListener& listener) = 0;
};

class MouseListener {
 public:
  virtual ~MouseListener() = default;
  // A mouse button went down at (x, y) of the control; the second press of a double-click
  // is reported again with ssDouble in `shift`.
  virtual void PeerMouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
};

// A paint box: a control that shows its own backing surface. The surface always has the
// control's size; drawing on it shows on screen without a paint event. A size change keeps
// the pixels that still fit.
class PaintBoxPeer : public WidgetPeer, public CanvasSurface {};

class LabelPeer : public WidgetPeer {
 public:
  virtual void SetCaption(const std::string& caption) = 0;
  // With auto-size on, the label sizes itself to its text (one line, no wrapping).
  virtual void SetAutoSize(bool autoSize) = 0;
  // A transparent label shows its parent's background behind the text.
  virtual void SetTransparent(bool transparent) = 0;
  // The label's size now (after auto-size).
  virtual int CurrentWidth() const = 0;
  virtual int CurrentHeight() const = 0;
};

class ButtonPeer : public WidgetPeer {
 public:
  virtual void SetCaption(const std::string& caption) = 0;
  // Drawn as the form's default button (Enter presses it).
  virtual void SetDefault(bool isDefault) = 0;
};

class PanelPeer : public WidgetPeer {
 public:
  // A lowered outer bevel (a sunken 1-px frame) or none.
  virtual void SetBevelLowered(bool lowered) = 0;
};

class ImagePeer : public WidgetPeer {
 public:
  virtual void SetPicture(const TBitmapData& picture) = 0;
};

class ProgressBarPeer : public WidgetPeer {
 public:
  virtual void SetRange(int min, int max) = 0;
  // A smooth (continuous) bar; otherwise in blocks.
  virtual void SetSmooth(bool smooth) = 0;
  virtual void SetPosition(int position) = 0;
};

// A strip at the top of the client area holding speed buttons.
class ToolBarPeer : public WidgetPeer {
 public:
  // Draws the raised edge lines on the given sides.
  virtual void SetEdgeBorders(bool left, bool top, bool right, bool bottom) = 0;
};

class SpeedButtonPeer : public WidgetPeer {
 public:
  // The glyph; pixels with alpha 0 show the toolbar behind them.
  virtual void SetGlyph(const TBitmapData& glyph) = 0;
  virtual void SetHint(const std::string& hint) = 0;
};

class ListListener {
 public:
  virtual ~ListListener() = default;
  // A line was double-clicked.
  virtual void PeerDoubleClick(int index) = 0;
  // The highlighted line changed (click or arrow keys).
  virtual void PeerHighlight(int index) = 0;
  // Enter was pressed in the list; returns true when it was handled, false to let the form
  // press its default button.
  virtual bool PeerEnter() = 0;
};

class ListBoxPeer : public WidgetPeer {
 public:
  virtual void SetLines(const std::vector<TListLine>& lines) = 0;
  virtual void SetLineHeight(int pixels) = 0;
  // Highlights a line (-1: none) without reporting it.
  virtual void SetHighlighted(int index) = 0;
};

class ComboListener {
 public:
  virtual ~ComboListener() = default;
  // The user chose another line.
  virtual void PeerChange(int index) = 0;
};

// A drop-down list (not editable).
class ComboBoxPeer : public WidgetPeer {
 public:
  virtual void SetLines(const std::vector<TListLine>& lines) = 0;
  // Selects a line (-1: none) without reporting it.
  virtual void SetSelected(int index) = 0;
};

// The backend: the event loop, the factories of the peers, and a few global services.
class Backend {
 public:
  virtual ~Backend() = default;

  // Dispatches every event waiting now and returns; returns at once when none waits.
  virtual void ProcessEvents() = 0;
  // Blocks until at least one event arrives (or WakeUp is called), then dispatches every
  // event waiting.
  virtual void WaitEvents() = 0;
  // Makes a blocked WaitEvents return (used when a loop's end condition changed).
  virtual void WakeUp() = 0;

  virtual std::unique_ptr<FormPeer> CreateForm(FormListener& listener) = 0;
  // Creates the form's menu bar; the client area shrinks by its height.
  virtual std::unique_ptr<MenuPeer> CreateMenu(FormPeer& form) = 0;
  virtual std::unique_ptr<PaintBoxPeer> CreatePaintBox(WidgetPeer& parent,
                                                       MouseListener& listener) = 0;
  virtual std::unique_ptr<LabelPeer> CreateLabel(WidgetPeer& parent) = 0;
  virtual std::unique_ptr<ButtonPeer> CreateButton(WidgetPeer& parent, ClickListener& listener) = 0;
  virtual std::unique_ptr<PanelPeer> CreatePanel(WidgetPeer& parent) = 0;
  virtual std::unique_ptr<ImagePeer> CreateImage(WidgetPeer& parent) = 0;
  virtual std::unique_ptr<ProgressBarPeer> CreateProgressBar(WidgetPeer& parent) = 0;
  virtual std::unique_ptr<ToolBarPeer> CreateToolBar(WidgetPeer& parent) = 0;
  virtual std::unique_ptr<SpeedButtonPeer> CreateSpeedButton(WidgetPeer& parent,
                                                             ClickListener& listener) = 0;
  virtual std::unique_ptr<ListBoxPeer> CreateListBox(WidgetPeer& parent,
                                                     ListListener& listener) = 0;
  virtual std::unique_ptr<ComboBoxPeer> CreateComboBox(WidgetPeer& parent,
                                                       ComboListener& listener) = 0;
  // A countdown that calls `tick` every interval while started, from the event loop.
  virtual std::unique_ptr<TimerDriver> CreateTimerDriver(std::function<void()> tick) = 0;

  // A modal message box with an OK button (Enter dismisses it); returns when it is closed.
  virtual void MessageBox(const std::string& title, const std::string& text) = 0;
  // The mouse cursor over every window of the application (crDefault, crHourGlass).
  virtual void SetCursor(TCursor cursor) = 0;
  // The primary screen's size in pixels.
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  // Pixel width and height of `text` in `font` (the box TextOut fills).
  virtual void MeasureText(const TFont& font, const std::string& text, int& width,
                           int& height) const = 0;
};

// The backend linked into the program, created on first use.
Backend& CurrentBackend();

}  // namespace platform
