#pragma once
// Fixed diagnostic texts at the transport's failure points. The library's own hook discards
// them; a test may install one that listens.
namespace sonorel {

using TraceHook = void (*)(const char* text, const char* detail);

void Trace(const char* text, const char* detail = nullptr);

// Null restores the discarding hook. Returns the previous hook.
TraceHook InstallTraceHook(TraceHook hook);

}  // namespace sonorel
