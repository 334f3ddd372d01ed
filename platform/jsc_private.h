#pragma once
// Functions that libjavascriptcoregtk exports but whose header it does not ship.

#include <JavaScriptCore/JavaScript.h>

extern "C" {

// Called when the execution time limit of a context group runs out: true stops the
// running script (the script cannot catch that), false lets it go on.
typedef bool (*JSShouldTerminateCallback)(JSContextRef ctx, void* context);

// Arms the group's watchdog: `callback` runs after `limit` seconds of CPU time spent in
// script. After a "go on" the timer is not armed again until this is called again.
void JSContextGroupSetExecutionTimeLimit(JSContextGroupRef group, double limit,
                                         JSShouldTerminateCallback callback, void* context);

// Whether a script error also records the native (C++) call stack. Recording it costs
// a backtrace and symbol lookups on every error; we never read it.
void JSGlobalContextSetIncludesNativeCallStackWhenReportingExceptions(JSGlobalContextRef ctx,
                                                                      bool includes);

// A full garbage collection, done before it returns (JSGarbageCollect only suggests one).
void JSSynchronousGarbageCollectForDebugging(JSContextRef ctx);
}
