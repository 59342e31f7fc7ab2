#pragma once
// What each entry of a launch list would do at the next launch, told without launching it: the
// entry, the file and arguments it splits into, what the system would start for it and the
// verdict, in the settings' language. The splitting is ShellOpen's own; what an entry resolves to
// comes from the platform's planning of the same shell request the launch makes.

#include <functional>
#include <string>
#include <vector>

#include "platform/shell.h"
#include "ui/bilingual_text.h"

namespace launch {

using Planner = std::function<platform::ShellPlan(const platform::ShellRequest&)>;

struct ListCheck {
    std::string report;  // one block per entry, then the count of failures, each line ended
    int failures = 0;
};

ListCheck checkEntries(const std::vector<std::string>& entries, Language language,
                       char pathSeparator, const Planner& plan);

}  // namespace launch
