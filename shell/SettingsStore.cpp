// The settings store over platform::TRegistry: one key, four integers and one string.
#include "shell/SettingsStore.h"

#include <array>
#include <memory>

#include "platform/Application.h"
#include "platform/Forms.h"
#include "platform/Registry.h"
#include "shell/DUUnit.h"

std::string SavedPath;

std::string SettingsKeyPath() {
  return std::string("Software\\Halvardyn\\Ombrelith") + "\\Default";
}

void LoadPlacement() {
  const std::string key = SettingsKeyPath();
  auto reg = std::make_unique<platform::TRegistry>();
  if (reg->OpenKey(key, false)) {
    // The application names its main form before that form's creation event runs.
    platform::TCustomForm* form = platform::Application->MainForm();
    using Setter = void (platform::TCustomForm::*)(int);
    const std::array<std::pair<const char*, Setter>, 4> values{{
        {"Left", &platform::TCustomForm::SetLeft},
        {"Top", &platform::TCustomForm::SetTop},
        {"Width", &platform::TCustomForm::SetWidth},
        {"Height", &platform::TCustomForm::SetHeight},
    }};
    for (const auto& [name, set] : values) {
      if (!reg->ValueExists(name)) continue;
      const int value = reg->ReadInteger(name);
      if (form) (form->*set)(value);
    }
  }
  reg->CloseKey();
}

void LoadFolderPath() {
  const std::string key = SettingsKeyPath();
  auto reg = std::make_unique<platform::TRegistry>();
  if (reg->OpenKey(key, false) && reg->ValueExists("Path")) SavedPath = reg->ReadString("Path");
  reg->CloseKey();
}

void SavePlacement(platform::TCustomForm& form) {
  if (form.WindowState() == platform::wsMaximized) return;
  const std::string key = SettingsKeyPath();
  auto reg = std::make_unique<platform::TRegistry>();
  reg->OpenKey(key, true);
  reg->WriteInteger("Left", form.Left());
  reg->WriteInteger("Top", form.Top());
  reg->WriteInteger("Width", form.Width());
  reg->WriteInteger("Height", form.Height());
  reg->CloseKey();
}

void SaveFolderPath(TDuForm& form) {
  const std::string key = SettingsKeyPath();
  auto reg = std::make_unique<platform::TRegistry>();
  reg->OpenKey(key, true);
  reg->WriteString("Path", form.FolderPath);
  reg->CloseKey();
}
