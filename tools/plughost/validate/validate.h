// plughost validate: exercises a plug-in the ways hosts do, and a few they
// seldom do but may, and reports PASS, FAIL or SKIP for every check.
#pragma once

#include "cli.h"

int runValidate(const ValidateOptions& options);
