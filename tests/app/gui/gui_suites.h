#pragma once

namespace konwerter::testing {

// Each runs one QtTest suite and returns its number of failures.
int RunMainFormTests(int argc, char** argv);
int RunRenumberingFormTests(int argc, char** argv);
int RunOutcomeFormTests(int argc, char** argv);

}  // namespace konwerter::testing
