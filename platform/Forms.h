// Forms: top-level windows built from a form description. A form class is written like this:
//
//   class TMyForm : public platform::TForm {
//    public:
//     explicit TMyForm(TMyForm*& self) : TForm(self) {   // `self` is set first
//       RegisterHandler("OkClick", [this](platform::TObject* s) { OkClick(s); });
//       LoadDescription("MyForm");    // components created, events bound by name
//       DoCreate();                   // OnCreate, guarded
//       count_ = 0;                   // the class's own fields come last
//     }
//     ~TMyForm() override { text_.clear(); DoDestroy(); }
//   };
//
// Closing goes through OnClose; closing the main form ends TApplication::Run. ShowModal runs
// a nested message loop until ModalResult is set (a button with a ModalResult, or the close
// box, which gives mrCancel).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Application.h"
#include "platform/Backend.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Object.h"
#include "platform/UiTypes.h"

namespace platform {

class TMainMenu;
class ComponentDesc;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

class TCustomForm : public TComponent, private FormListener {
 public:
  ~TCustomForm() override;
  TCustomForm(const TCustomForm&) = delete;
  TCustomForm& operator=(const TCustomForm&) = delete;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

  // The outer frame, in screen pixels.
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(int left);
  void SetTop(int top);
  void SetWidth(int width);
  void SetHeight(int height);
  // The client area: below the menu bar, inside the frame.
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int width);
  void SetClientHeight(int height);

  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);
  TFormBorderStyle BorderStyle() const { return style_.BorderStyle; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return style_.BorderIcons; }
  void SetBorderIcons(TBorderIcons icons);
  TFormStyle FormStyle() const { return style_.StayOnTop ? fsStayOnTop : fsNormal; }
  void SetFormStyle(TFormStyle style);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font) { font_ = font; }
  // The icon, from an embedded image resource.
  void LoadIcon(const std::string& resourceName);

  void Show();
  void Hide();
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible ? Show() : Hide(); }
  // Shows the form modally and runs a nested loop until ModalResult is non-zero; returns it.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result);
  // Asks OnClose; hides the form unless the handler set caNone. On a modal form it sets
  // ModalResult to mrCancel; on the main form it also ends the application's loop.
  void Close();
  // Repaints at once: every paint box is filled with its Color, then OnPaint runs, before
  // Refresh returns.
  void Refresh();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TCloseEvent OnClose;
  TNotifyEvent OnPaint;

  // The component called `name` as T, or nullptr when there is none of that kind.
  template <class T>
  T* FindComponent(const std::string& name) const {
    auto it = byName_.find(name);
    return it == byName_.end() ? nullptr : dynamic_cast<T*>(it->second);
  }
  // Like FindComponent, but raises Exception when it is missing.
  template <class T>
  T& Component(const std::string& name) const {
    T* found = FindComponent<T>(name);
    if (!found) throw Exception("Form " + Name + " has no component " + name);
    return *found;
  }

  // The handlers registered under `name` (raise Exception naming it when there is none).
  const TNotifyEvent& NotifyHandler(const std::string& name) const;
  const TCloseEvent& CloseHandler(const std::string& name) const;
  const TMouseEvent& MouseHandler(const std::string& name) const;

  FormPeer& Peer() const { return *peer_; }
  // Adds a component made outside the loader; the form owns it from now on.
  TObject& Adopt(std::unique_ptr<TObject> component, const std::string& name);

 protected:
  TCustomForm();

  // Step 1 of a form's construction: register the handlers the description names.
  void RegisterHandler(const std::string& name, TNotifyEvent handler);
  void RegisterCloseHandler(const std::string& name, TCloseEvent handler);
  void RegisterMouseHandler(const std::string& name, TMouseEvent handler);
  // Step 2: create the components from the embedded description `<formName>.json`, apply
  // the form's settings and bind the events. Raises Exception when a name is unknown.
  void LoadDescription(const std::string& formName);
  // The same from description text (tests build small forms this way).
  void LoadDescriptionText(std::string_view json, const std::string& what);
  // Step 3: runs OnCreate through GuardedCall (an exception is shown; creation goes on).
  void DoCreate();
  // Called by the derived destructor, after it released what it must: runs OnDestroy
  // through GuardedCall (once). The components go afterwards, with the form. The base
  // destructor does not run OnDestroy, since the derived part is gone by then.
  void DoDestroy();

 private:
  friend class FormLoader;
  // FormListener
  void PeerCloseRequested() override;
  void PeerPaint() override;
  void PeerClientResized(int clientWidth, int clientHeight) override;
  void PeerFrameChanged(int left, int top, int width, int height) override;
  void PeerWindowStateChanged(TWindowState state) override;
  void PeerEnterKey() override;

  void ApplyPlacementBeforeShow();
  void LayoutAligned();
  void ApplyTabOrder();
  TButton* DefaultButton() const;

  std::unique_ptr<FormPeer> peer_;
  std::string caption_;
  FormStyleSettings style_;
  TWindowState windowState_ = wsNormal;
  TPosition position_ = poDesigned;
  TColor color_ = clBtnFace;
  TFont font_;
  bool visible_ = false;
  bool shownOnce_ = false;
  bool modal_ = false;
  bool destroyed_ = false;
  TModalResult modalResult_ = mrNone;

  std::map<std::string, TNotifyEvent> notifyHandlers_;
  std::map<std::string, TCloseEvent> closeHandlers_;
  std::map<std::string, TMouseEvent> mouseHandlers_;
  // Components in creation order; destroyed newest first.
  std::vector<std::unique_ptr<TObject>> components_;
  std::map<std::string, TObject*> byName_;
  std::vector<TControl*> topControls_;  // controls directly on the client area, in order
  std::vector<TPaintBox*> paintBoxes_;
};

class TForm : public TCustomForm {
 public:
  // Stores the new form in `self` before anything else of the construction runs, so code
  // running during construction (OnCreate) already finds it through the global reference.
  template <class T>
  explicit TForm(T*& self) {
    // T's object starts where its TForm part starts (TForm is its first base, as
    // CreateForm checks); a cast through void* names it without claiming it exists yet.
    self = static_cast<T*>(static_cast<void*>(this));
    Application->FormConstructing(this);
  }
};

}  // namespace platform
