// The gui and timer-support extension tables. The panel embeds in the
// host's window, x11 on Linux and win32 on Windows (the window API this
// build's platform backend has); floating windows are not offered. On x11
// the panel's events are handled from the host's timer.
#pragma once

namespace molvex::clap {

const void* guiExtension();
const void* timerExtension();

}  // namespace molvex::clap
