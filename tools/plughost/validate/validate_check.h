// What every validate check sees: the library, a shared host context, the
// strictness and a random source seeded per check (so --check NAME with the
// same --seed repeats a run exactly).
#pragma once

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "host/plugin.h"
#include "validate/check_runner.h"

class ValidateContext {
public:
    ValidateContext(const PluginLibrary& library, HostContext& host, int strictness, unsigned seed)
        : library(library), host(host), strictness(strictness), rng(seed) {}

    const PluginLibrary& library;
    HostContext& host;
    const int strictness;  // 1..10
    std::mt19937 rng;

    std::unique_ptr<Plugin> instance() const { return std::make_unique<Plugin>(library, host); }
    // base at strictness 1, growing linearly with it.
    int scaled(int base) const { return base * strictness; }
    float uniform(float lo = 0.0f, float hi = 1.0f) {
        return std::uniform_real_distribution<float>(lo, hi)(rng);
    }
    int uniformInt(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
};

using Check = CheckOf<ValidateContext>;

// The check groups, each in a file of its own.
std::vector<Check> lifecycleChecks();
std::vector<Check> parameterChecks();
std::vector<Check> audioChecks();
std::vector<Check> threadChecks();
std::vector<Check> editorChecks();
std::vector<Check> slowChecks();
