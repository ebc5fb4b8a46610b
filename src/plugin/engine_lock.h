// One lock around everything that works on the plug-in's files: entry
// calls, window events and timer ticks. The host is expected to call from
// the thread that loaded the library, where these never overlap anyway; a
// host that calls from another thread is serialised here instead of running
// the engine at the same time as a window event on the same files.
//
// Recursive, because a window event may run a nested message loop (a message
// box) on the same thread.
#ifndef TARVOLO_PLUGIN_ENGINE_LOCK_H_
#define TARVOLO_PLUGIN_ENGINE_LOCK_H_

#include <mutex>

namespace tarvolo {

std::recursive_mutex& engine_mutex();

using EngineLock = std::lock_guard<std::recursive_mutex>;

}  // namespace tarvolo

#endif  // TARVOLO_PLUGIN_ENGINE_LOCK_H_
