// The names this bundle gives its plug-in, panel, presets and saved state.
#pragma once

namespace molvex::lv2 {

inline constexpr char kPluginUri[] = "urn:molvex:filter-delay";
inline constexpr char kUiUri[] = "urn:molvex:filter-delay#ui";
// A factory preset's URI is this prefix and the preset's symbol.
inline constexpr char kPresetUriPrefix[] = "urn:molvex:filter-delay#preset-";
// Saved state: the sixteen programs as text, and the current program.
inline constexpr char kStatePrograms[] = "urn:molvex:filter-delay#programs";
inline constexpr char kStateCurrentProgram[] = "urn:molvex:filter-delay#current-program";

}  // namespace molvex::lv2
