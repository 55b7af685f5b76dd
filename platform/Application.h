// The application object: creates the forms, runs the message loop and reports exceptions.
// Every event handler the backend triggers runs through GuardedCall, so an exception that
// escapes a handler is shown with ShowException and the program goes on.
#pragma once

#include <chrono>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Object.h"

namespace platform {

class TCustomForm;

class TApplication : public TObject {
 public:
  TApplication();
  ~TApplication() override;

  void Initialize();
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  // Creates a form of class T owned by the application. `ref` is set to the new form before
  // the form's own construction runs: T's constructor passes `ref` on to the TForm base,
  // which stores itself in it first. The first form created is the main form.
  // The first form created is the main form already while its construction runs (its
  // OnCreate finds it as MainForm()).
  template <class T>
  void CreateForm(T*& ref) {
    creating_ = true;
    std::unique_ptr<T> form;
    try {
      form = std::make_unique<T>(ref);
    } catch (...) {
      CreateFailed();
      ref = nullptr;
      throw;
    }
    creating_ = false;
    if (!FirstBaseIsForm(form.get(), static_cast<void*>(form.get()))) {
      ref = nullptr;
      CreateFailed();
      ThrowNotFirstBase();
    }
    ref = form.get();
    AdoptForm(std::move(form));
  }
  // Called by the TForm base first thing in its construction.
  void FormConstructing(TCustomForm* form);

  // Shows the main form and runs the message loop until the main form has closed.
  void Run();
  // Dispatches every waiting message. Calls that come within a few milliseconds of the last
  // real dispatch return at once, so a caller may call it for every item of a long loop.
  void ProcessMessages();
  // Ends Run's loop (closing the main form calls this).
  void Terminate();
  bool Terminated() const { return terminated_; }

  // A message box titled with Title() showing the exception's message.
  void ShowException(const std::exception& e);
  // Tests replace the message box: the hook receives the title and the message instead.
  using ExceptionHook = std::function<void(const std::string& title, const std::string& text)>;
  void SetExceptionHook(ExceptionHook hook) { exceptionHook_ = std::move(hook); }

  TCustomForm* MainForm() const { return mainForm_; }

  // Destroys every form, newest first, each through its own destructor (and so its
  // OnDestroy). The program calls it after Run returns; the destructor calls it too.
  void DestroyForms();

  // How long ProcessMessages skips after a real dispatch.
  static constexpr std::chrono::microseconds kPumpInterval{4000};

 private:
  void AdoptForm(std::unique_ptr<TCustomForm> form);
  void CreateFailed();
  // The early reference of CreateForm relies on TForm being the form class's first base.
  static bool FirstBaseIsForm(const TCustomForm* asForm, const void* asObject) {
    return static_cast<const void*>(asForm) == asObject;
  }
  [[noreturn]] static void ThrowNotFirstBase();

  std::string title_;
  std::vector<std::unique_ptr<TCustomForm>> forms_;
  TCustomForm* mainForm_ = nullptr;
  TCustomForm* constructing_ = nullptr;  // the form CreateForm is constructing
  bool creating_ = false;
  bool terminated_ = false;
  std::chrono::steady_clock::time_point lastPump_{};
  ExceptionHook exceptionHook_;
};

extern TApplication* Application;

// Runs `body`; a std::exception that escapes it is shown by Application->ShowException.
void GuardedCall(const std::function<void()>& body);

}  // namespace platform
