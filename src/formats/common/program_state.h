// The sixteen programs as the text a format's state saves: one line per program,
// the nine parameter values (enough digits to come back bit for bit) and
// then the name. Names never hold line breaks: a control character is
// saved as a space.
#pragma once

#include <string>

namespace molvex {

class FilterDelayEffect;

std::string programsText(const FilterDelayEffect& effect);
// Puts every program back and selects `current`; false, and nothing
// changed, when the text is not sixteen well-formed lines, a value is not
// within 0 to 1 (NaN included), or `current` is not a program.
bool restorePrograms(FilterDelayEffect& effect, const char* text, int current);

}  // namespace molvex
