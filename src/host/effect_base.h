// EffectBase: the plug-in record embedded in an effect object, the first
// layer of the opcode dispatcher (effOpen to effSetChunk), the host
// services every product may use and the five value-text conversions.
//
// The host holds the address of `record`; the record's `object` points back
// to this object, and five static functions turn each call on the record into
// a virtual call here. Every operation has a harmless default; a product
// overrides what it needs. Virtual operations are grouped by direction:
// requests from the host, services called on the host, record setters.
//
// Threads:
// | member           | written by                          | made safe by                      |
// |------------------|-------------------------------------|-----------------------------------|
// | sampleRate       | setSampleRate (any control thread)  | atomic float                      |
// | blockSize        | setBlockSize (any control thread)   | atomic                            |
// | currentProgram   | setProgram (any control thread)     | atomic                            |
// | record, editor   | the constructors only               | written before the host sees them |
// | hostCallback     | the constructor only                | never changes                     |
// The audio routines of a product must not read sampleRate for their own
// arithmetic while a rate change runs; products keep their own copy.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "host/plugin_editor.h"
#include "host/vst2_interface.h"

class EffectBase {
public:
    EffectBase(HostCallback callback, VstInt32 programCount, VstInt32 paramCount);
    virtual ~EffectBase();

    EffectBase(const EffectBase&) = delete;
    EffectBase& operator=(const EffectBase&) = delete;

    // Requests from the host: the record's entries and effOpen to effSetChunk.
    virtual void setParameter(VstInt32 index, float value);
    virtual float getParameter(VstInt32 index);
    virtual void process(float** inputs, float** outputs, VstInt32 frames) = 0;
    virtual void processReplacing(float** inputs, float** outputs, VstInt32 frames);
    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt);
    virtual void open();
    virtual void close();
    virtual VstInt32 getProgram();
    virtual void setProgram(VstInt32 program);
    virtual void setProgramName(char* text);
    virtual void getProgramName(char* text);
    virtual void getParameterLabel(VstInt32 index, char* text);
    virtual void getParameterDisplay(VstInt32 index, char* text);
    virtual void getParameterName(VstInt32 index, char* text);
    virtual float getVu();
    virtual VstInt32 getChunk(void** data, bool isPreset);
    virtual VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset);
    virtual void setSampleRate(float rate);
    virtual void setBlockSize(VstInt32 frames);
    virtual void suspend();
    virtual void resume();

    // Record setters.
    virtual void setUniqueId(VstInt32 code);
    virtual void setNumInputs(VstInt32 count);
    virtual void setNumOutputs(VstInt32 count);
    virtual void setFlagHasVu(bool on);
    virtual void setFlagHasClip(bool on);
    virtual void setFlagCanMono(bool on);
    virtual void setFlagCanReplacing(bool on);
    virtual void setFlagProgramChunks(bool on);
    virtual void setRealQualities(VstInt32 count);
    virtual void setOffQualities(VstInt32 count);
    virtual void setInitialDelay(VstInt32 frames);

    // What the host last set.
    virtual float getSampleRate();
    virtual VstInt32 getBlockSize();

    // Services called on the host (audioMasterAutomate to
    // audioMasterPinConnected). Without a callback
    // each answers a fixed value: the version 1, the connection queries
    // true, the rest 0.
    // Sets the parameter through setParameter, then tells the host
    // (audioMasterAutomate) so that it records the change as automation.
    virtual void automateParameter(VstInt32 index, float value);
    virtual VstIntPtr getHostVersion();
    virtual VstIntPtr getHostCurrentId();
    virtual VstIntPtr hostIdle();
    virtual bool isInputConnected(VstInt32 index);
    virtual bool isOutputConnected(VstInt32 index);

    // Value texts: at most 8 characters and a terminating zero; the text
    // buffer must hold 9 bytes. The three unit conversions go through
    // formatFloat and getSampleRate, so an override of either changes them.
    virtual void formatDecibels(float gain, char* text);
    virtual void formatHertz(float frames, char* text);
    virtual void formatMilliseconds(float frames, char* text);
    virtual void formatFloat(float value, char* text);
    virtual void formatInteger(VstInt32 value, char* text);

    // The only way an editor reaches an effect: the effect takes it over
    // (deleting one it held before) and sets the has-editor flag when there
    // is one. Called while the effect is built, before the host sees it.
    void attachEditor(std::unique_ptr<PluginEditor> newEditor) {
        editor = std::move(newEditor);
        setFlagBit(effFlagsHasEditor, editor != nullptr);
    }

    AEffect* getRecord() { return &record; }
    PluginEditor* getEditor() const { return editor.get(); }
    HostCallback getHostCallback() const { return hostCallback; }

    // The object behind a record; the record functions trust it as the
    // interface does.
    static EffectBase* fromRecord(AEffect* effect) {
        return static_cast<EffectBase*>(effect->object);
    }

protected:
    void setFlagBit(VstInt32 bit, bool on);
    // Calls the host with this record; 0 without a callback.
    VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f);

    std::atomic<float> sampleRate{44100.0f};
    std::unique_ptr<PluginEditor> editor;
    HostCallback hostCallback;
    VstInt32 numPrograms;
    VstInt32 numParams;
    std::atomic<VstInt32> currentProgram{0};
    std::atomic<VstInt32> blockSize{1024};
    AEffect record;
};

// A value text's field: 8 characters and the terminator. Value texts fill the
// whole field, zeros after the text, so no stale byte reaches the host.
inline constexpr int kValueTextSize = 9;

// The texts that the value conversions write for values they cannot show.
inline constexpr char kMinusInfinityText[] = "  -oo   ";
inline constexpr char kOverflowText[] = " Huge!  ";
