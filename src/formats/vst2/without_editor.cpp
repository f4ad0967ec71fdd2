// The editor factory of a build without a panel: the effect reports no
// editor, and the host shows its own generic controls.
#include "editor/editor_factory.h"

namespace molvex {

std::unique_ptr<PluginEditor> createFilterDelayEditor(FilterDelayEffect&) { return nullptr; }

}  // namespace molvex
