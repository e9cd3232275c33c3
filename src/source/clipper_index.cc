#include "source/clipper_index.h"

#include <algorithm>

#include "platform/dos_path.h"
#include "platform/io_error.h"
#include "platform/little_endian.h"
#include "platform/text_encoding.h"
#include "source/ntx_page.h"
#include "source/ntx_tree_check.h"

namespace konwerter::source {

void ClipperIndex::Open(std::string_view path) {
  file_.reset();
  key_map_.reset();
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

void ClipperIndex::UseKeyMap(KeyMap keys, std::uint16_t key_size) {
  file_.reset();
  pages_.Clear();
  key_map_ = std::move(keys);
  key_size_ = key_size;
  status_ = kIndexOk;
}

IndexFault ClipperIndex::StructureFault() const {
  if (key_map_ || status_ == kIndexCannotOpen) return {};
  if (status_ == kIndexShortHeader) return {IndexFaultKind::kShortHeader};
  if (status_ == kIndexKeyTooLong) return {IndexFaultKind::kKeyTooLong, key_size_};
  if (!file_) return {IndexFaultKind::kRootBeyondFile, root_offset_};
  if (key_size_ == 0 || ntx::MaxKeysPerPage(key_size_) < 2) {
    return {IndexFaultKind::kNoRoomForKeys, key_size_};
  }
  if (root_offset_ % ntx::kPageSize != 0 || root_offset_ == 0) {
    return {IndexFaultKind::kRootOffGrid, root_offset_};
  }
  return {};
}

IndexFault ClipperIndex::CheckTree(std::uint32_t table_records) {
  if (!file_) return {};
  return CheckIndexTree(*file_, root_page_, root_offset_, key_size_, table_records);
}

SeekResult ClipperIndex::Damaged(IndexFault fault) {
  status_ = kIndexBadPage;
  if (fail_on_damage_) throw IndexDamaged(fault, platform::HostPath(path_).string());
  return {};
}

SeekResult ClipperIndex::Seek(std::string_view key) {
  if (key_map_) {
    status_ = kIndexOk;
    if (key.size() > key_size_) return {};
    std::string padded(key);
    padded.resize(key_size_, ' ');
    const auto found = key_map_->find(padded);
    if (found == key_map_->end()) return {};
    return {true, found->second};
  }
  if (!file_) {
    throw platform::IoError(platform::IoFault::kIndexNotOpen, platform::Utf8FromCp1250(path_));
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

  if (fail_on_damage_ && !root_page_.ordered)
    return Damaged({IndexFaultKind::kPageDamaged, root_offset_});
  std::optional<PageStep> step = root_page_.Find(sought);
  if (!step) return Damaged({IndexFaultKind::kPageDamaged, root_offset_});
  bool found = step->equal;
  std::uint32_t record = step->record;
  // An equal key in an inner page goes on into its left subtree: a duplicate stored there
  // comes earlier in key order and wins.
  for (int depth = 1; step->child != 0; ++depth) {
    if (depth == ntx::kMaxDepth) return Damaged({IndexFaultKind::kTreeLoops, step->child});
    const IndexPage* page = pages_.Get(*file_, step->child, key_size_);
    if (page == nullptr) {
      return Damaged({IndexFaultKind::kPageUnreadable, step->child});
    }
    if (fail_on_damage_ && !page->ordered) {
      return Damaged({IndexFaultKind::kPageDamaged, step->child});
    }
    const std::optional<PageStep> below = page->Find(sought);
    if (!below) return Damaged({IndexFaultKind::kPageDamaged, step->child});
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
  key_map_.reset();
  pages_.Clear();
  status_ = closed ? kIndexOk : kIndexCloseFailed;
}

}  // namespace konwerter::source
