// What several window tests share: the Italian desktop and the jobs a
// window handed to the engine.
#pragma once

#include "appfolder.h"
#include "italian.h"

#include <gtest/gtest.h>
#include <vector>

namespace quorvane::testing {

// Has the engine of folder copy every job it is given to jobs.txt before
// the real QuorC reads it (the jobs of an export's tiles, which run in a
// folder of their own, to tiles.txt).
void keepJobs(AppFolder& folder);

// Every job kept so far, in order: the type, then each value as the engine
// reads it. Each line is checked to end in CR LF and to keep to the job
// grammar (a period, never a comma).
std::vector<std::vector<double>> keptJobs(const AppFolder& folder);

} // namespace quorvane::testing
