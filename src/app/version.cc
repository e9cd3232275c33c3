#include "app/version.h"

// Written by the build (cmake/WriteVersionStamp.cmake) into the build folder.
#include "konwerter_version_stamp.h"

namespace konwerter::app {

std::string_view ProgramVersion() {
  return KONWERTER_VERSION;
}

std::string_view ProgramCommit() {
  return KONWERTER_COMMIT;
}

std::string_view VersionText() {
  return KONWERTER_VERSION_TEXT;
}

}  // namespace konwerter::app
