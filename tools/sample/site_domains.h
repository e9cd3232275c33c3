#pragma once

#include "tools/sample/site_context.h"

namespace konwerter::tools::sample {

// One writer per domain of the DOS site, called by GenerateSampleSite in this order (the
// domains referred to come before those that refer to them).

// SYSTEM: users.dbf, bdglobal.mem, dom.mem, polskie.lit.
void WriteSystemFiles(SiteContext& site);
// BDGOSOBY: osoby.dbf, nazwy.dbf with nazwy.ntx, and the address dictionaries.
void WritePersons(SiteContext& site);
// BDGROBOTY: cechy.dbf, obreb.dbf, dz.dbf, roboty.dbf; BDLZGLO: asortym.dbf, kerg.dbf
// with kerg.ntx, kergasor.dbf, obdg.dbf, ob_rr.dbf.
void WriteWorks(SiteContext& site);
// BDGROBOTY markers <name>.mem and corner tables lok_p<name>.dbf; BDLWZORCE <name>.def.
void WriteCoordinateSystems(SiteContext& site);
// BDLZLEC: price lists, order cards, settlements, receipts, coefficients and the order
// dictionaries; BDGWINDYK: ustawowe.dbf.
void WriteOrders(SiteContext& site);
// BDLDRUKI: the map stock and the issues of map sheets.
void WriteMapStock(SiteContext& site);
// BDGMAPAZ, BDGMAPAE, BDGZARYSY: the map registers with their movements.
void WriteMapRegisters(SiteContext& site);
// BDGOPEW, BDGOP, BDGOPP: the three operat registers.
void WriteOperats(SiteContext& site);
// BDGSZKICE: the field sketches.
void WriteSketches(SiteContext& site);

}  // namespace konwerter::tools::sample
