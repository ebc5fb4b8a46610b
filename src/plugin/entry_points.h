// The work behind each exported entry point, free of calling conventions:
// copy the host's texts, run the routine, keep the result for the host.
#ifndef TARVOLO_PLUGIN_ENTRY_POINTS_H_
#define TARVOLO_PLUGIN_ENTRY_POINTS_H_

#include "text/gbk_text.h"

namespace tarvolo {

// The empty text for a null pointer, else the bytes up to the NUL.
GbkText copy_argument(const char* text);

const char* run_info_entry();
const char* run_group_message_entry(const char* message, const char* kind, const char* group,
                                    const char* sender, const char* extra);
const char* run_normalise_entry(const char* text);
int run_fill_group_settings_entry(const char* group, const char* mode);
int run_refresh_group_list_entry();
int run_pump_events_entry();

}  // namespace tarvolo

#endif  // TARVOLO_PLUGIN_ENTRY_POINTS_H_
