#include "cli/page_admission.h"

namespace linkmoor::cli {

GatePlace::~GatePlace() {
  if (!gate_) return;
  gate_->waitTurn(ticket_, 0);
  gate_->pass();
}

std::unique_ptr<GateHold> GatePlace::hold(std::uint64_t bytes) {
  MemoryGate &gate = *gate_;
  // Made first: when that fails, the place is still there to be given up.
  auto hold = std::make_unique<GateHold>(gate, bytes, GateHold::Admitted{});
  gate_ = nullptr;
  if (inTurn_)
    gate.admit(bytes);
  else
    gate.acquire(ticket_, bytes);
  return hold;
}

std::unique_ptr<GateHold> admitPage(GatePlace &place, const std::string &path, LoadedPage &page) {
  PageFile file;
  page.size = 0;
  page.read = file.open(path);
  if (page.read != PageRead::Text) return nullptr;
  MemoryGate &gate = *place.gate();
  if (file.size() > kReadBeforeTurn) {
    // Until its markers are counted, the page is known to need its text twice.
    const std::uint64_t text = 2 * static_cast<std::uint64_t>(file.size());
    gate.raiseLimit(text + text / 2);
    place.waitTurn(text);
  }
  page.read = file.read(page.bytes, page.size);
  if (page.read != PageRead::Text) {
    page.bytes.free();
    return nullptr;
  }
  const std::uint64_t need = pageMemoryNeed(page.bytes.data(), static_cast<std::size_t>(page.size));
  gate.raiseLimit(need + need / 2);
  return place.hold(need);
}

} // namespace linkmoor::cli
