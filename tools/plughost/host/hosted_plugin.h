// What the commands need of a plug-in, whatever its format: each format's
// plug-in (formats/<fmt>/) implements it, so render, bench, editor and the
// checks every format shares are written once.
//
// Parameter values are 0..1 in every format. A VST 2 plug-in takes them as
// they are; an LV2 plug-in's control input ports are its parameters, in port
// order, and 0..1 spans each port's range (logarithmically where the port
// says so).
//
// Calling order, as hosts do: configure (rate and block size), resume, any
// number of processBlock calls, suspend. Parameters and control changes may
// be sent at any time; control changes reach the plug-in with the next
// processBlock, in the order of their frames.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/hosted_editor.h"

class HostContext;
class EditorHostEvents;

// A MIDI control change, `frame` frames into the next block.
struct ControlChange {
    int frame;
    int channel;  // 0..15
    int controller;
    int value;
};

class HostedPlugin {
public:
    virtual ~HostedPlugin() = default;
    HostedPlugin(const HostedPlugin&) = delete;
    HostedPlugin& operator=(const HostedPlugin&) = delete;

    // The host's state for this instance; callbacks answer from it.
    HostContext& context() const { return hostContext; }
    // The name the plug-in gives a host's window; empty where it gives none.
    virtual std::string title() const = 0;
    virtual int numParams() const = 0;
    virtual int numPrograms() const = 0;
    virtual int numInputs() const = 0;
    virtual int numOutputs() const = 0;
    // processBlock with replacing = true overwrites the outputs; plug-ins
    // that can accumulate also add onto them with replacing = false.
    virtual bool canReplace() const = 0;
    virtual bool canAccumulate() const = 0;
    // The name of the audio call processBlock makes, for reports.
    virtual const char* audioCallName(bool replacing) const = 0;
    // Frames the output lags the input by, as the plug-in reports it.
    virtual int latency() const = 0;
    // Frames it rings on after the input stops: 0 when it does not say, 1
    // when it says it has no tail.
    virtual long tail() const = 0;

    virtual std::string parameterName(int index) const = 0;
    virtual float getParameter(int index) const = 0;
    virtual void setParameter(int index, float value) const = 0;
    virtual void setProgram(int program) const = 0;

    // Rate and block size, kept in the context too.
    void configure(double sampleRate, int blockSize) const;
    virtual void resume() const = 0;
    virtual void suspend() const = 0;
    // The changes in any order; the plug-in gets them sorted by frame (equal
    // frames keep their order), as every format requires.
    void sendControlChanges(const std::vector<ControlChange>& changes) const;
    virtual void processBlock(float** inputs, float** outputs, int frames,
                              bool replacing) const = 0;

    // False when the plug-in says it has no editor. Where a format says
    // nothing before a UI is looked for, true: openEditor then refuses.
    virtual bool hasEditor() const = 0;
    // The editor's size before it opens, where the format tells it.
    virtual bool editorSize(int& width, int& height) const = 0;
    // The editor open inside parentWindow, telling events what it asks of
    // the host. Throws HostError when there is none or it does not open.
    virtual std::unique_ptr<HostedEditor> openEditor(void* parentWindow,
                                                     EditorHostEvents& events) const = 0;
    // True where the host may close the editor or the plug-in from inside a
    // callback of the plug-in's (closeNow below, HostedEditor::closeNow).
    virtual bool closesInCallbacks() const { return false; }
    // Destroys the instance now, as a careless host may from inside one of
    // the plug-in's own calls; its editor goes with it. The destructor then
    // leaves it be.
    virtual void closeNow() {}

    // Prints what plughost info shows of it on stdout: text, or JSON.
    virtual void printInfo(bool json) const = 0;

    // Index of a parameter given as a number or as its name (matched without
    // padding spaces, case-insensitively). Throws HostError when none fits.
    int findParameter(const std::string& indexOrName) const;

protected:
    explicit HostedPlugin(HostContext& context) : hostContext(context) {}

private:
    // Tells the plug-in the rate and block size configure was given.
    virtual void applyConfiguration(double sampleRate, int blockSize) const = 0;
    // Hands changes sorted by frame to the plug-in, for its next block.
    virtual void deliverControlChanges(const std::vector<ControlChange>& sorted) const = 0;

    HostContext& hostContext;
};

// Name with leading and trailing spaces removed, lower case: how parameter
// names are compared.
std::string normalisedName(const std::string& name);
