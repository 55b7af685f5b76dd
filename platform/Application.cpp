// The application object and the guard every event handler runs through.
#include "platform/Application.h"

#include "platform/Backend.h"
#include "platform/Forms.h"

namespace platform {

namespace {
TApplication theApplication;
}  // namespace

TApplication* Application = &theApplication;

TApplication::TApplication() = default;

TApplication::~TApplication() {
  DestroyForms();
}

void TApplication::Initialize() {
  CurrentBackend();
}

void TApplication::FormConstructing(TCustomForm* form) {
  if (!creating_) return;  // a form made outside CreateForm
  constructing_ = form;
  if (!mainForm_) mainForm_ = form;
}

void TApplication::ThrowNotFirstBase() {
  throw Exception("CreateForm: a form class must have TForm as its first base");
}

void TApplication::CreateFailed() {
  creating_ = false;
  if (mainForm_ && mainForm_ == constructing_) mainForm_ = nullptr;
  constructing_ = nullptr;
}

void TApplication::AdoptForm(std::unique_ptr<TCustomForm> form) {
  constructing_ = nullptr;
  if (!mainForm_) mainForm_ = form.get();
  forms_.push_back(std::move(form));
}

void TApplication::Run() {
  if (!mainForm_) return;
  terminated_ = false;
  Backend& backend = CurrentBackend();
  GuardedCall([&] { mainForm_->Show(); });
  while (!terminated_) backend.WaitEvents();
}

void TApplication::ProcessMessages() {
  auto now = std::chrono::steady_clock::now();
  if (now - lastPump_ < kPumpInterval) return;
  CurrentBackend().ProcessEvents();
  lastPump_ = std::chrono::steady_clock::now();
}

void TApplication::Terminate() {
  terminated_ = true;
  CurrentBackend().WakeUp();
}

void TApplication::ShowException(const std::exception& e) {
  if (exceptionHook_) {
    exceptionHook_(title_, e.what());
    return;
  }
  CurrentBackend().MessageBox(title_, e.what());
}

void TApplication::DestroyForms() {
  while (!forms_.empty()) {
    std::unique_ptr<TCustomForm> form = std::move(forms_.back());
    forms_.pop_back();
    if (form.get() == mainForm_) mainForm_ = nullptr;
    form.reset();
  }
}

void GuardedCall(const std::function<void()>& body) {
  try {
    body();
  } catch (const std::exception& e) {
    try {
      Application->ShowException(e);
    } catch (...) {
      // A failing report must not take the program down with it.
    }
  }
}

}  // namespace platform
