// ClapPanel: the product's panel in a CLAP host's window, through the
// format-neutral PanelSession. The session edits a parameter model of its
// own; this side carries values between it and the DSP:
// | direction     | road                                                    |
// |---------------|---------------------------------------------------------|
// | panel -> DSP  | PanelHost edited / gestureBegins / gestureEnds -> edit  |
// |               | queue -> request_flush -> the next flush or process     |
// |               | applies it and sends the host gesture begin, value,     |
// |               | gesture end                                             |
// | DSP -> panel  | the timer compares the DSP's values with those it saw   |
// |               | last and hands the session the changed ones             |
// | panel size    | the zoom menu's resize -> the host's request_resize     |
//
// Scale: set_scale's 1, 1.5 or 2 is the host's word (any other value is
// refused); without it the session chooses as in the other formats. The
// session is made when the size or the window is first asked for, with the
// scale known then; a scale set before the panel opens makes it anew.
// Sizes are device pixels.
//
// Threads: the host's main thread only.
#pragma once

#include <clap/id.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "effect/parameter_index.h"
#include "formats/common/panel_session.h"

namespace molvex::clap {

class ClapPlugin;

class ClapPanel final : private PanelHost {
public:
    explicit ClapPanel(ClapPlugin& plugin);
    ~ClapPanel();

    ClapPanel(const ClapPanel&) = delete;
    ClapPanel& operator=(const ClapPanel&) = delete;

    // False in a build without the panel.
    static bool available();
    bool setScale(double scale);
    bool getSize(std::uint32_t& width, std::uint32_t& height);
    // Opens the panel in `parent` (shown at once) and starts the timer.
    bool setParent(void* parent);
    // The period of the timer that handles the panel's events.
    static constexpr std::uint32_t kTimerMs = 30;
    void onTimer(clap_id id);
    bool isOpen() const { return open; }

private:
    void edited(ParameterIndex parameter, float value) override;
    void gestureBegins(ParameterIndex parameter) override;
    void gestureEnds(ParameterIndex parameter) override;
    bool canResize() override;
    bool resize(int width, int height) override;
    PanelSession& ensureSession();
    void followEffect();

    ClapPlugin& plugin;
    std::optional<double> hostScale;
    std::unique_ptr<PanelSession> session;
    bool open = false;
    clap_id timer = CLAP_INVALID_ID;
    float seen[kParameterCount] = {};
};

}  // namespace molvex::clap
