// The two project-file loaders on arbitrary file bytes, then save and reload:
// what was loaded must come back unchanged, and a second save must write the
// same bytes as the first.
#include "fuzz_support.h"
#include "storage/local_project_store.h"
#include "storage/program_folder.h"
#include "storage/remote_project_store.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using namespace linkmoor;

void writeFile(const std::string &path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool sameLocal(const LocalProject &a, const LocalProject &b) {
  return a.projectName == b.projectName && a.rootPath == b.rootPath;
}

bool sameRemote(const RemoteProject &a, const RemoteProject &b) {
  return a.projectName == b.projectName && a.downloadPath == b.downloadPath &&
         a.subdomainPath == b.subdomainPath && a.subdomainName == b.subdomainName &&
         a.host == b.host && a.port == b.port && a.userName == b.userName &&
         a.password == b.password && a.passive == b.passive && a.savePassword == b.savePassword &&
         a.addProjectNameToDownload == b.addProjectNameToDownload &&
         a.clearDownloadDirectory == b.clearDownloadDirectory;
}

// Loads `bytes` as the store's file, saves, reloads and compares.
template <typename Store, typename Same> void roundTrip(std::string_view bytes, Same same) {
  Store first;
  writeFile(first.filePath(), bytes);
  if (!first.load()) return;
  LINKMOOR_FUZZ_CHECK(first.count() == 0
                          ? first.selectedIndex() == -1
                          : first.selectedIndex() >= 0 && first.selectedIndex() < first.count(),
                      "the selected index is out of range after a load");
  LINKMOOR_FUZZ_CHECK(first.save(), "saving a loaded list failed");
  const std::string saved = readFile(first.filePath());

  Store second;
  const bool loaded = second.load();
  // A list without records is saved as its index alone, which no load accepts.
  LINKMOOR_FUZZ_CHECK(loaded || first.count() == 0, "a saved list does not load");
  LINKMOOR_FUZZ_CHECK(second.count() == first.count(), "the record count changed");
  LINKMOOR_FUZZ_CHECK(!loaded || second.selectedIndex() == first.selectedIndex(),
                      "the selected index changed");
  for (int i = 0; i < first.count(); ++i)
    LINKMOOR_FUZZ_CHECK(first.at(i) && second.at(i) && same(*first.at(i), *second.at(i)),
                        "a record changed on save and reload");
  LINKMOOR_FUZZ_CHECK(second.save(), "saving a reloaded list failed");
  LINKMOOR_FUZZ_CHECK(readFile(second.filePath()) == saved, "a second save wrote other bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size > 1 << 20) return 0;
  static const bool ready = [] {
    const std::string &folder = fuzz::scratchFolder();
    std::filesystem::create_directories(folder + "/Setting");
    ProgramFolder::setOverride(folder);
    return true;
  }();
  (void)ready;
  fuzz::InputReader input(data, size);
  const bool remote = input.byte() & 1;
  const std::string_view bytes = input.rest();
  if (remote)
    roundTrip<RemoteProjectStore>(bytes, sameRemote);
  else
    roundTrip<LocalProjectStore>(bytes, sameLocal);
  return 0;
}
