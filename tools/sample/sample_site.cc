#include "tools/sample/sample_site.h"

#include <stdexcept>

#include "tools/sample/site_domains.h"

namespace konwerter::tools {

SampleSiteReport GenerateSampleSite(const SampleSiteOptions& options) {
  if (options.scale < 1) throw std::invalid_argument("scale must be at least 1");
  if (options.output.empty()) throw std::invalid_argument("no output folder");
  sample::SiteFiles files(options.output, options.earlier_orders_edition
                                              ? source::SourceEdition::kEarlier
                                              : source::SourceEdition::kLater);
  sample::SiteRandom random(options.seed);
  sample::SiteModel model;
  sample::SiteContext site{files,
                           random,
                           model,
                           options.scale,
                           options.earlier_orders_edition,
                           options.stale_work_index};

  sample::WriteSystemFiles(site);
  sample::WriteCoordinateSystems(site);
  // Dictionaries first: the registers below refer to their keys.
  sample::WritePersons(site);
  sample::WriteWorks(site);
  sample::WriteOrders(site);
  sample::WriteMapStock(site);
  sample::WriteMapRegisters(site);
  sample::WriteOperats(site);
  sample::WriteSketches(site);
  return files.report();
}

}  // namespace konwerter::tools
