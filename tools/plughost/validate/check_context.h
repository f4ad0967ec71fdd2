// What every validate check sees, whatever the format: a shared host
// context, the strictness and a random source seeded per check (so --check
// NAME with the same --seed repeats a run exactly). A format's own checks
// get a context derived from it that also opens the format's own plug-in.
#pragma once

#include <memory>
#include <random>

#include "host/host_context.h"
#include "host/hosted_plugin.h"

class CheckContext {
public:
    CheckContext(HostContext& host, int strictness, unsigned seed)
        : host(host), strictness(strictness), rng(seed) {}
    virtual ~CheckContext() = default;

    // A new instance, neither configured nor resumed.
    virtual std::unique_ptr<HostedPlugin> plugin() const = 0;

    HostContext& host;
    const int strictness;  // 1..10
    std::mt19937 rng;

    // base at strictness 1, growing linearly with it.
    int scaled(int base) const { return base * strictness; }
    float uniform(float lo = 0.0f, float hi = 1.0f) {
        return std::uniform_real_distribution<float>(lo, hi)(rng);
    }
    int uniformInt(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
};
