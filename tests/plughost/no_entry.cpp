// A shared library that is not a plug-in: it exports no entry point.
extern "C" __attribute__((visibility("default"))) int plughostTestNothing() { return 0; }
