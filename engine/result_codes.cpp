#include "engine/result_codes.h"

namespace linkmoor {

std::string_view segmentKindText(int kind) {
  switch (kind) {
  case 1:
    return "normal code";
  case 2:
    return "script code";
  case 3:
    return "normal TAG";
  case 4:
    return "end TAG";
  case 5:
    return "script TAG";
  case 6:
    return "comment";
  default:
    return "Unknown";
  }
}

std::string_view syntaxErrorText(int code) {
  switch (code) {
  case 5:
    return "blank character after <";
  case 10:
    return "no end brace >";
  case 15:
    return "no end of string pare";
  case 20:
    return "blank character after </ or <!";
  case 25:
    return "blank character after <!-";
  case 30:
    return "no end comment TAG of -->";
  default:
    return "n/a";
  }
}

std::string_view linkTypeText(int type) {
  switch (type) {
  case 0:
    return "Local link";
  case 1:
    return "Site link";
  case 2:
    return "Remote link";
  default:
    return "Unknown";
  }
}

std::string_view linkStatusText(int status) {
  switch (status) {
  case 0:
    return "";
  case 5:
    return "web site doesn't exist";
  case 10:
    return "web file does't exist - site is ok";
  case 15:
    return "disk file does't exist";
  default:
    return "Unknown";
  }
}

} // namespace linkmoor
