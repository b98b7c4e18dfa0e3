// Reading the program's form descriptions, and the fonts they draw with.
#include <pango/pango.h>

#include <algorithm>

#include "runtime/runtime.h"
#include "runtime/units.h"

namespace runtime {

FormsRead ReadForms(const RuntimeConfig& config) {
  FormsRead read;
  if (config.forms.empty()) read.error = "there are none";
  for (const SourceFile& f : config.forms) {
    FormLoadResult r = LoadForm(f.name, f.text, config.assets);
    if (!r.form) {
      read.error = r.error;
      break;
    }
    const uint32_t number = r.form->window_number;
    if (std::any_of(read.forms.begin(), read.forms.end(),
                    [&](const FormDescription& d) { return d.window_number == number; })) {
      read.error = f.name + ": window number " + Hex(number) + " is used twice";
      break;
    }
    read.forms.push_back(std::move(*r.form));
  }
  if (!read.error.empty()) read.forms.clear();
  return read;
}

std::vector<platform::Font> FontsOf(const std::vector<FormDescription>& forms) {
  std::vector<platform::Font> fonts{platform::Font::DefaultGui()};
  auto known = [&](const platform::Font& f) {
    return std::any_of(fonts.begin(), fonts.end(), [&](const platform::Font& k) {
      return pango_font_description_equal(k.Description(), f.Description());
    });
  };
  for (const FormDescription& form : forms)
    for (const Unit& unit : form.units)
      for (const SettingDef& s : unit.Kind().settings)
        if (s.type == SettingType::kFont)
          if (platform::Font f = FontOf(unit.Data(s.number)); !known(f)) fonts.push_back(f);
  return fonts;
}

}  // namespace runtime
