// Form descriptions: each form's settings and components are data (JSON, embedded in the
// executable) rather than C++. The form loader reads a description, creates every component
// through the factory registered for its kind, applies the settings and binds each named
// event to the handler the form class registered under that name. Kinds that live outside
// platform/ (TDirectoryListBox, TDriveComboBox) register their factory here.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Graphics.h"
#include "platform/Object.h"

namespace platform {

class TCustomForm;
class TWinControl;

// Read access to one component's entry of a description.
class ComponentDesc {
 public:
  virtual ~ComponentDesc() = default;
  virtual const std::string& Kind() const = 0;
  virtual const std::string& Name() const = 0;
  virtual bool Has(const std::string& key) const = 0;
  // The values under `key`, or `fallback` when it is missing. A value of the wrong type
  // raises Exception naming the component and the key.
  virtual int Int(const std::string& key, int fallback) const = 0;
  virtual bool Bool(const std::string& key, bool fallback) const = 0;
  virtual std::string String(const std::string& key, const std::string& fallback) const = 0;
  // A colour: a name ("clBlack", "clBtnFace", ...) or a number 0x00BBGGRR.
  virtual TColor Color(const std::string& key, TColor fallback) const = 0;
  // A font object {"Name", "Height", "Charset", "Color", "Bold"}; missing fields keep
  // `fallback`'s.
  virtual TFont Font(const std::string& key, const TFont& fallback) const = 0;
};

// Creates a component of one kind on `form`, inside `parent` (nullptr: the client area),
// and applies the settings only that kind has. Left, Top, Width, Height, Align, Visible,
// Enabled, Color, Font, TabOrder and the events are applied by the loader afterwards.
using ComponentFactory = std::function<std::unique_ptr<TObject>(
    TCustomForm& form, TWinControl* parent, const ComponentDesc& desc)>;

void RegisterComponentKind(const std::string& kind, ComponentFactory factory);
// The factory of `kind`, or nullptr.
const ComponentFactory* FindComponentKind(const std::string& kind);

}  // namespace platform
