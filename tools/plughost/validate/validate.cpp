#include "validate/validate.h"

#include "formats/registry.h"
#include "validate/check_runner.h"

const char* outcomeLabel(Outcome o) {
    switch (o) {
    case Outcome::Pass: return "PASS";
    case Outcome::Fail: return "FAIL";
    case Outcome::Skip: return "SKIP";
    }
    return "?";
}

int runValidate(const ValidateOptions& o) { return formatOf(o.library).validate(o); }
