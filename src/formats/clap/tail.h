// The tail extension, declared here because the CLAP headers this tree
// builds against predate it. The layout and ids are the format's own.
#pragma once

#include <clap/plugin.h>

#include <cstdint>

// The plug-in's side: its tail in samples; INT32_MAX or more means the tail
// never ends. Main or audio thread.
static constexpr const char kClapExtTail[] = "clap.tail";

extern "C" {

typedef struct clap_plugin_tail {
    uint32_t(CLAP_ABI* get)(const clap_plugin_t* plugin);
} clap_plugin_tail_t;

// The host's side: the tail changed. Audio thread.
typedef struct clap_host_tail {
    void(CLAP_ABI* changed)(const clap_host_t* host);
} clap_host_tail_t;
}
