#include "app/cli/terminal_progress.h"

#include <algorithm>

#include "platform/text_encoding.h"

namespace konwerter::cli {

void TerminalProgress::ShowTable(std::string_view caption, int record_maximum) {
  caption_ = platform::Utf8FromCp1250(caption);
  record_maximum_ = std::max(record_maximum, 1);
  record_position_ = 0;
  Draw();
}

void TerminalProgress::ShowRecordPosition(int position) {
  record_position_ = position;
  Draw();
}

void TerminalProgress::Reset() {
  if (enabled_ && drawn_) out_ << "\r\033[K" << std::flush;
  drawn_ = false;
  run_position_ = 0;
  record_position_ = 0;
}

void TerminalProgress::Draw() {
  if (!enabled_) return;
  const int percent = std::clamp(record_position_ * 100 / record_maximum_, 0, 100);
  out_ << "\r\033[K" << caption_ << "  " << percent << "%" << std::flush;
  drawn_ = true;
}

}  // namespace konwerter::cli
