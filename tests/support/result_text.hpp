// A result as one text a test can compare whole: "ok" or the failure's text.
#pragma once

#include <string>

#include "common/result.hpp"

namespace patchlore::test {

template <class T, class E>
std::string ResultText(const Result<T, E>& result) {
  return result ? std::string("ok") : result.failure().text;
}

}  // namespace patchlore::test
