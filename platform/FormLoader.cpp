// The form loader: reads a form description (JSON), applies the form's settings, creates
// the components through the kind registry, applies their common settings and binds every
// named event to the handler the form class registered. Unknown kinds, handlers, events or
// malformed values raise Exception naming the form and the component.
#include <map>
#include <nlohmann/json.hpp>

#include "platform/Application.h"
#include "platform/Embedded.h"
#include "platform/FormDescription.h"
#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/Timer.h"

namespace platform {

namespace {

using nlohmann::json;

const std::map<std::string, TColor>& ColorNames() {
  static const std::map<std::string, TColor> names = {
      {"clBlack", clBlack},     {"clAqua", clAqua},
      {"clRed", clRed},         {"clGreen", clGreen},
      {"clSilver", clSilver},   {"clWhite", clWhite},
      {"clYellow", clYellow},   {"clWindowText", clWindowText},
      {"clBtnFace", clBtnFace}, {"clInactiveBorder", clInactiveBorder},
      {"cl3DLight", cl3DLight},
  };
  return names;
}

class JsonDesc final : public ComponentDesc {
 public:
  JsonDesc(const json& j, std::string context) : j_(j), context_(std::move(context)) {
    kind_ = j_.value("Kind", std::string());
    name_ = j_.value("Name", std::string());
  }
  const std::string& Kind() const override { return kind_; }
  const std::string& Name() const override { return name_; }
  bool Has(const std::string& key) const override { return j_.contains(key); }

  int Int(const std::string& key, int fallback) const override {
    if (!j_.contains(key)) return fallback;
    const json& v = j_.at(key);
    if (!v.is_number_integer()) throw Bad(key, "an integer");
    return v.get<int>();
  }
  bool Bool(const std::string& key, bool fallback) const override {
    if (!j_.contains(key)) return fallback;
    const json& v = j_.at(key);
    if (!v.is_boolean()) throw Bad(key, "true or false");
    return v.get<bool>();
  }
  std::string String(const std::string& key, const std::string& fallback) const override {
    if (!j_.contains(key)) return fallback;
    const json& v = j_.at(key);
    if (!v.is_string()) throw Bad(key, "a string");
    return v.get<std::string>();
  }
  TColor Color(const std::string& key, TColor fallback) const override {
    if (!j_.contains(key)) return fallback;
    return ParseColor(j_.at(key), key);
  }
  TFont Font(const std::string& key, const TFont& fallback) const override {
    if (!j_.contains(key)) return fallback;
    const json& f = j_.at(key);
    if (!f.is_object()) throw Bad(key, "a font object");
    TFont font = fallback;
    JsonDesc sub(f, context_ + "." + key);
    font.Name = sub.String("Name", font.Name);
    font.Height = sub.Int("Height", font.Height);
    if (f.contains("Charset")) {
      const json& c = f.at("Charset");
      if (c == "SHIFTJIS_CHARSET")
        font.Charset = SHIFTJIS_CHARSET;
      else if (c == "DEFAULT_CHARSET")
        font.Charset = DEFAULT_CHARSET;
      else
        font.Charset = sub.Int("Charset", font.Charset);
    }
    font.Color = sub.Color("Color", font.Color);
    font.Bold = sub.Bool("Bold", font.Bold);
    return font;
  }

  // One of `names` (a symbolic value), as its index.
  int Choice(const std::string& key, std::initializer_list<const char*> names, int fallback) const {
    std::string v = String(key, "");
    if (v.empty()) return fallback;
    int i = 0;
    for (const char* n : names) {
      if (v == n) return i;
      ++i;
    }
    throw Bad(key, "one of the known values, not \"" + v + "\"");
  }
  // A set of symbolic names, as a bit set in the order of `names`.
  unsigned Flags(const std::string& key, std::initializer_list<const char*> names,
                 unsigned fallback) const {
    if (!j_.contains(key)) return fallback;
    const json& v = j_.at(key);
    if (!v.is_array()) throw Bad(key, "a list");
    unsigned bits = 0;
    for (const json& item : v) {
      unsigned bit = 1;
      bool found = false;
      for (const char* n : names) {
        if (item == n) {
          bits |= bit;
          found = true;
        }
        bit <<= 1;
      }
      if (!found) throw Bad(key, "a list of known values");
    }
    return bits;
  }

  const json& Raw() const { return j_; }
  const std::string& Context() const { return context_; }
  Exception Bad(const std::string& key, const std::string& expected) const {
    return Exception(context_ + ": " + key + " must be " + expected);
  }

