#include "engine/disk_result_cache.h"

#include <functional>

namespace linkmoor {

LinkStatus DiskResultCache::check(const std::string &path) {
  Shard &shard = shards_[std::hash<std::string>{}(path) % kShards];
  {
    std::lock_guard lock(shard.mutex);
    if (auto it = shard.results.find(path); it != shard.results.end()) return it->second;
  }
  // Looked at outside the lock: two threads may both look at a new path, and
  // both get the same answer.
  const LinkStatus status =
      diskPathExists(path, probe_) ? LinkStatus::Found : LinkStatus::NoDiskFile;
  std::lock_guard lock(shard.mutex);
  shard.results.emplace(path, status);
  return status;
}

} // namespace linkmoor
