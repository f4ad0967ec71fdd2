#include "formats/vst2/vst2_plugin.h"

#include <filesystem>
#include <vector>

#include "error.h"
#include "formats/vst2/vst2_editor.h"

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

Vst2Plugin::Vst2Plugin(std::shared_ptr<const PluginLibrary> from, HostContext& context)
    : HostedPlugin(context), library(std::move(from)) {
    const std::string& path = library->path();
    if (context.pluginDirectory.empty()) context.pluginDirectory = library->directory();
    setPendingContext(&context);
    AEffect* effect = library->entry()(hostCallback);
    setPendingContext(nullptr);
    if (!effect) throw HostError(path + ": main returned no plug-in");
    if (effect->magic != kEffectMagic)
        throw HostError(path + ": record has wrong magic " + hex32(effect->magic) +
                        " (expected VstP)");
    if (!effect->dispatcher) throw HostError(path + ": record has no dispatcher");
    record = effect;
    bindEffect(record, &context);
    dispatch(effOpen);
}

Vst2Plugin::~Vst2Plugin() {
    if (!record) return;
    if (resumed) suspend();
    AEffect* effect = record;
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    unbindEffect(effect);
}

void Vst2Plugin::closeNow() {
    AEffect* effect = record;
    if (!effect) return;
    record = nullptr;
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    unbindEffect(effect);
}

VstIntPtr Vst2Plugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt) const {
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

std::string Vst2Plugin::text(VstInt32 opcode, VstInt32 index) const {
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

void Vst2Plugin::setParameter(int index, float value) const {
    if (record->setParameter) record->setParameter(record, index, value);
}

float Vst2Plugin::getParameter(int index) const {
    return record->getParameter ? record->getParameter(record, index) : 0.0f;
}

void Vst2Plugin::applyConfiguration(double sampleRate, int blockSize) const {
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, 0, blockSize);
}

void Vst2Plugin::resume() const {
    dispatch(effMainsChanged, 0, 1);
    dispatch(effStartProcess);
    resumed = true;
}

void Vst2Plugin::suspend() const {
    dispatch(effStopProcess);
    dispatch(effMainsChanged, 0, 0);
    resumed = false;
}

void Vst2Plugin::processBlock(float** inputs, float** outputs, int frames, bool replacing) const {
    AudioCallScope scope;
    if (replacing && record->processReplacing) {
        record->processReplacing(record, inputs, outputs, frames);
    } else if (record->process) {
        record->process(record, inputs, outputs, frames);
    }
}

void Vst2Plugin::deliverControlChanges(const std::vector<ControlChange>& sorted) const {
    midi.clear();
    for (const auto& c : sorted) midi.addControlChange(c.frame, c.channel, c.controller, c.value);
    dispatch(effProcessEvents, 0, 0, midi.get());
}

bool Vst2Plugin::editorSize(int& width, int& height) const {
    ERect* rect = nullptr;
    dispatch(effEditGetRect, 0, 0, &rect);
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top) return false;
    width = rect->right - rect->left;
    height = rect->bottom - rect->top;
    return true;
}

std::unique_ptr<HostedEditor> Vst2Plugin::openEditor(void* parentWindow, EditorHostEvents&) const {
    return std::make_unique<Vst2Editor>(*this, parentWindow, library->path());
}
