#include "plugin_library.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>
#endif

namespace host_sim {

#ifdef _WIN32
#define ENTRY_CALL __stdcall
const char kPluginFileName[] = "Tarvolo.cqp.dll";
const char kHostApiFileName[] = "cqapi.dll";
const char kPathSeparator[] = "\\";
#else
#define ENTRY_CALL
const char kPluginFileName[] = "Tarvolo.cqp.so";
const char kHostApiFileName[] = "libcqapi.so";
const char kPathSeparator[] = "/";
#endif

namespace {

using InfoEntry = const char*(ENTRY_CALL*)();
using NormaliseEntry = const char*(ENTRY_CALL*)(const char*);
using FillEntry = int(ENTRY_CALL*)(const char*, const char*);
using GroupMessageEntry = const char*(ENTRY_CALL*)(const char*, const char*, const char*,
                                                   const char*, const char*);
using RefreshEntry = int(ENTRY_CALL*)();
using PumpEntry = int (*)();

// The exported names, in code page 936.
const char kInfoName[] = "info";
const char kNormaliseName[] = "\xb7\xb5\xbb\xd8\xca\xfd\xbe\xdd\xb4\xa6\xc0\xed";  // 返回数据处理
const char kFillName[] = "\xb7\xd6\xc8\xba\xb4\xb0\xbf\xda\xcb\xa2\xd0\xc2";       // 分群窗口刷新
const char kGroupMessageName[] = "\xb7\xd6\xc8\xba\xb9\xdc\xc0\xed";              // 分群管理
const char kRefreshName[] = "\xc1\xd0\xb1\xed\xcb\xa2\xd0\xc2";                   // 列表刷新

}  // namespace

struct PluginLibrary::Impl {
#ifdef _WIN32
  HMODULE handle = nullptr;
  void* symbol(const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(handle, name));
  }
#else
  void* handle = nullptr;
  void* symbol(const char* name) { return dlsym(handle, name); }
#endif
  InfoEntry info = nullptr;
  NormaliseEntry normalise = nullptr;
  FillEntry fill = nullptr;
  GroupMessageEntry group_message = nullptr;
  RefreshEntry refresh = nullptr;
  PumpEntry pump = nullptr;
};

std::unique_ptr<PluginLibrary> PluginLibrary::load(const std::string& path, std::string* error) {
  auto impl = std::make_unique<Impl>();
#ifdef _WIN32
  impl->handle = LoadLibraryA(path.c_str());
  if (impl->handle == nullptr) {
    *error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return nullptr;
  }
#else
  impl->handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (impl->handle == nullptr) {
    *error = dlerror();
    return nullptr;
  }
#endif
  impl->info = reinterpret_cast<InfoEntry>(impl->symbol(kInfoName));
  impl->normalise = reinterpret_cast<NormaliseEntry>(impl->symbol(kNormaliseName));
  impl->fill = reinterpret_cast<FillEntry>(impl->symbol(kFillName));
  impl->group_message = reinterpret_cast<GroupMessageEntry>(impl->symbol(kGroupMessageName));
  impl->refresh = reinterpret_cast<RefreshEntry>(impl->symbol(kRefreshName));
#ifndef _WIN32
  impl->pump = reinterpret_cast<PumpEntry>(impl->symbol("pump_events"));
#endif
  if (!impl->info || !impl->normalise || !impl->fill || !impl->group_message || !impl->refresh) {
    *error = path + " lacks one of the five entry points";
    std::unique_ptr<PluginLibrary> unload(new PluginLibrary(std::move(impl)));
    return nullptr;
  }
  return std::unique_ptr<PluginLibrary>(new PluginLibrary(std::move(impl)));
}

PluginLibrary::PluginLibrary(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

PluginLibrary::~PluginLibrary() {
#ifdef _WIN32
  FreeLibrary(impl_->handle);
#else
  dlclose(impl_->handle);
#endif
}

const char* PluginLibrary::info() { return impl_->info(); }

const char* PluginLibrary::group_message(const char* message, const char* kind,
                                         const char* group, const char* sender,
                                         const char* extra) {
  return impl_->group_message(message, kind, group, sender, extra);
}

const char* PluginLibrary::normalise(const char* text) { return impl_->normalise(text); }

int PluginLibrary::fill_group_settings(const char* group, const char* mode) {
  return impl_->fill(group, mode);
}

int PluginLibrary::refresh_group_list() { return impl_->refresh(); }

int PluginLibrary::pump() {
#ifdef _WIN32
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
#else
  return impl_->pump != nullptr ? impl_->pump() : 0;
#endif
}

std::string executable_directory() {
#ifdef _WIN32
  char buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  std::string path(buffer, length);
#else
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  std::string path(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
#endif
  const std::size_t separator = path.find_last_of(kPathSeparator);
  return separator == std::string::npos ? std::string(".") : path.substr(0, separator);
}

}  // namespace host_sim
