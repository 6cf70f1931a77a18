#pragma once
// The two walks below a folder (all files, all folders) start alike: the question whether to
// search at all, then the progress dialog with its cancel button.

#include "listing/engine/collector_outcome.h"
#include "listing/engine/job_context.h"

namespace pelmora {

// Clears the cancel flag and asks. On No: "中止しました", the outcome marked declined, false.
// On Yes: the progress dialog is open ("サブフォルダを検索中"), true.
bool BeginSubfolderSearch(JobContext& context, ListingOutcome& outcome);

}  // namespace pelmora
