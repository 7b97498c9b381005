#include "cli/progress_line.h"

#include "storage/file_name_text.h"

namespace linkmoor::cli {

void ProgressLine::show(std::size_t filesDone, std::size_t filesTotal, std::size_t linksChecked,
                        const std::string &current, bool force) {
  if (!enabled_) return;
  std::lock_guard lock(mutex_);
  auto now = std::chrono::steady_clock::now();
  if (!force && shown_ && now - last_ < std::chrono::milliseconds(100)) return;
  last_ = now;
  shown_ = true;
  // The name is shown escaped: a control character in it must not act on the
  // terminal. A shortened name starts at the beginning of a character.
  std::string name = readableText(current);
  if (name.size() > 50) {
    std::size_t cut = name.size() - 47;
    while (cut < name.size() && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
      ++cut;
    name = "..." + name.substr(cut);
  }
  std::fprintf(out_, "\r[%zu/%zu files] %zu links checked  %s\x1b[K", filesDone, filesTotal,
               linksChecked, name.c_str());
  std::fflush(out_);
}

void ProgressLine::finish() {
  if (!enabled_) return;
  std::lock_guard lock(mutex_);
  if (!shown_) return;
  std::fputs("\r\x1b[K", out_);
  std::fflush(out_);
  shown_ = false;
}

} // namespace linkmoor::cli
