// The checks every format shares, written once against HostedPlugin:
//
// | check                   | what passes                                        |
// |-------------------------|----------------------------------------------------|
// | finite-output           | no NaN, infinity or denormal at extreme and random |
// |                         | settings on noise, square, sweep, DC and impulses  |
// | block-size-independence | blocks of 512 and random blocks of 1..1024 give    |
// |                         | the same output (skipped for a plug-in with latency)|
// | silence-after-tail      | below -100 dBFS within the tail it reports, or     |
// |                         | 10 s plus the strictness where it reports none     |
// | zero-length-blocks      | a call of 0 frames before every block writes       |
// |                         | nothing, with every audio call the plug-in has,    |
// |                         | and leaves the output what it is without them      |
#pragma once

#include <vector>

#include "validate/check_context.h"
#include "validate/check_runner.h"

using CommonCheck = CheckOf<CheckContext>;

const std::vector<CommonCheck>& commonChecks();

// The shared checks as checks of a format's own context type.
template <class Context>
void appendCommonChecks(std::vector<CheckOf<Context>>& checks) {
    for (const CommonCheck& c : commonChecks()) checks.push_back({c.name, c.run});
}
