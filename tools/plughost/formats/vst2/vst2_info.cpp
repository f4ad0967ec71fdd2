#include "formats/vst2/vst2_info.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "capability_words.h"
#include "formats/vst2/vst2_plugin.h"
#include "output/json_writer.h"

namespace {

// Words later plug-ins answer besides the interface's own list.
constexpr const char* kLaterPluginWords[] = {"midiProgramNames", "conformsToWindowRules", "bypass"};

}  // namespace

std::string fourCharText(VstInt32 code) {
    std::string out;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned char c =
            static_cast<unsigned char>(static_cast<std::uint32_t>(code) >> shift);
        out += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '.';
    }
    return out;
}

std::string flagNames(VstInt32 flags) {
    static const struct {
        VstInt32 bit;
        const char* name;
    } kNames[] = {
        {effFlagsHasEditor, "hasEditor"},
        {effFlagsHasClip, "hasClip"},
        {effFlagsHasVu, "hasVu"},
        {effFlagsCanMono, "canMono"},
        {effFlagsCanReplacing, "canReplacing"},
        {effFlagsProgramChunks, "programChunks"},
        {effFlagsIsSynth, "isSynth"},
        {effFlagsNoSoundInStop, "noSoundInStop"},
        {effFlagsExtIsAsync, "extIsAsync"},
        {effFlagsExtHasBuffer, "extHasBuffer"},
        {effFlagsCanDoubleReplacing, "canDoubleReplacing"},
    };
    std::string out;
    VstInt32 known = 0;
    for (const auto& n : kNames) {
        known |= n.bit;
        if (flags & n.bit) out += (out.empty() ? "" : " ") + std::string(n.name);
    }
    if (flags & ~known) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "unknown:0x%X", static_cast<unsigned>(flags & ~known));
        out += (out.empty() ? "" : " ") + std::string(buffer);
    }
    return out.empty() ? "none" : out;
}

namespace {

std::string hex(VstInt32 v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(v));
    return buffer;
}

const char* categoryName(VstIntPtr category) {
    static const char* const kNames[] = {"unknown",     "effect",         "synth",  "analysis",
                                         "mastering",   "spacializer",    "roomFx", "surroundFx",
                                         "restoration", "offlineProcess", "shell",  "generator"};
    return category >= 0 && category < 12 ? kNames[category] : "out of range";
}

struct Facts {
    VstIntPtr identify, category, vendorVersion, vstVersion;
    std::string effectName, errorText, vendor, product;
    std::vector<std::pair<std::string, VstIntPtr>> canDo;
    std::vector<std::string> programs;
    struct Parameter {
        std::string name, label, display;
        float value;
    };
    std::vector<Parameter> parameters;
};

Facts gather(const Vst2Plugin& plugin) {
    Facts f;
    f.identify = plugin.dispatch(effIdentify);
    f.category = plugin.dispatch(effGetPlugCategory);
    f.effectName = plugin.text(effGetEffectName);
    f.errorText = plugin.text(effGetErrorText);
    f.vendor = plugin.text(effGetVendorString);
    f.product = plugin.text(effGetProductString);
    f.vendorVersion = plugin.dispatch(effGetVendorVersion);
    f.vstVersion = plugin.dispatch(effGetVstVersion);
    auto ask = [&](const char* text) {
        std::string word = text;
        f.canDo.emplace_back(word, plugin.dispatch(effCanDo, 0, 0, word.data()));
    };
    for (const char* word : kPluginCapabilityWords) ask(word);
    for (const char* word : kLaterPluginWords) ask(word);
    // Indexed names where the plug-in offers them; otherwise select each
    // program in turn and come back to the current one.
    const VstIntPtr current = plugin.dispatch(effGetProgram);
    for (int p = 0; p < plugin.numPrograms(); ++p) {
        std::vector<char> buffer(1024, '\0');
        if (plugin.dispatch(effGetProgramNameIndexed, p, -1, buffer.data()) != 0) {
            f.programs.push_back(printableText(buffer.data(), buffer.size()));
        } else {
            plugin.dispatch(effSetProgram, 0, p);
            f.programs.push_back(plugin.programName());
        }
    }
    if (plugin.numPrograms() > 0) plugin.dispatch(effSetProgram, 0, current);
    for (int i = 0; i < plugin.numParams(); ++i) {
        f.parameters.push_back({plugin.parameterName(i), plugin.parameterLabel(i),
                                plugin.parameterDisplay(i), plugin.getParameter(i)});
    }
    return f;
}

