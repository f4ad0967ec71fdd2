#include "editor_parent.h"

void* prepareEditorParent() {
    static int window = 0;
    return &window;
}
