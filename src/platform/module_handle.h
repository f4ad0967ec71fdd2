// The plug-in module's instance handle, stored by the library's entry routine
// for every notification the system sends it. The toolkit reads it to find
// its bitmap resources and to name its window class. Null where the system
// has no such handle to give.
#pragma once

void setModuleHandle(void* handle);
void* moduleHandle();
