#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace konwerter::cli {

// `konwerter-cli generate-sample --output DIR [--scale N] [--seed S]`: writes a whole DOS
// site of the TEROKAN DOS edition under DIR (SYSTEM with users.dbf, bdglobal.mem, dom.mem
// and polskie.lit, and every folder its directory variables name) and lists the files
// written with their record counts. `arguments` are those after "generate-sample".
// Returns the exit code: 0 done, 1 the site could not be written, 2 bad usage.
int RunGenerateSample(const std::vector<std::string>& arguments, std::ostream& out,
                      std::ostream& err);

}  // namespace konwerter::cli
