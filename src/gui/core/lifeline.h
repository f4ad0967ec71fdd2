// GuiLifeline: tells code that calls out (to a listener, to the host) whether
// the object it was called from still exists when the call returns. A host
// may close the editor (effEditClose) or destroy the plug-in (effClose) from
// inside audioMasterAutomate or audioMasterIdle, while a control is still
// inside its own mouseDown.
//
// The owner holds a GuiLifeline, which ends when the owner goes. Whoever calls
// out takes a GuiLifeWatch first and asks it afterwards; the watch shares only
// a small flag with the lifeline, never the owner, so asking is safe after the
// owner is deleted.
//
// | watch taken from          | ended()                                  |
// |---------------------------|------------------------------------------|
// | nothing (default)         | false: nothing to outlive                 |
// | a lifeline still held     | false                                    |
// | a lifeline ended / gone   | true                                     |
// | a lifeline whose flag     | false: without memory for the flag the   |
// | could not be allocated    | loop behaves as it always did            |
//
// Threads: user-interface thread only (the count is not atomic).
#pragma once

class GuiLifeWatch;
struct GuiLifelineFlag;

class GuiLifeline {
public:
    GuiLifeline();
    ~GuiLifeline();
    GuiLifeline(const GuiLifeline&) = delete;
    GuiLifeline& operator=(const GuiLifeline&) = delete;

    // Every watch taken so far, and later, reports the end.
    void end();
    GuiLifeWatch watch() const;

private:
    GuiLifelineFlag* flag;
};

class GuiLifeWatch {
public:
    GuiLifeWatch() = default;
    GuiLifeWatch(const GuiLifeWatch& other);
    GuiLifeWatch& operator=(const GuiLifeWatch& other);
    ~GuiLifeWatch();

    bool ended() const;

private:
    friend class GuiLifeline;
    explicit GuiLifeWatch(GuiLifelineFlag* flag);
    void drop();

    GuiLifelineFlag* flag = nullptr;
};
