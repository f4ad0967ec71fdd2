// HostCallRouter: the host callback for an effect that no VST 2 host
// drives. A format's panel session builds its model effect with this
// callback, and every call the effect or its editor makes on the host
// arrives as one plain virtual call on the HostCalls the router was linked
// to, so the VST 2 opcodes are decoded here once and nowhere else.
//
// | the effect calls          | router calls             | answer          |
// |---------------------------|--------------------------|-----------------|
// | audioMasterVersion        | -                        | 2400            |
// | audioMasterAutomate       | automate(index, value)   | 1               |
// | audioMasterBeginEdit      | beginEdit(index)         | 1               |
// | audioMasterEndEdit        | endEdit(index)           | 1               |
// | audioMasterCanDo          | canResize() for the word | 1 or 0          |
// |   "sizeWindow"            |   (any other word: 0)    |                 |
// | audioMasterSizeWindow     | resize(index, value)     | 1 when resized  |
// | anything else             | -                        | 0               |
// Before it is linked (and for a record without the link) the router
// answers only the version.
//
// Threads: the router keeps no state of its own; the calls arrive on
// whatever thread the effect makes them (the panel's, for a panel).
#pragma once

#include "host/effect_base.h"

class HostCalls {
public:
    virtual void automate(int index, float value) = 0;
    virtual void beginEdit(int index) = 0;
    virtual void endEdit(int index) = 0;
    virtual bool canResize() = 0;
    virtual bool resize(int width, int height) = 0;

protected:
    ~HostCalls() = default;
};

// The callback to build the effect with.
HostCallback hostCallRouter();
// Sends `effect`'s host calls to `calls` (null: to nothing) from now on.
void linkHostCalls(EffectBase& effect, HostCalls* calls);
