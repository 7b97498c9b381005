#pragma once
// Reading a page under the memory gate, once: the need of its analysis is
// counted from the bytes read, before the analysis starts.

#include "cli/memory_gate.h"
#include "engine/analysis_pass.h"

#include <cstdint>
#include <memory>
#include <string>

namespace linkmoor::cli {

/// A place in a memory gate's queue, taken in the order pages are to be
/// admitted; given up in its turn when not used.
class GatePlace {
public:
  explicit GatePlace(MemoryGate &gate) : gate_(&gate), ticket_(gate.enqueue()) {}
  ~GatePlace();
  GatePlace(const GatePlace &) = delete;
  GatePlace &operator=(const GatePlace &) = delete;

  /// The gate; null once the place has been used.
  MemoryGate *gate() const { return gate_; }
  /// Waits for this place's turn until `bytes` fit.
  void waitTurn(std::uint64_t bytes) { gate_->waitTurn(ticket_, bytes); }
  /// In the turn: holds `bytes` and ends the turn.
  std::unique_ptr<GateHold> admit(std::uint64_t bytes);

private:
  MemoryGate *gate_;
  std::uint64_t ticket_;
};

/// A page read in its turn at the gate, with the hold on what its analysis needs.
struct AdmittedPage {
  LoadedPage page;
  std::unique_ptr<GateHold> hold; ///< null for a page that could not be read
};

/// Reads the page at `path` in the turn of `place`: waits until its text twice
/// fits, reads it, and holds its whole need (pageMemoryNeed), raising the gate's
/// limit to one and a half times that need, so that the run holds no more than
/// three times the largest page's need. A page that cannot be read holds nothing.
AdmittedPage admitPage(GatePlace &place, const std::string &path);

} // namespace linkmoor::cli
