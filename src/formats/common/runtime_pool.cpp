// The C++ runtime travels inside the plug-in library, and with it the pool
// it keeps for throwing exceptions when the heap runs out. The runtime
// allocates that pool when the library loads and never frees it, so every
// load and unload by a scanning host would lose it (some 70 KB). The library
// gives it back as it unloads, after every other destructor of its own:
// nothing of the plug-in runs, and so nothing throws, once the host has
// unloaded it.

// The runtime's own release function; its headers do not declare it.
namespace __gnu_cxx {
void __freeres() noexcept;
}

namespace {

// The lowest priority runs last among the library's destructors.
[[gnu::destructor(101)]] void releaseRuntimePool() { __gnu_cxx::__freeres(); }

}  // namespace
