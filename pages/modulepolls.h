#pragma once
// What each module page reads while it is on show, by page index (the order of the module
// buttons). The page container declares these to the link when it builds its pages.
#include "pollplan.h"

class DataModel;

namespace ModulePolls {

constexpr int PageCount = 17;
// The reads of one page; empty for an index outside 0..16.
PollPlan plan(int pageIndex);
// Declares every page's reads to dm.
void declareAll(DataModel &dm);

} // namespace ModulePolls
