#pragma once
// The main command: the selected files of the current folder, in list order, with the File
// family of switches, to the clipboard and, when FileWrite is "1", to a file.

#include "listing/engine/browser_state.h"
#include "listing/engine/collector_outcome.h"
#include "listing/engine/job_context.h"
#include "settings/settings_record.h"

namespace pelmora {

ListingOutcome ListSelectedFiles(const BrowserState& state, const Settings& settings, JobContext& context);

}  // namespace pelmora
