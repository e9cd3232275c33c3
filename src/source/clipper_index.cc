#include "source/clipper_index.h"

#include <algorithm>

#include "platform/dos_path.h"
#include "platform/io_error.h"
#include "platform/little_endian.h"
#include "platform/text_encoding.h"
#include "source/ntx_page.h"

namespace konwerter::source {

void ClipperIndex::Open(std::string_view path) {
  file_.reset();
  pages_.Clear();
  path_ = std::string(path);
  file_ = platform::File::OpenExisting(platform::HostPath(path), platform::File::Access::kRead);
  if (!file_) {
    status_ = kIndexCannotOpen;
    return;
  }
  stamp_ = file_->ModificationStamp();
  LoadHeaderAndRoot();
}

bool ClipperIndex::LoadHeaderAndRoot() {
  pages_.Clear();
  std::array<std::uint8_t, ntx::kPageSize> header{};
  if (file_->ReadAt(0, header) < header.size()) {
    status_ = kIndexShortHeader;
    file_.reset();
    return false;
  }
  key_size_ = platform::LoadU16(header, ntx::kKeySizeOffset);
  root_offset_ = platform::LoadU32(header, ntx::kRootOffset);
  if (key_size_ > ntx::kMaxKeySize) {
    status_ = kIndexKeyTooLong;
    file_.reset();
    return false;
  }
  if (!root_page_.Load(*file_, root_offset_, key_size_)) {
    Close();
    return false;
  }
  status_ = kIndexOk;
  return true;
}

SeekResult ClipperIndex::Seek(std::string_view key) {
  if (!file_) {
    throw platform::IoError("Indeks nie jest otwarty", platform::Utf8FromCp1250(path_));
  }
  const std::int64_t stamp = file_->ModificationStamp();
  if (stamp != stamp_) {
    stamp_ = stamp;
    if (!LoadHeaderAndRoot()) return {};
  }
  status_ = kIndexOk;
  if (key.size() > key_size_) return {};

  std::array<std::uint8_t, ntx::kMaxKeySize> padded{};
  std::fill(padded.begin(), padded.end(), std::uint8_t{' '});
  std::copy(key.begin(), key.end(), padded.begin());
  const std::span<const std::uint8_t> sought(padded.data(), key_size_);

  std::optional<PageStep> step = root_page_.Find(sought);
  if (!step) {
    status_ = kIndexBadPage;
    return {};
  }
  bool found = step->equal;
  std::uint32_t record = step->record;
  // An equal key in an inner page goes on into its left subtree: a duplicate stored there
  // comes earlier in key order and wins.
  for (int depth = 1; step->child != 0; ++depth) {
    const IndexPage* page =
        depth == ntx::kMaxDepth ? nullptr : pages_.Get(*file_, step->child, key_size_);
    const std::optional<PageStep> below = page == nullptr ? std::nullopt : page->Find(sought);
    if (!below) {
      status_ = kIndexBadPage;
      return {};
    }
    if (!below->equal && found) break;
    found = found || below->equal;
    step = below;
    record = step->record;
  }
  return {found, static_cast<std::int32_t>(record - 1)};
}

void ClipperIndex::Close() {
  const bool closed = !file_ || file_->Close();
  file_.reset();
  pages_.Clear();
  status_ = closed ? kIndexOk : kIndexCloseFailed;
}

}  // namespace konwerter::source