 private:
  TColor ParseColor(const json& v, const std::string& key) const {
    if (v.is_number_unsigned() || v.is_number_integer()) return v.get<TColor>();
    if (v.is_string()) {
      const std::string s = v.get<std::string>();
      auto it = ColorNames().find(s);
      if (it != ColorNames().end()) return it->second;
      if (s.rfind("0x", 0) == 0) return static_cast<TColor>(std::stoul(s, nullptr, 16));
    }
    throw Bad(key, "a colour");
  }

  const json& j_;
  std::string context_;
  std::string kind_;
  std::string name_;
};

std::map<std::string, ComponentFactory>& Kinds();

template <class T>
ComponentFactory Plain() {
  return [](TCustomForm& form, TWinControl* parent, const ComponentDesc&) {
    return std::make_unique<T>(form, parent);
  };
}

void RegisterBuiltInKinds(std::map<std::string, ComponentFactory>& kinds) {
  kinds["TPaintBox"] = Plain<TPaintBox>();
  kinds["TLabel"] = [](TCustomForm& form, TWinControl* parent, const ComponentDesc& d) {
    auto label = std::make_unique<TLabel>(form, parent);
    label->SetAutoSize(d.Bool("AutoSize", true));
    label->SetTransparent(d.Bool("Transparent", false));
    label->SetCaption(d.String("Caption", ""));
    return label;
  };
  kinds["TButton"] = [](TCustomForm& form, TWinControl* parent, const ComponentDesc& d) {
    auto button = std::make_unique<TButton>(form, parent);
    button->SetCaption(d.String("Caption", ""));
    button->SetModalResult(d.Int("ModalResult", mrNone));
    button->SetDefault(d.Bool("Default", false));
    return button;
  };
  kinds["TPanel"] = [](TCustomForm& form, TWinControl* parent, const ComponentDesc& d) {
    auto panel = std::make_unique<TPanel>(form, parent);
    const std::string bevel = d.String("BevelOuter", "bvNone");
    if (bevel != "bvNone" && bevel != "bvLowered")
      throw Exception("Panel " + d.Name() + ": BevelOuter must be bvNone or bvLowered");
    panel->SetBevelLowered(bevel == "bvLowered");
    return panel;
  };
  kinds["TImage"] = [](TCustomForm& form, TWinControl* parent, const ComponentDesc&) {
    auto image = std::make_unique<TImage>(form, parent);
    return image;  // the picture is loaded after the bounds (AutoSize overrides them)
  };
  kinds["TProgressBar"] = [](TCustomForm& form, TWinControl* parent, const ComponentDesc& d) {
    auto bar = std::make_unique<TProgressBar>(form, parent);
    bar->SetRange(d.Int("Min", 0), d.Int("Max", 100));
    bar->SetSmooth(d.Bool("Smooth", false));
    bar->SetPosition(d.Int("Position", 0));
    return bar;
  };
  kinds["TToolBar"] = [](TCustomForm& form, TWinControl* parent, const ComponentDesc& d) {
    auto bar = std::make_unique<TToolBar>(form, parent);
    const auto& desc = static_cast<const JsonDesc&>(d);
    const unsigned edges = desc.Flags("EdgeBorders", {"ebLeft", "ebTop", "ebRight", "ebBottom"}, 0);
    bar->SetEdgeBorders(edges & 1, edges & 2, edges & 4, edges & 8);
    return bar;
  };
  kinds["TSpeedButton"] = [](TCustomForm& form, TWinControl* parent, const ComponentDesc& d) {
    auto button = std::make_unique<TSpeedButton>(form, parent);
    if (d.Has("Glyph")) button->LoadGlyph(d.String("Glyph", ""));
    button->SetHint(d.String("Hint", ""));
    return button;
  };
  kinds["TListBox"] = [](TCustomForm& form, TWinControl* parent, const ComponentDesc& d) {
    auto list = std::make_unique<TCustomListBox>(form, parent);
    if (d.Has("ItemHeight")) list->SetLineHeight(d.Int("ItemHeight", 16));
    return list;
  };
  kinds["TComboBox"] = Plain<TCustomComboBox>();
  kinds["TTimer"] = [](TCustomForm&, TWinControl*, const ComponentDesc& d) {
    auto target = std::make_shared<TTimer*>(nullptr);
    auto timer = std::make_unique<TTimer>(CurrentBackend().CreateTimerDriver([target] {
      if (*target) GuardedCall([&] { (*target)->Tick(); });
    }));
    *target = timer.get();
    timer->SetInterval(static_cast<unsigned>(d.Int("Interval", 1000)));
    timer->SetEnabled(d.Bool("Enabled", true));
    return timer;
  };
}

std::map<std::string, ComponentFactory>& Kinds() {
  static std::map<std::string, ComponentFactory> kinds = [] {
    std::map<std::string, ComponentFactory> k;
    RegisterBuiltInKinds(k);
    return k;
  }();
  return kinds;
}

}  // namespace

void RegisterComponentKind(const std::string& kind, ComponentFactory factory) {
  Kinds()[kind] = std::move(factory);
}

const ComponentFactory* FindComponentKind(const std::string& kind) {
  auto it = Kinds().find(kind);
  return it == Kinds().end() ? nullptr : &it->second;
}

class FormLoader {
 public:
  FormLoader(TCustomForm& form, const std::string& what) : form_(form), what_(what) {}

