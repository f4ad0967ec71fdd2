// PanelSession: the product's panel as every format other than VST 2 shows
// it. The session owns a FilterDelayEffect used only as the panel's
// parameter model (it never processes audio) and the editor attached to it;
// the panel reaches the format's host only through PanelHost, so a format
// whose panel runs apart from its DSP (LV2's may run in another process)
// carries every value over its own road.
//
// | direction        | road                                                |
// |------------------|-----------------------------------------------------|
// | panel -> host    | a knob moves -> PanelHost::edited (normalized),     |
// |                  | inside gestureBegins / gestureEnds                  |
// | host -> panel    | setNormalized (the host's or the DSP's value) -> the|
// |                  | model -> the panel's next idle                      |
// | panel size       | the zoom menu asks canResize, then resize(w, h)     |
//
// Gestures: the editor opens and closes one explicitly around a wheel notch
// or a typed value; a drag runs inside one idle (the control's tracking loop
// holds it), so a change that arrives outside an open gesture opens one
// itself, and that gesture ends when the idle returns.
//
// Scale: `hostScale` is the host's word on the panel's scale as a factor
// (LV2's ui:scaleFactor, CLAP's set_scale), or nullopt when the host offered
// none; the panel then asks the variable and the desktop (panel_scale.h).
// An offered factor wins over both, 1 included: a host that says 1 (Ardour
// at its own 100 %) is saying something, whatever the desktop's DPI.
//
// Threads: the host's user-interface thread only.
#pragma once

#include <cstdint>
#include <optional>

#include "effect/filter_delay_effect.h"
#include "host/host_call_router.h"

class GuiEditorBase;

namespace molvex {

class PanelHost {
public:
    virtual void edited(ParameterIndex parameter, float value) = 0;
    virtual void gestureBegins(ParameterIndex parameter) = 0;
    virtual void gestureEnds(ParameterIndex parameter) = 0;
    virtual bool canResize() = 0;
    // The panel's new size in pixels; true when the host resized.
    virtual bool resize(int width, int height) = 0;

protected:
    ~PanelHost() = default;
};

class PanelSession final : private HostCalls {
public:
    // `host` must outlive the session.
    PanelSession(PanelHost& host, std::optional<double> hostScale);
    ~PanelSession();

    PanelSession(const PanelSession&) = delete;
    PanelSession& operator=(const PanelSession&) = delete;

    // Builds the panel inside the host's window `parent` (the platform's
    // native window); false when it could not.
    [[nodiscard]] bool open(void* parent);
    // The panel's own native window, 0 before open.
    std::uintptr_t nativeWindow() const { return window; }
    // The panel's size in pixels at the scale it is (or will be) shown at.
    int width() const;
    int height() const;
    // The host's or the DSP's value of a parameter (normalized): NaN and an
    // unchanged value are no change. Shown at the next idle.
    void setNormalized(ParameterIndex parameter, float value);
    // The editor's idle, then the end of the gestures a change opened.
    void idle();

    FilterDelayEffect& getModel() { return model; }

private:
    void automate(int index, float value) override;
    void beginEdit(int index) override;
    void endEdit(int index) override;
    bool canResize() override { return host.canResize(); }
    bool resize(int width, int height) override { return host.resize(width, height); }
    void setGesture(int index, bool open);

    PanelHost& host;
    FilterDelayEffect model;
    GuiEditorBase* editor = nullptr;  // owned by the model
    std::uintptr_t window = 0;
    // Per parameter: a gesture is open, and whether a change opened it
    // (closed at the end of idle) rather than the editor.
    bool gestureOpen[kParameterCount] = {};
    bool gestureAutomatic[kParameterCount] = {};
};

}  // namespace molvex
