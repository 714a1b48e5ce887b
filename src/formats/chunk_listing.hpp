// The "Check PCG" listing: the header, chunk directory and song directory of
// any file, as lines of text. It never refuses a file; it reports what it finds.
#pragma once

#include <string>
#include <vector>

#include "common/bytes.hpp"

namespace patchlore {

// path is the full path and name shown on the first line.
std::vector<std::string> CheckPcgListing(const std::string& path, Image image);

}  // namespace patchlore
