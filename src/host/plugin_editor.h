// The plain editor level: what the effect base knows of an editor.
//
// The host's editor opcodes reach an effect's editor through four operations
// (effEditGetRect, effEditOpen, effEditClose, effEditIdle), and the effect reports every
// parameter change to it with setParameter. The GUI toolkit's editor base
// derives from this class; the effect library itself links no GUI code.
//
// Threads: getRect, open, close and idle run on the host's user-interface
// thread. setParameter and postUpdate run on whatever thread changed a
// parameter (the audio thread included, for MIDI), so they may only store:
// `updatePending` is atomic, and a lost or doubled update merely delays or
// repeats a redraw.
#pragma once

#include <atomic>
#include <cstdint>

#include "host/vst2_interface.h"

class EffectBase;

class PluginEditor {
public:
    explicit PluginEditor(EffectBase* effect) : effect(effect) {}
    virtual ~PluginEditor() = default;

    PluginEditor(const PluginEditor&) = delete;
    PluginEditor& operator=(const PluginEditor&) = delete;

    // Stores the address of the editor's rectangle; the plain level has none.
    virtual VstIntPtr getRect(ERect** rect) {
        if (rect) *rect = nullptr;
        return 0;
    }
    // Remembers the host's window; 1 when an editor window was built.
    virtual VstIntPtr open(void* parent) {
        parentWindow = parent;
        return 0;
    }
    virtual void close() {}
    // The update step: a pending update runs once, however often it was posted.
    virtual void idle() {
        if (updatePending.exchange(0, std::memory_order_acq_rel) != 0) update();
    }
    virtual void update() {}
    virtual void postUpdate() { updatePending.store(1, std::memory_order_release); }
    // A parameter of the effect changed; the value is the one stored.
    virtual void setParameter(VstInt32 index, float value) {
        (void)index;
        (void)value;
        postUpdate();
    }

    EffectBase* getEffect() const { return effect; }
    void* getParentWindow() const { return parentWindow; }
    bool isUpdatePending() const { return updatePending.load(std::memory_order_acquire) != 0; }

protected:
    EffectBase* effect;
    void* parentWindow = nullptr;
    std::atomic<std::int32_t> updatePending{0};
};
