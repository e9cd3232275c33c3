#include "tools/sample/site_folders.h"

#include <array>

namespace konwerter::tools::sample {

namespace {

constexpr std::array<SiteFolderInfo, 15> kFolders{{
    {SiteFolder::kSystem, "", "F:\\TEROKAN\\SYSTEM\\", "SYSTEM"},
    {SiteFolder::kPersons, "BDGOSOBY", "F:\\TEROKAN\\GOSOBY\\", "GOSOBY"},
    {SiteFolder::kWorks, "BDGROBOTY", "F:\\TEROKAN\\GROBOTY\\", "groboty"},
    {SiteFolder::kRegister, "BDLZGLO", "F:\\TEROKAN\\LZ\\GLO\\", "LZ/Glo"},
    {SiteFolder::kOrders, "BDLZLEC", "f:\\terokan\\lz\\lec", "LZ/LEC"},
    {SiteFolder::kMapsKmz, "BDGMAPAZ", "F:\\TEROKAN\\MAPY\\GMAPAZ\\", "mapy/gmapaz"},
    {SiteFolder::kMapsKme, "BDGMAPAE", "F:\\TEROKAN\\MAPY\\GMAPAE\\", "mapy/GMAPAE"},
    {SiteFolder::kOutlines, "BDGZARYSY", "F:\\TEROKAN\\MAPY\\GZARYSY\\", "mapy/GZARYSY"},
    {SiteFolder::kOperatsEw, "BDGOPEW", "G:\\OPERATY\\EWID\\", "OPERATY/EWID"},
    {SiteFolder::kOperatsBu, "BDGOP", "G:\\OPERATY\\BU\\", "OPERATY/bu"},
    {SiteFolder::kOperatsP, "BDGOPP", "G:\\OPERATY\\PRZ\\", "OPERATY/PRZ"},
    {SiteFolder::kSketches, "BDGSZKICE", "F:\\TEROKAN\\SZKICE\\", "SZKICE"},
    {SiteFolder::kMapStock, "BDLDRUKI", "F:\\TEROKAN\\DRUKI\\", "Druki"},
    {SiteFolder::kTemplates, "BDLWZORCE", "..\\WZORCE\\", "WZORCE"},
    {SiteFolder::kCollection, "BDGWINDYK", "WINDYK", "SYSTEM/WINDYK"},
}};

}  // namespace

std::span<const SiteFolderInfo> SiteFolders() {
  return kFolders;
}

const SiteFolderInfo& FolderInfo(SiteFolder folder) {
  return kFolders[static_cast<std::size_t>(folder)];
}

}  // namespace konwerter::tools::sample
