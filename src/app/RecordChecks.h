#pragma once
// The checks of a whole preferences record, group by group, as the
// settings dialogs make them; velmora-prefs refuses a change that adds a
// problem the dialogs would have refused.
#include <string>
#include <vector>

#include "app/Preferences.h"

namespace velmora {

// Station Settings' checks of the own station on a record: the call, the
// position fields, the symbol and the UTC offset.
std::string StationProblem(const Preferences& p);
// The own position's degrees, minutes and seconds.
std::string PositionProblem(const Preferences& p);
// The first problem of each settings group; empty when there is none.
std::vector<std::string> RecordProblems(const Preferences& p);
// A problem of `after` that `before` did not have; empty when the change
// may be stored (an old problem elsewhere does not block it).
std::string NewProblem(const Preferences& before, const Preferences& after);

}  // namespace velmora
