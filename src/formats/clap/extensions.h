// The extensions the plug-in offers, by id: audio-ports, note-ports,
// latency, tail, params, state, gui and timer-support. Null for any other.
#pragma once

namespace molvex::clap {

const void* findExtension(const char* id);

}  // namespace molvex::clap
