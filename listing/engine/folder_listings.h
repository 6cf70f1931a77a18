#pragma once
// The three folder-name listings: the current folder, its immediate subfolders, and every
// folder below it (pre-order). Folder listings keep the folder list's order, never sorted
// otherwise.

#include <string>
#include <string_view>

#include "listing/engine/browser_state.h"
#include "listing/engine/collector_outcome.h"
#include "listing/engine/job_context.h"
#include "settings/settings_record.h"

namespace pelmora {

ListingOutcome ListCurrentFolder(const BrowserState& state, const Settings& settings, JobContext& context);
ListingOutcome ListSubfolders(const BrowserState& state, const Settings& settings, JobContext& context);
ListingOutcome ListAllSubfolders(const BrowserState& state, const Settings& settings, JobContext& context);

}  // namespace pelmora
