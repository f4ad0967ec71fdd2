#include "editor_parent.h"

#include "platform/headless/headless_system.h"

void* prepareEditorParent() {
    platform::headless::reset();
    return platform::headless::makeParentWindow();
}
