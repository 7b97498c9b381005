#include "app/general_options.h"

namespace linkmoor {

GeneralOptions &generalOptions() {
  static GeneralOptions options;
  return options;
}

} // namespace linkmoor
