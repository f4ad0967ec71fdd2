// EffectBaseExt: the second layer of the dispatcher (effProcessEvents to
// effGetVstVersion) and the remaining host services. Every opcode outside
// that range goes on to the EffectBase layer unchanged. Virtual operations
// are grouped by direction, as in EffectBase; each keeps a harmless default
// unless a product overrides it.
#pragma once

#include "host/effect_base.h"

class EffectBaseExt : public EffectBase {
public:
    EffectBaseExt(HostCallback callback, VstInt32 programCount, VstInt32 paramCount)
        : EffectBase(callback, programCount, paramCount) {}
    ~EffectBaseExt() override = default;

    VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                         float opt) override;

    // Requests from the host: effProcessEvents to effGetVstVersion.
    virtual VstInt32 processEvents(VstEvents* events);
    virtual bool canBeAutomated(VstInt32 index);
    virtual bool stringToParameter(VstInt32 index, char* text);
    virtual VstInt32 getNumCategories();
    virtual bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text);
    virtual bool copyProgram(VstInt32 destination);
    virtual void onInputConnected(VstInt32 index, bool connected);
    virtual void onOutputConnected(VstInt32 index, bool connected);
    virtual bool getInputProperties(VstInt32 index, void* properties);
    virtual bool getOutputProperties(VstInt32 index, void* properties);
    virtual VstInt32 getCategory();
    virtual VstInt32 getCurrentPosition();
    virtual float* getDestinationBuffer();
    virtual bool offlineNotify(void* files, VstIntPtr count, bool start);
    virtual bool offlinePrepare(void* tasks, VstIntPtr count);
    virtual bool offlineRun(void* tasks, VstIntPtr count);
    virtual bool processVariableIo(void* variableIo);
    virtual bool setSpeakerArrangement(void* input, void* output);
    virtual void setBlockSizeAndSampleRate(VstInt32 frames, float rate);
    virtual bool setBypass(bool on);
    virtual bool getEffectName(char* text);
    virtual bool getErrorText(char* text);
    virtual bool getVendorString(char* text);
    virtual bool getProductString(char* text);
    virtual VstInt32 getVendorVersion();
    virtual VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
    virtual VstInt32 canDo(const char* text);
    virtual VstInt32 getTailSize();
    virtual VstInt32 effectIdle();
    virtual void* getIcon();
    virtual bool setViewPosition(VstInt32 x, VstInt32 y);
    virtual bool getParameterProperties(VstInt32 index, void* properties);
    virtual bool keysRequired();
    virtual VstInt32 getInterfaceVersion();

    // Services called on the host (host_services.cpp): audioMasterWantMidi
    // and every host opcode after it.
    virtual VstIntPtr requestEvents(VstIntPtr filter);
    virtual VstTimeInfo* getHostTimeInfo(VstIntPtr filter);
    virtual VstIntPtr getTempoAt(VstIntPtr position);
    virtual VstIntPtr getNumAutomatableParameters();
    virtual VstIntPtr getParameterQuantization();
    virtual bool notifyIoChanged();
    virtual bool requestIdle();
    virtual bool requestWindowSize(VstInt32 width, VstInt32 height);
    // audioMasterBeginEdit / audioMasterEndEdit: the user starts and ends
    // one gesture on parameter `index`.
    virtual bool beginEdit(VstInt32 index);
    virtual bool endEdit(VstInt32 index);
    virtual float refreshSampleRate();
    virtual VstInt32 refreshBlockSize();
    virtual VstIntPtr getHostInputLatency();
    virtual VstIntPtr getHostOutputLatency();
    virtual AEffect* getPreviousEffect();
    virtual AEffect* getNextEffect();
    virtual VstIntPtr hostWillReplace();
    virtual VstIntPtr getHostProcessLevel();
    virtual VstIntPtr getHostAutomationState();
    virtual bool offlineRead(void* task, VstIntPtr option, bool readSource);
    virtual bool offlineWrite(void* task, VstIntPtr option);
    virtual bool offlineStart(void* files, VstIntPtr fileCount, VstInt32 newFileCount);
    virtual bool offlineGetCurrentPass();
    virtual bool offlineGetCurrentMetaPass();
    virtual VstIntPtr setOutputSampleRate(float rate);
    virtual bool getHostSpeakerArrangement(void* input, void* output);
    virtual bool getHostVendorString(char* text);
    virtual bool getHostProductString(char* text);
    virtual VstIntPtr getHostVendorVersion();
    virtual VstIntPtr hostVendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
    virtual bool askHostCapability(const char* text);
    virtual VstIntPtr getHostLanguage();
    virtual void* openHostWindow(void* window);
    virtual bool closeHostWindow(void* window);
    virtual void* getHostDirectory();
    virtual bool updateHostDisplay();

    // Record setters: one flag bit each.
    virtual void setFlagExtIsAsync(bool on);
    virtual void setFlagExtHasBuffer(bool on);
    virtual void setFlagIsSynth(bool on);
    virtual void setFlagNoSoundInStop(bool on);
};