void printText(const std::string& library, const AEffect& e, const Facts& f) {
    std::printf("library          %s\n", library.c_str());
    std::printf("magic            %s\n", fourCharText(e.magic).c_str());
    std::printf("unique id        %s (%s)\n", fourCharText(e.uniqueID).c_str(),
                hex(e.uniqueID).c_str());
    std::printf("version          %d\n", e.version);
    std::printf("inputs/outputs   %d / %d\n", e.numInputs, e.numOutputs);
    std::printf("programs         %d\n", e.numPrograms);
    std::printf("parameters       %d\n", e.numParams);
    std::printf("flags            %s (%s)\n", hex(e.flags).c_str(), flagNames(e.flags).c_str());
    std::printf("initial delay    %d frames\n", e.initialDelay);
    std::printf("qualities        real %d, off %d\n", e.realQualities, e.offQualities);
    std::printf("io ratio         %g\n", static_cast<double>(e.ioRatio));
    std::printf("identify (22)    %s (%s)\n",
                fourCharText(static_cast<VstInt32>(f.identify)).c_str(),
                hex(static_cast<VstInt32>(f.identify)).c_str());
    std::printf("category (35)    %ld (%s)\n", static_cast<long>(f.category),
                categoryName(f.category));
    std::printf("effect name (45) \"%s\"\n", f.effectName.c_str());
    std::printf("error text (46)  \"%s\"\n", f.errorText.c_str());
    std::printf("vendor (47)      \"%s\"\n", f.vendor.c_str());
    std::printf("product (48)     \"%s\"\n", f.product.c_str());
    std::printf("vendor vers (49) %ld\n", static_cast<long>(f.vendorVersion));
    std::printf("vst version (58) %ld\n", static_cast<long>(f.vstVersion));
    std::printf("canDo (51)       1 yes, -1 no, 0 don't know\n");
    for (const auto& [word, answer] : f.canDo)
        std::printf("  %-22s %ld\n", word.c_str(), static_cast<long>(answer));
    std::printf("programs\n");
    for (size_t p = 0; p < f.programs.size(); ++p)
        std::printf("  %3zu  \"%s\"\n", p, f.programs[p].c_str());
    std::printf("parameters       index  name  value  display  label\n");
    for (size_t i = 0; i < f.parameters.size(); ++i) {
        const auto& p = f.parameters[i];
        std::printf("  %3zu  %-18s %8.4f  \"%s\" \"%s\"\n", i, ("\"" + p.name + "\"").c_str(),
                    static_cast<double>(p.value), p.display.c_str(), p.label.c_str());
    }
}

void printJson(const std::string& library, const AEffect& e, const Facts& f) {
    JsonWriter j;
    j.beginObject();
    j.string("library", library);
    j.string("magic", fourCharText(e.magic));
    j.string("uniqueId", fourCharText(e.uniqueID));
    j.integer("uniqueIdValue", e.uniqueID);
    j.integer("version", e.version);
    j.integer("numInputs", e.numInputs);
    j.integer("numOutputs", e.numOutputs);
    j.integer("numPrograms", e.numPrograms);
    j.integer("numParams", e.numParams);
    j.integer("flags", e.flags);
    j.beginArray("flagNames");
    std::string names = flagNames(e.flags);
    for (size_t pos = 0; pos < names.size();) {
        size_t end = names.find(' ', pos);
        if (end == std::string::npos) end = names.size();
        if (names != "none") j.string("", names.substr(pos, end - pos));
        pos = end + 1;
    }
    j.endArray();
    j.integer("initialDelay", e.initialDelay);
    j.integer("realQualities", e.realQualities);
    j.integer("offQualities", e.offQualities);
    j.number("ioRatio", e.ioRatio);
    j.beginObject("opcodes");
    j.integer("22_identify", f.identify);
    j.integer("35_category", f.category);
    j.string("45_effectName", f.effectName);
    j.string("46_errorText", f.errorText);
    j.string("47_vendor", f.vendor);
    j.string("48_product", f.product);
    j.integer("49_vendorVersion", f.vendorVersion);
    j.integer("58_vstVersion", f.vstVersion);
    j.endObject();
    j.beginObject("canDo");
    for (const auto& [word, answer] : f.canDo) j.integer(word, answer);
    j.endObject();
    j.beginArray("programs");
    for (const auto& p : f.programs) j.string("", p);
    j.endArray();
    j.beginArray("parameters");
    for (size_t i = 0; i < f.parameters.size(); ++i) {
        const auto& p = f.parameters[i];
        j.beginObject();
        j.integer("index", static_cast<long long>(i));
        j.string("name", p.name);
        j.string("label", p.label);
        j.string("display", p.display);
        j.number("value", p.value);
        j.endObject();
    }
    j.endArray();
    j.endObject();
    std::fputs(j.text().c_str(), stdout);
}

}  // namespace

void Vst2Plugin::printInfo(bool json) const {
    const Facts facts = gather(*this);
    (json ? printJson : printText)(library->path(), *record, facts);
}
