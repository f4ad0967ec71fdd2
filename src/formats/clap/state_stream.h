// The plug-in's CLAP state: a versioned byte stream around the text every
// format but VST 2 saves (the sixteen programs, their names, and the
// current program: DspSession::stateText), so the same state restores the
// same sound in each. The same state gives the same bytes on every machine.
//
// | bytes | what                                                         |
// |-------|--------------------------------------------------------------|
// | 4     | "MVXC"                                                       |
// | 4     | version, 1, little-endian                                    |
// | 4     | N, the text's length, little-endian                          |
// | N     | the state text                                               |
//
// Streams may move any number of bytes per call; a read ends at the
// stream's end. A stream that fails, ends early, runs past N or past
// kMaxStateBytes, or carries another magic or version is refused here; a
// text the session refuses is refused there. Either way nothing changes.
#pragma once

#include <clap/stream.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace molvex::clap {

inline constexpr std::uint32_t kStateVersion = 1;
// Far more than sixteen programs of text take; a stream longer than this is
// no state of ours.
inline constexpr std::size_t kMaxStateBytes = 1 << 16;

bool writeState(const clap_ostream_t* stream, const std::string& text);
// The text of a well-formed stream.
bool readState(const clap_istream_t* stream, std::string& text);

}  // namespace molvex::clap
