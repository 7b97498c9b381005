#include "platform/program_info.h"

namespace linkmoor {

const char *programName() { return "Linkmoor"; }
const char *programVersion() { return LINKMOOR_VERSION; }
const char *userAgent() { return "Linkmoor/" LINKMOOR_VERSION; }

} // namespace linkmoor
