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

std::string ClipperIndex::StructureFault() const {
  const auto text = platform::Cp1250FromUtf8;
  if (key_map_ || status_ == kIndexCannotOpen) return {};
  if (status_ == kIndexShortHeader) return text("nagłówek indeksu jest krótszy niż 1024 bajty");
  if (status_ == kIndexKeyTooLong) {
    return text("długość klucza (") + std::to_string(key_size_) + text(") ponad 255");
  }
  if (!file_) {
    return text("strona główna indeksu (przesunięcie ") + std::to_string(root_offset_) +
           text(") leży poza plikiem");
  }
  if ((key_size_ == 0 || ntx::MaxKeysPerPage(key_size_) < 2)) {
    return text("długość klucza (") + std::to_string(key_size_) +
           text(") nie pozwala na stronę indeksu");
  }
  if ((root_offset_ % ntx::kPageSize != 0 || root_offset_ == 0)) {
    return text("przesunięcie strony głównej (") + std::to_string(root_offset_) +
           text(") nie wskazuje strony indeksu");
  }
  return {};
}

SeekResult ClipperIndex::Damaged(std::string_view what) {
  status_ = kIndexBadPage;
  if (fail_on_damage_) {
    throw platform::IoError(platform::IoFault::kIndexDamaged, platform::HostPath(path_).string(),
                            std::string(what));
  }
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
    return Damaged("klucze strony głównej nie są uporządkowane");
  std::optional<PageStep> step = root_page_.Find(sought);
  if (!step) return Damaged("strona główna wychodzi poza swoje 1024 bajty");
  bool found = step->equal;
  std::uint32_t record = step->record;
  // An equal key in an inner page goes on into its left subtree: a duplicate stored there
  // comes earlier in key order and wins.
  for (int depth = 1; step->child != 0; ++depth) {
    if (depth == ntx::kMaxDepth) return Damaged("drzewo stron zapętlone lub zbyt głębokie");
    const IndexPage* page = pages_.Get(*file_, step->child, key_size_);
    if (page == nullptr) {
      return Damaged("strona o przesunięciu " + std::to_string(step->child) + " poza plikiem");
    }
    if (fail_on_damage_ && !page->ordered) {
      return Damaged("klucze strony o przesunięciu " + std::to_string(step->child) +
                     " nie są uporządkowane");
    }
    const std::optional<PageStep> below = page->Find(sought);
    if (!below) return Damaged("strona wychodzi poza swoje 1024 bajty");
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
