#pragma once
// A generated set of web pages in the style of a hand-made site: head with
// meta and style tags, scripts with all three kinds of comments, comments,
// tables, forms, running text, relative, absolute, mail and script links.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace linkmoor::bench {

/// Pages of between about 20 and 120 KB, `totalBytes` in all; the same seed
/// gives the same pages.
std::vector<std::string> makePageSet(std::size_t totalBytes, std::uint32_t seed = 2024);

} // namespace linkmoor::bench
