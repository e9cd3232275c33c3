#include "tests/e2e/prepared_run.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/text_encoding.h"
#include "run/catalogue.h"
#include "run/run_preparation.h"
#include "tests/oracles/oracles.h"

namespace konwerter::testing {

PreparedRun::PreparedRun(const DosSite& site, run::RunOptions options)
    : bars_(view_), clock_(kRunDate) {
  run::Preparation prepared =
      run::PrepareRun({site.system_folder(), output_.folder(), options, {}, {}}, session_, report_,
                      bars_, messages_, clock_);
  context_ = std::move(prepared.context);
  if (context_ == nullptr) {
    ADD_FAILURE() << "the run did not start";
    throw std::runtime_error("the run did not start");
  }
  EXPECT_TRUE(context_->status.ok()) << platform::Utf8FromCp1250(context_->status.error());
}

std::vector<std::vector<std::string>> PreparedRun::Rows(const std::string& relative) const {
  return LiveRowsWithDbfread(output_.path() / relative);
}

std::vector<std::string> PreparedRun::SequenceRows() const {
  std::vector<std::string> rows;
  for (const target::SequenceRow& row : context_->sequence->rows()) {
    rows.push_back(row.name + "=" + std::to_string(row.next_value));
  }
  return rows;
}

bool RecordResult(run::RunContext& context, const run::Status& result) {
  if (!result) context.status.Fail(run::FailureText(result.error()));
  return result.has_value();
}

}  // namespace konwerter::testing
