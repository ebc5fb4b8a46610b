// The functions the host finds by name in the plug-in library.
//
// Their names are code page 936 texts. On Windows the .def file gives the
// export table those names (with the 32-bit API calling convention, callee
// pops, undecorated); off Windows each function's symbol is set to the same
// bytes with an assembler label. No exception ever leaves an entry: the host
// gets a valid text whatever happens inside.
#include "plugin/entry_points.h"

#ifdef _WIN32
#define TARVOLO_VISIBLE
#define TARVOLO_ENTRY __stdcall
#define TARVOLO_EXPORTED_AS(name)
#else
#define TARVOLO_VISIBLE __attribute__((visibility("default")))
#define TARVOLO_ENTRY
#define TARVOLO_EXPORTED_AS(name) __asm__(name)
#endif

namespace {

const char kEmptyText[] = "";

template <typename Entry>
const char* guard_text(Entry entry) {
  try {
    return entry();
  } catch (...) {
    return kEmptyText;
  }
}

template <typename Entry>
int guard_value(Entry entry) {
  try {
    return entry();
  } catch (...) {
    return 0;
  }
}

}  // namespace

extern "C" {

// "info"
TARVOLO_VISIBLE const char* TARVOLO_ENTRY tarvolo_info(void) TARVOLO_EXPORTED_AS("info");
// "返回数据处理"
TARVOLO_VISIBLE const char* TARVOLO_ENTRY tarvolo_normalise(const char* text)
    TARVOLO_EXPORTED_AS("\xb7\xb5\xbb\xd8\xca\xfd\xbe\xdd\xb4\xa6\xc0\xed");
// "分群窗口刷新"
TARVOLO_VISIBLE int TARVOLO_ENTRY tarvolo_fill_group_settings(const char* group, const char* mode)
    TARVOLO_EXPORTED_AS("\xb7\xd6\xc8\xba\xb4\xb0\xbf\xda\xcb\xa2\xd0\xc2");
// "分群管理"
TARVOLO_VISIBLE const char* TARVOLO_ENTRY tarvolo_group_message(const char* message, const char* kind,
                                                const char* group, const char* sender,
                                                const char* extra)
    TARVOLO_EXPORTED_AS("\xb7\xd6\xc8\xba\xb9\xdc\xc0\xed");
// "列表刷新"
TARVOLO_VISIBLE int TARVOLO_ENTRY tarvolo_refresh_group_list(void)
    TARVOLO_EXPORTED_AS("\xc1\xd0\xb1\xed\xcb\xa2\xd0\xc2");

}  // extern "C"

const char* TARVOLO_ENTRY tarvolo_info(void) {
  return guard_text([] { return tarvolo::run_info_entry(); });
}

const char* TARVOLO_ENTRY tarvolo_normalise(const char* text) {
  return guard_text([&] { return tarvolo::run_normalise_entry(text); });
}

int TARVOLO_ENTRY tarvolo_fill_group_settings(const char* group, const char* mode) {
  return guard_value([&] { return tarvolo::run_fill_group_settings_entry(group, mode); });
}

const char* TARVOLO_ENTRY tarvolo_group_message(const char* message, const char* kind, const char* group,
                                  const char* sender, const char* extra) {
  return guard_text([&] {
    return tarvolo::run_group_message_entry(message, kind, group, sender, extra);
  });
}

int TARVOLO_ENTRY tarvolo_refresh_group_list(void) {
  return guard_value([] { return tarvolo::run_refresh_group_list_entry(); });
}

#ifndef _WIN32
// Off Windows no message loop delivers the main window's timer; the host
// calls this between messages and while idle.
extern "C" TARVOLO_VISIBLE int pump_events(void) {
  return guard_value([] { return tarvolo::run_pump_events_entry(); });
}
#endif
