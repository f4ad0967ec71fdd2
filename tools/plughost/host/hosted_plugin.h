// What the commands need of a plug-in, whatever its format: the VST 2
// Plugin and the LV2 Lv2Plugin both implement it, so render, bench and the
// audio checks of validate are written once.
//
// Parameter values are 0..1 in every format. A VST 2 plug-in takes them as
// they are; an LV2 plug-in's control input ports are its parameters, in port
// order, and 0..1 spans each port's range (logarithmically where the port
// says so).
//
// Calling order, as hosts do: configure (rate and block size), resume, any
// number of processBlock calls, suspend. Parameters and control changes may
// be sent at any time; control changes reach the plug-in with the next
// processBlock.
#pragma once

#include <string>
#include <vector>

class HostContext;

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

    virtual HostContext& context() const = 0;
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

    virtual std::string parameterName(int index) const = 0;
    virtual float getParameter(int index) const = 0;
    virtual void setParameter(int index, float value) const = 0;
    virtual void setProgram(int program) const = 0;

    virtual void configure(double sampleRate, int blockSize) const = 0;
    virtual void resume() const = 0;
    virtual void suspend() const = 0;
    virtual void sendControlChanges(const std::vector<ControlChange>& changes) const = 0;
    virtual void processBlock(float** inputs, float** outputs, int frames,
                              bool replacing) const = 0;

    // Index of a parameter given as a number or as its name (matched without
    // padding spaces, case-insensitively). Throws HostError when none fits.
    int findParameter(const std::string& indexOrName) const;
};

// Name with leading and trailing spaces removed, lower case: how parameter
// names are compared.
std::string normalisedName(const std::string& name);
