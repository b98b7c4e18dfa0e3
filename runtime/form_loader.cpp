#include "runtime/form_loader.h"

#include <toml++/toml.h>

#include <set>
#include <sstream>

#include "platform/font.h"

namespace runtime {
namespace {

struct Failure {
  int line;
  std::string message;
};

int LineOf(const toml::node& n) { return int(n.source().begin.line); }

class Loader {
 public:
  Loader(const AssetLookup& assets) : assets_(assets) {}

  FormDescription Load(const toml::table& root) {
    FormDescription form;
    for (auto&& [key, node] : root) {
      if (key != "window" && key != "unit")
        throw Failure{LineOf(node), "unknown key \"" + std::string(key.str()) + "\""};
    }
    const toml::node* number = root.get("window");
    if (!number) throw Failure{1, "the window number (window = 0x...) is missing"};
    form.window_number = U32(*number, "window");
    const toml::array* units = root.get_as<toml::array>("unit");
    if (!units || units->empty())
      throw Failure{LineOf(*number), "the form has no units ([[unit]])"};
    std::set<uint32_t> numbers;
    for (const toml::node& n : *units) {
      const toml::table* t = n.as_table();
      if (!t) throw Failure{LineOf(n), "a unit must be a table"};
      Unit unit = LoadUnit(*t);
      if (!numbers.insert(unit.number).second)
        throw Failure{unit.line, "unit number " + Hex(unit.number) + " is used twice"};
      form.units.push_back(std::move(unit));
    }
    const Unit& own = form.units.front();
    if (own.kind != kWindowKind)
      throw Failure{own.line, "the first unit must be the window itself"};
    for (size_t i = 1; i < form.units.size(); ++i) {
      const Unit& u = form.units[i];
      if (u.kind == kWindowKind) throw Failure{u.line, "a window cannot hold another window"};
      if (u.container != 0 && !numbers.count(u.container))
        throw Failure{u.line, "container " + Hex(u.container) + " is not a unit of this form"};
    }
    return form;
  }

 private:
  static int64_t Integer(const toml::node& n, std::string_view what) {
    auto v = n.value<int64_t>();
    if (!n.is_integer() || !v) throw Failure{LineOf(n), std::string(what) + " must be an integer"};
    return *v;
  }
  static uint32_t U32(const toml::node& n, std::string_view what) {
    int64_t v = Integer(n, what);
    if (v < 0 || v > 0xFFFFFFFFll)
      throw Failure{LineOf(n), std::string(what) + " must lie in 0..0xFFFFFFFF"};
    return uint32_t(v);
  }
  static int32_t I32(const toml::node& n, std::string_view what) {
    int64_t v = Integer(n, what);
    if (v < INT32_MIN || v > INT32_MAX)
      throw Failure{LineOf(n), std::string(what) + " does not fit 32 bits"};
    return int32_t(v);
  }
  static bool Bool(const toml::node& n, std::string_view what) {
    if (!n.is_boolean()) throw Failure{LineOf(n), std::string(what) + " must be true or false"};
    return *n.value<bool>();
  }
  static std::string Text(const toml::node& n, std::string_view what) {
    if (!n.is_string()) throw Failure{LineOf(n), std::string(what) + " must be a text"};
    return *n.value<std::string>();
  }

  Bytes Asset(const toml::node& n, std::string_view what) {
    std::string name = Text(n, what);
    if (name.empty()) return {};
    const Bytes* bytes = assets_(name);
    if (!bytes) throw Failure{LineOf(n), "unknown asset \"" + name + "\""};
    return *bytes;
  }

