#pragma once
// Every file in the current folder and below it (what the file list would show in each
// folder), with the SFolder family of switches, after the user confirms the long search.

#include "listing/engine/browser_state.h"
#include "listing/engine/collector_outcome.h"
#include "listing/engine/job_context.h"
#include "settings/settings_record.h"

namespace pelmora {

ListingOutcome ListFilesRecursively(const BrowserState& state, const Settings& settings, JobContext& context);

}  // namespace pelmora
