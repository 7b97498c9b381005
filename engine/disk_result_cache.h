#pragma once
// Disk check results kept per path for a run in which the files do not change.

#include "engine/result_codes.h"
#include "platform/disk_check.h"

#include <array>
#include <mutex>
#include <string>
#include <unordered_map>

namespace linkmoor {

/// Looks at each disk path once and keeps the answer. Safe to share between
/// threads: the paths are spread over shards with a lock each, so that threads
/// looking up different paths seldom wait for one another.
class DiskResultCache {
public:
  /// Looks at the disk through `probe` (a test hands in its own to count the looks).
  explicit DiskResultCache(const DiskProbe &probe = systemDiskProbe()) : probe_(probe) {}

  /// Found when `path` can be opened for reading, else NoDiskFile; looked at on
  /// the disk only the first time.
  LinkStatus check(const std::string &path);

private:
  static constexpr std::size_t kShards = 64;
  struct Shard {
    std::mutex mutex;
    std::unordered_map<std::string, LinkStatus> results;
  };
  const DiskProbe &probe_;
  std::array<Shard, kShards> shards_;
};

} // namespace linkmoor
