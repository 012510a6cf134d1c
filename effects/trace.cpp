#include "trace.h"

#include <atomic>

namespace sonorel {
namespace {

void Discard(const char*, const char*) {}

std::atomic<TraceHook> g_hook{&Discard};

}  // namespace

void Trace(const char* text, const char* detail) { g_hook.load()(text, detail); }

TraceHook InstallTraceHook(TraceHook hook) { return g_hook.exchange(hook ? hook : &Discard); }

}  // namespace sonorel
