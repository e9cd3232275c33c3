#include "tests/e2e/prepared_run.h"

#include <gtest/gtest.h>

#include "run/catalogue.h"
#include "run/prechecks.h"
#include "run/table_sizing.h"
#include "target/identifier.h"
#include "tests/oracles/oracles.h"

namespace konwerter::testing {

PreparedRun::PreparedRun(const DosSite& site, run::RunOptions options)
    : bars_(view_), clock_(kRunDate), context_(session_, options, bars_, messages_, clock_) {
  context_.input_path = site.system_folder();
  context_.output_path = output_.folder();
  auto entries =
      run::ReadSourceDirectoryVariables(context_.input_path, context_.code_pages, messages_);
  context_.directories = run::SourceDirectories(std::move(*entries), context_.input_path, {});
  source::DetectSourceCodePage(context_.input_path, context_.code_pages);
  context_.sequence =
      std::make_unique<target::SequenceTable>(session_.engine, output_.folder(), messages_);
  context_.creator_identifier = target::CreatorIdentifier(kRunDate);
  const run::Result<source::SourceEdition> edition = run::SizeSharedTables(context_);
  EXPECT_TRUE(edition.has_value());
  if (edition) context_.edition = *edition;
  session_.engine.set_value_observer(&context_.ledger);
}

PreparedRun::~PreparedRun() {
  session_.engine.set_value_observer(nullptr);
}

std::vector<std::vector<std::string>> PreparedRun::Rows(const std::string& relative) const {
  return LiveRowsWithDbfread(output_.path() / relative);
}

std::vector<std::string> PreparedRun::SequenceRows() const {
  std::vector<std::string> rows;
  for (const target::SequenceRow& row : context_.sequence->rows()) {
    rows.push_back(row.name + "=" + std::to_string(row.next_value));
  }
  return rows;
}

bool RecordResult(run::RunContext& context, const run::Status& result) {
  if (!result) context.status.Fail(run::FailureText(result.error()));
  return result.has_value();
}

}  // namespace konwerter::testing
