#include "engine/relative_path.h"

#include "engine/text_bounds.h"

namespace linkmoor {

std::string resolveRelative(std::string_view base, std::string_view pageName,
                            std::string_view value) {
  std::string result;
  resolveRelativeInto(base, pageName, value, result);
  return result;
}

void resolveRelativeInto(std::string_view base, std::string_view pageName, std::string_view value,
                         std::string &result) {
  while (!value.empty() && scantext::isBlank(value.front()))
    value.remove_prefix(1);
  std::string_view rest = value;
  if (rest.starts_with("./")) rest.remove_prefix(2);

  // Each "../" moves `cut` back by one folder of `base`; `base` keeps its part
  // before `cut`. A "./" between the steps is a step that stays in place.
  std::size_t cut = base.rfind('/');
  if (cut == std::string_view::npos) cut = 0;
  while (cut != 0) {
    if (rest.starts_with("./")) {
      rest.remove_prefix(2);
      continue;
    }
    if (!rest.starts_with("../")) break;
    rest.remove_prefix(3);
    const std::size_t previous = base.rfind('/', cut - 1);
    cut = previous == std::string_view::npos ? 0 : previous;
  }
  const std::string_view folder = base.substr(0, cut);
  result.clear();
  if (rest.empty()) {
    result.assign(folder);
  } else if ((rest.front() == '#' || rest.front() == '?') && rest.size() == value.size()) {
    // An anchor or query at the very start refers to the page itself.
    if (!folder.empty()) result.append(folder).append("/");
    result.append(pageName).append(rest);
  } else if (rest.front() == '#' || rest.front() == '?') {
    // After "./" or "../" it refers to the folder reached (its index page), as
    // in a browser: "../#x" from a/b/p.htm is a/#x, not a/p.htm#x.
    result.append(folder).append("/").append(rest);
  } else if (rest.front() == '/') {
    result.assign(rest);
  } else {
    if (!folder.empty()) result.append(folder).append("/");
    result.append(rest);
  }
}

} // namespace linkmoor
