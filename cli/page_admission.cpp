#include "cli/page_admission.h"

namespace linkmoor::cli {

GatePlace::~GatePlace() {
  if (!gate_) return;
  gate_->waitTurn(ticket_, 0);
  gate_->pass();
}

std::unique_ptr<GateHold> GatePlace::admit(std::uint64_t bytes) {
  MemoryGate &gate = *gate_;
  // Made first: when that fails, the place is still there to be given up.
  auto hold = std::make_unique<GateHold>(gate, bytes, GateHold::Admitted{});
  gate_ = nullptr;
  gate.admit(bytes);
  return hold;
}

AdmittedPage admitPage(GatePlace &place, const std::string &path) {
  AdmittedPage admitted;
  PageFile file;
  admitted.page.read = file.open(path);
  if (admitted.page.read != PageRead::Text) return admitted;
  // Until its markers are counted, the page is known to need its text twice.
  const std::uint64_t text = 2 * static_cast<std::uint64_t>(file.size());
  place.gate()->raiseLimit(text + text / 2);
  place.waitTurn(text);
  admitted.page.read = file.read(admitted.page.bytes, admitted.page.size);
  if (admitted.page.read != PageRead::Text) {
    admitted.page.bytes.free();
    return admitted;
  }
  const std::uint64_t need =
      pageMemoryNeed(admitted.page.bytes.data(), static_cast<std::size_t>(admitted.page.size));
  place.gate()->raiseLimit(need + need / 2);
  admitted.hold = place.admit(need);
  return admitted;
}

} // namespace linkmoor::cli
