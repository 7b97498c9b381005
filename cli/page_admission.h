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
  /// Waits for this place's turn until `bytes` fit; the turn is kept.
  void waitTurn(std::uint64_t bytes) {
    gate_->waitTurn(ticket_, bytes);
    inTurn_ = true;
  }
  /// Holds `bytes` in this place's turn (waiting for it, and until they fit) and
  /// ends the turn.
  std::unique_ptr<GateHold> hold(std::uint64_t bytes);

private:
  MemoryGate *gate_;
  std::uint64_t ticket_;
  bool inTurn_ = false;
};

/// Pages up to this size are read before their turn at the gate: the threads then
/// read at the same time, and hold no more than one such page each outside it.
inline constexpr std::int64_t kReadBeforeTurn = 256 * 1024;

/// Reads the page at `path` into `page` and holds its whole need (pageMemoryNeed) in the turn
/// of `place`, raising the gate's limit to one and a half times that need, so that
/// the run holds no more than three times the largest page's need. A page larger
/// than kReadBeforeTurn is read in the turn, once its text twice fits. Null for a
/// page that cannot be read: it holds nothing.
std::unique_ptr<GateHold> admitPage(GatePlace &place, const std::string &path, LoadedPage &page);

} // namespace linkmoor::cli
