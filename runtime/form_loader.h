// Reading form descriptions from their text form (TOML). Every value is checked against its
// kind's table; the first problem is reported with the file name and line.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/form_model.h"

namespace runtime {

// The bytes of an asset by file name, or null when there is no such asset.
using AssetLookup = std::function<const Bytes*(std::string_view name)>;

struct FormLoadResult {
  std::optional<FormDescription> form;
  std::string error;  // "file:line: what is wrong" when form is empty
};

FormLoadResult LoadForm(std::string_view file_name, std::string_view text,
                        const AssetLookup& assets);

}  // namespace runtime