  static Bytes Font(const toml::node& n) {
    if (n.is_string()) {  // a whole record, as hex digits
      std::string hex = *n.value<std::string>();
      Bytes bytes;
      for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes.push_back(uint8_t(std::stoi(hex.substr(i, 2), nullptr, 16)));
      if (hex.size() % 2 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw Failure{LineOf(n), "a font record must be hex digits"};
      if (bytes.size() != platform::kFontRecordSize)
        throw Failure{LineOf(n),
                      "a font record must be 60 bytes, not " + std::to_string(bytes.size())};
      return bytes;
    }
    const toml::table* t = n.as_table();
    if (!t) throw Failure{LineOf(n), "font must be a table or a 60-byte record in hex"};
    platform::FontRecord r;
    for (auto&& [key, v] : *t) {
      std::string_view k = key.str();
      if (k == "height")
        r.height = I32(v, k);
      else if (k == "width")
        r.width = I32(v, k);
      else if (k == "escapement")
        r.escapement = I32(v, k);
      else if (k == "orientation")
        r.orientation = I32(v, k);
      else if (k == "weight")
        r.weight = I32(v, k);
      else if (k == "italic")
        r.italic = Bool(v, k);
      else if (k == "underline")
        r.underline = Bool(v, k);
      else if (k == "strike_out")
        r.strike_out = Bool(v, k);
      else if (k == "char_set")
        r.char_set = uint8_t(std::clamp<int32_t>(I32(v, k), 0, 255));
      else if (k == "face") {
        auto cp936 = platform::Utf8ToCp936(Text(v, k));
        if (!cp936) throw Failure{LineOf(v), "the face name has no code page 936 form"};
        r.face_cp936 = *cp936;
      } else {
        throw Failure{LineOf(v), "unknown font field \"" + std::string(k) + "\""};
      }
    }
    auto bytes = platform::EncodeFontRecord(r);
    if (!bytes) throw Failure{LineOf(n), "the face name is longer than 31 bytes"};
    return Bytes(bytes->begin(), bytes->end());
  }

  Value SettingValue(const SettingDef& def, const toml::node& n) {
    switch (def.type) {
      case SettingType::kInteger:
        return I32(n, def.role);
      case SettingType::kBoolean:
        // A boolean is stored as an integer: 1 yes, 0 no, and other numbers as written.
        if (n.is_integer()) return I32(n, def.role);
        return int32_t(Bool(n, def.role));
      case SettingType::kPick: {
        int32_t v = I32(n, def.role);
        if (v < def.pick_min || v > def.pick_max)
          throw Failure{LineOf(n), std::string(def.role) + " must be " +
                                       std::to_string(def.pick_min) + " to " +
                                       std::to_string(def.pick_max) + ", not " + std::to_string(v)};
        return v;
      }
      case SettingType::kColour:
      case SettingType::kOptionalColour:
      case SettingType::kColourWithDefault: {
        uint32_t v = U32(n, def.role);
        if (v > 0x00FFFFFF && v != kDefaultColour)
          throw Failure{LineOf(n), std::string(def.role) + " must be 0x00BBGGRR or 0xFF000000"};
        return int32_t(v);
      }
      case SettingType::kText:
      case SettingType::kFileName:
      case SettingType::kDataSource:
      case SettingType::kDataColumn:
        return Text(n, def.role);
      case SettingType::kPicture:
      case SettingType::kIcon:
      case SettingType::kSound:
        return Asset(n, def.role);
      case SettingType::kFont:
        return Font(n);
      case SettingType::kMousePointer:
        if (n.is_string()) return Asset(n, def.role);  // a custom cursor file
        {
          int32_t v = I32(n, def.role);
          if (v < 0 || v > 14)
            throw Failure{LineOf(n), "mouse_pointer must be 0 to 14 or a cursor file"};
          return v;
        }
    }
    throw Failure{LineOf(n), "unreadable setting"};
  }

  Unit LoadUnit(const toml::table& t) {
    Unit u;
    u.line = LineOf(t);
    const toml::node* number = t.get("number");
    if (!number) throw Failure{u.line, "a unit needs its number"};
    u.number = U32(*number, "number");
    const toml::node* kind = t.get("kind");
    if (!kind) throw Failure{u.line, "a unit needs its kind"};
    const KindInfo* info = FindKindByName(Text(*kind, "kind"));
    if (!info) throw Failure{LineOf(*kind), "unknown kind \"" + Text(*kind, "kind") + "\""};
    u.kind = info->number;
    for (auto&& [key, n] : t) {
      std::string_view k = key.str();
      if (k == "number" || k == "kind") continue;
      if (k == "name")
        u.name = Text(n, k);
      else if (k == "container")
        u.container = U32(n, k);
      else if (k == "takes_focus")
        u.takes_focus = Bool(n, k);
      else if (k == "focus_order")
        u.focus_order = U32(n, k);
      else if (k == "event_source")
        u.event_source = U32(n, k);
      else if (k == "events")
        u.bindings = Bindings(n, *info);
      else if (const SettingDef* def = FindSetting(*info, k))
        u.given.emplace_back(def->number, SettingValue(*def, n));
      else
        throw Failure{LineOf(n),
                      "unknown key \"" + std::string(k) + "\" for a " + std::string(info->name)};
    }
    return u;
  }

  static std::vector<EventBinding> Bindings(const toml::node& n, const KindInfo& kind) {
    const toml::array* list = n.as_array();
    if (!list) throw Failure{LineOf(n), "events must be a list of { event = ..., key = ... }"};
    std::vector<EventBinding> out;
    for (const toml::node& e : *list) {
      const toml::table* t = e.as_table();
      if (!t || !t->get("event") || !t->get("key") || t->size() != 2)
        throw Failure{LineOf(e), "an event binding is { event = index, key = handler key }"};
      EventBinding b;
      b.line = LineOf(e);
      b.event_index = I32(*t->get("event"), "event");
      if (!FindEvent(kind, b.event_index))
        throw Failure{b.line, "a " + std::string(kind.name) + " has no event " +
                                  std::to_string(b.event_index)};
      int64_t key = Integer(*t->get("key"), "key");
      if (key < -1 || key > 0xFFFFFFFFll) throw Failure{b.line, "key must be -1 or 0..0xFFFFFFFF"};
      b.handler_key = key == -1 ? kNoHandler : uint32_t(key);
      out.push_back(b);
    }
    return out;
  }

  const AssetLookup& assets_;
};

}  // namespace

FormLoadResult LoadForm(std::string_view file_name, std::string_view text,
                        const AssetLookup& assets) {
  FormLoadResult result;
  auto fail = [&](int line, const std::string& message) {
    result.error = std::string(file_name) + ":" + std::to_string(line) + ": " + message;
    return result;
  };
  toml::table root;
  try {
    root = toml::parse(text, file_name);
  } catch (const toml::parse_error& e) {
    return fail(int(e.source().begin.line), std::string(e.description()));
  }
  try {
    Loader loader(assets);
    result.form = loader.Load(root);
    result.form->file = std::string(file_name);
  } catch (const Failure& f) {
    return fail(f.line, f.message);
  } catch (const std::exception& e) {
    return fail(0, e.what());
  }
  return result;
}

}  // namespace runtime
