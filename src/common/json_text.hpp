// JSON string literals for the texts the program prints for scripts.
#pragma once

#include <string>
#include <string_view>

namespace patchlore {

// The UTF-8 text in double quotes, with quotes, backslashes and control
// characters escaped.
std::string JsonQuoted(std::string_view utf8);

}  // namespace patchlore