  void Load(const json& root) {
    if (!root.is_object()) throw Exception(what_ + ": not a form description");
    JsonDesc d(root, what_);
    form_.Name = d.String("Name", form_.Name);
    form_.SetCaption(d.String("Caption", ""));
    FormStyleSettings style;
    style.BorderStyle = static_cast<TFormBorderStyle>(
        d.Choice("BorderStyle", {"bsSizeable", "bsSingle", "bsDialog"}, bsSizeable));
    style.BorderIcons =
        d.Flags("BorderIcons", {"biSystemMenu", "biMinimize", "biMaximize"}, style.BorderIcons);
    style.StayOnTop = d.Choice("FormStyle", {"fsNormal", "fsStayOnTop"}, fsNormal) == 1;
    form_.style_ = style;
    form_.peer_->SetStyle(style);
    form_.SetPosition(
        static_cast<TPosition>(d.Choice("Position", {"poDesigned", "poScreenCenter"}, 0)));
    form_.SetColor(d.Color("Color", clBtnFace));
    form_.SetFont(d.Font("Font", form_.Font()));
    if (d.Has("Icon")) form_.LoadIcon(d.String("Icon", ""));

    if (root.contains("Components")) LoadChildren(root.at("Components"), nullptr);

    form_.peer_->SetClientSize(d.Int("ClientWidth", 300), d.Int("ClientHeight", 200));
    form_.peer_->SetFramePosition(d.Int("Left", 0), d.Int("Top", 0));
    form_.LayoutAligned();
    BindEvents(d, form_);
    form_.ApplyTabOrder();
    for (auto& c : form_.components_)
      if (auto* component = dynamic_cast<TComponent*>(c.get())) component->Loaded(form_);
  }

 private:
  void LoadChildren(const json& list, TWinControl* parent) {
    if (!list.is_array()) throw Exception(what_ + ": Components must be a list");
    for (const json& entry : list) {
      if (!entry.is_object()) throw Exception(what_ + ": a component must be an object");
      JsonDesc d(entry, what_ + "." + entry.value("Name", std::string("?")));
      if (d.Name().empty()) throw Exception(d.Context() + ": component without a Name");
      if (d.Kind() == "TMainMenu") {
        LoadMenu(d);
        continue;
      }
      const ComponentFactory* factory = FindComponentKind(d.Kind());
      if (!factory) throw Exception(d.Context() + ": unknown kind " + d.Kind());
      std::unique_ptr<TObject> made = (*factory)(form_, parent, d);
      TObject& obj = form_.Adopt(std::move(made), d.Name());
      if (auto* component = dynamic_cast<TComponent*>(&obj)) component->Name = d.Name();
      if (auto* control = dynamic_cast<TControl*>(&obj)) ApplyCommon(d, *control);
      if (auto* timer = dynamic_cast<TTimer*>(&obj)) {
        if (entry.contains("Events")) BindTimer(d, *timer);
      } else if (auto* component = dynamic_cast<TComponent*>(&obj)) {
        BindEvents(d, *component);
      }
      if (entry.contains("Components")) {
        auto* container = dynamic_cast<TWinControl*>(&obj);
        if (!container) throw Exception(d.Context() + ": holds no components");
        LoadChildren(entry.at("Components"), container);
      }
    }
  }

