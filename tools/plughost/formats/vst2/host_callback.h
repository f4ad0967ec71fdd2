// The host side of the VST 2 interface: the callback every plug-in instance
// gets from `main`, answered from the instance's HostContext.
//
// Each instance is bound to one HostContext (sample rate, block size, time,
// automation log). The callback finds the context from the AEffect pointer;
// during `main`, before the record exists, it uses the context that
// Vst2Plugin's constructor announces on the calling thread.
//
// What the callback answers, by host opcode (audioMaster...):
//   Automate            logs index and value (with the render position), 1
//   Version             2400
//   Idle, NeedIdle      1 (an open editor's host hears of Idle first)
//   WantMidi            1 (MIDI is delivered through effProcessEvents)
//   GetTime             a VstTimeInfo at 120 BPM in 4/4, playing
//   TempoAt             1200000 (BPM times 10000)
//   GetSampleRate, GetBlockSize   the context's sample rate and block size
//   WillReplaceOrAccumulate       1 for processReplacing, 2 for process
//   GetCurrentProcessLevel        2 real time (4 while rendering offline)
//                                 inside an audio call, 1 otherwise
//   GetAutomationState  2 (read)
//   GetVendorString, GetProductString, GetVendorVersion
//                       vendor "Molvex", product "plughost", version 1000
//   CanDo               1 for the words it handles (host_callback.cpp), else 0
//   GetLanguage         1 (English)
//   GetDirectory        the plug-in library's folder
//   SizeWindow          what an open editor's host answers, else 1
//   UpdateDisplay, BeginEdit, EndEdit   1
// Everything else answers 0; IOChanged among them, since buffers are
// sized once from the record's channel counts. The callback is safe to call from any thread.
#pragma once

#include "host/host_context.h"
#include "vst2_interface.h"

VstIntPtr hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                       float opt);

// Binding of records to contexts; Vst2Plugin uses these.
void bindEffect(AEffect* effect, HostContext* context);
void unbindEffect(AEffect* effect);
// The context that callbacks without a known record on this thread use
// (set around the call of `main`).
void setPendingContext(HostContext* context);
