#include "host/plugin.h"

#include <filesystem>
#include <vector>

#include "error.h"

namespace {

std::string hex32(VstInt32 v) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<unsigned>(v));
    return buffer;
}

}  // namespace

PluginLibrary::PluginLibrary(const std::string& path) : libraryPath(path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) throw HostError(path + ": no such file");
    if (std::filesystem::is_directory(path, ec))
        throw HostError(path + ": is a folder, not a plug-in library");
    std::string why;
    loadedLibrary = loadLibrary(path, why);
    if (!loadedLibrary) throw HostError(path + ": cannot load library: " + why);
    void* entry = loadedLibrary->symbol("main");
    if (!entry) entry = loadedLibrary->symbol("VSTPluginMain");
    if (!entry)
        throw HostError(path + ": not a VST 2 plug-in (exports neither main nor VSTPluginMain)");
    mainEntry = reinterpret_cast<PluginMainProc>(entry);
}

std::string PluginLibrary::directory() const {
    return std::filesystem::absolute(libraryPath).parent_path().string();
}

Plugin::Plugin(const PluginLibrary& library, HostContext& context) : hostContext(context) {
    if (context.pluginDirectory.empty()) context.pluginDirectory = library.directory();
    setPendingContext(&context);
    AEffect* effect = library.entry()(hostCallback);
    setPendingContext(nullptr);
    if (!effect) throw HostError(library.path() + ": main returned no plug-in");
    if (effect->magic != kEffectMagic)
        throw HostError(library.path() + ": record has wrong magic " + hex32(effect->magic) +
                        " (expected VstP)");
    if (!effect->dispatcher) throw HostError(library.path() + ": record has no dispatcher");
    record = effect;
    bindEffect(record, &hostContext);
    dispatch(effOpen);
}

Plugin::~Plugin() {
    if (!record) return;
    if (resumed) suspend();
    AEffect* effect = record;
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    unbindEffect(effect);
}

void Plugin::closeNow() {
    AEffect* effect = record;
    if (!effect) return;
    record = nullptr;
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    unbindEffect(effect);
}

VstIntPtr Plugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                           float opt) const {
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

std::string Plugin::text(VstInt32 opcode, VstInt32 index) const {
    // Far larger than any limit of the interface: plug-ins overrun the
    // nominal 8 or 24 bytes often enough that a host must allow for it.
    std::vector<char> buffer(1024, '\0');
    dispatch(opcode, index, 0, buffer.data());
    return printableText(buffer.data(), buffer.size());
}

std::string printableText(const char* buffer, size_t size) {
    size_t length = 0;
    while (length < size && buffer[length] != '\0') ++length;
    std::string out(buffer, length);
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    }
    return out;
}

void Plugin::setParameter(int index, float value) const {
    if (record->setParameter) record->setParameter(record, index, value);
}

float Plugin::getParameter(int index) const {
    return record->getParameter ? record->getParameter(record, index) : 0.0f;
}

void Plugin::configure(double sampleRate, int blockSize) const {
    hostContext.sampleRate = sampleRate;
    hostContext.blockSize = blockSize;
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, 0, blockSize);
}

void Plugin::resume() const {
    dispatch(effMainsChanged, 0, 1);
    dispatch(effStartProcess);
    resumed = true;
}

void Plugin::suspend() const {
    dispatch(effStopProcess);
    dispatch(effMainsChanged, 0, 0);
    resumed = false;
}

void Plugin::processBlock(float** inputs, float** outputs, int frames, bool replacing) const {
    AudioCallScope scope;
    if (replacing && record->processReplacing) {
        record->processReplacing(record, inputs, outputs, frames);
    } else if (record->process) {
        record->process(record, inputs, outputs, frames);
    }
}

void Plugin::sendControlChanges(const std::vector<ControlChange>& changes) const {
    if (changes.empty()) return;
    midi.clear();
    for (const auto& c : changes) midi.addControlChange(c.frame, c.channel, c.controller, c.value);
    dispatch(effProcessEvents, 0, 0, midi.get());
}