  void ApplyCommon(const JsonDesc& d, TControl& c) {
    c.SetAlign(static_cast<TAlign>(d.Choice("Align", {"alNone", "alTop", "alClient"}, alNone)));
    c.SetBounds(d.Int("Left", 0), d.Int("Top", 0), d.Int("Width", c.Width()),
                d.Int("Height", c.Height()));
    TColor parentColor = c.Parent() ? c.Parent()->Color() : form_.Color();
    c.SetColor(d.Color("Color", parentColor));
    const TFont parentFont = c.Parent() ? c.Parent()->Font() : form_.Font();
    c.SetFont(d.Font("Font", parentFont));
    c.SetEnabled(d.Bool("Enabled", true));
    c.SetVisible(d.Bool("Visible", true));
    c.SetTabOrder(d.Int("TabOrder", -1));
    if (auto* image = dynamic_cast<TImage*>(&c); image && d.Has("Picture"))
      image->LoadPicture(d.String("Picture", ""), d.Bool("AutoSize", false));
  }

  void LoadMenu(const JsonDesc& d) {
    auto menu = std::make_unique<TMainMenu>(CurrentBackend().CreateMenu(*form_.peer_));
    menu->Name = d.Name();
    MenuPeer& peer = menu->Peer();
    form_.Adopt(std::move(menu), d.Name());
    if (d.Raw().contains("Items")) LoadItems(d.Raw().at("Items"), peer, nullptr);
  }

  void LoadItems(const json& list, MenuPeer& menu, TMenuItem* parent) {
    if (!list.is_array()) throw Exception(what_ + ": Items must be a list");
    for (const json& entry : list) {
      JsonDesc d(entry, what_ + "." + entry.value("Name", std::string("?")));
      const bool hasChildren = entry.contains("Items");
      auto item =
          std::make_unique<TMenuItem>(form_, menu, parent, d.String("Caption", ""), hasChildren);
      item->Name = d.Name();
      item->SetEnabled(d.Bool("Enabled", true));
      TMenuItem& ref = static_cast<TMenuItem&>(form_.Adopt(std::move(item), d.Name()));
      BindEvents(d, ref);
      if (hasChildren) LoadItems(entry.at("Items"), menu, &ref);
    }
  }

  void BindEvents(const JsonDesc& d, TComponent& target) {
    if (!d.Raw().contains("Events")) return;
    const json& events = d.Raw().at("Events");
    if (!events.is_object()) throw Exception(d.Context() + ": Events must be an object");
    for (auto it = events.begin(); it != events.end(); ++it) {
      if (!it.value().is_string()) throw Exception(d.Context() + ": bad handler name");
      const std::string event = it.key();
      const std::string handler = it.value().get<std::string>();
      if (&target == &form_) {
        BindFormEvent(d, event, handler);
      } else if (!target.BindEvent(event, handler, form_)) {
        throw Exception(d.Context() + ": no event " + event);
      }
    }
  }

  void BindFormEvent(const JsonDesc& d, const std::string& event, const std::string& handler) {
    if (event == "OnCreate")
      form_.OnCreate = form_.NotifyHandler(handler);
    else if (event == "OnDestroy")
      form_.OnDestroy = form_.NotifyHandler(handler);
    else if (event == "OnPaint")
      form_.OnPaint = form_.NotifyHandler(handler);
    else if (event == "OnClose")
      form_.OnClose = form_.CloseHandler(handler);
    else
      throw Exception(d.Context() + ": no event " + event);
  }

  void BindTimer(const JsonDesc& d, TTimer& timer) {
    for (auto it = d.Raw().at("Events").begin(); it != d.Raw().at("Events").end(); ++it) {
      if (it.key() != "OnTimer" || !it.value().is_string())
        throw Exception(d.Context() + ": no event " + it.key());
      timer.OnTimer = form_.NotifyHandler(it.value().get<std::string>());
    }
  }

  TCustomForm& form_;
  std::string what_;
};

void TCustomForm::LoadDescription(const std::string& formName) {
  const std::string file = formName + ".json";
  std::string_view text = FindEmbedded(file);
  if (text.empty()) throw Exception("Form description " + file + " is not embedded");
  LoadDescriptionText(text, file);
}

void TCustomForm::LoadDescriptionText(std::string_view text, const std::string& what) {
  json root;
  try {
    root = json::parse(text.begin(), text.end());
  } catch (const json::exception& e) {
    throw Exception(what + ": " + e.what());
  }
  FormLoader(*this, what).Load(root);
}

}  // namespace platform
