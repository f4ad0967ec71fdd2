// The CLAP entry of the format registry: a file named .clap.
#include <filesystem>

#include "formats/clap/clap_commands.h"
#include "formats/registry.h"

namespace {

bool isClapArgument(const std::string& argument) {
    return std::filesystem::path(argument).extension() == ".clap";
}

}  // namespace

extern const PluginFormat kClapFormat = {"CLAP", isClapArgument, openClap, runClapValidate};
