#pragma once

#include <span>
#include <string_view>

namespace konwerter::tools::sample {

// The folders of the DOS site, one per directory variable of bdglobal.mem (and SYSTEM).
enum class SiteFolder {
  kSystem,
  kPersons,     // BDGOSOBY
  kWorks,       // BDGROBOTY
  kRegister,    // BDLZGLO: reported works, assortments
  kOrders,      // BDLZLEC
  kMapsKmz,     // BDGMAPAZ
  kMapsKme,     // BDGMAPAE
  kOutlines,    // BDGZARYSY
  kOperatsEw,   // BDGOPEW
  kOperatsBu,   // BDGOP
  kOperatsP,    // BDGOPP
  kSketches,    // BDGSZKICE
  kMapStock,    // BDLDRUKI
  kTemplates,   // BDLWZORCE
  kCollection,  // BDGWINDYK
};

struct SiteFolderInfo {
  SiteFolder folder;
  std::string_view variable;   // the directory variable ("" for SYSTEM)
  std::string_view dos_path;   // its value in bdglobal.mem, as the DOS workstations saw it
  std::string_view host_path;  // where the folder lies under the site's root, in that case
};

// Every folder of the site. The DOS paths are absolute (on drives F: and G:) or relative;
// the trailing folder names of each exist under the root (the relative ones against the
// root or the SYSTEM folder), in the letter case a FAT volume may show them.
std::span<const SiteFolderInfo> SiteFolders();
const SiteFolderInfo& FolderInfo(SiteFolder folder);

}  // namespace konwerter::tools::sample
