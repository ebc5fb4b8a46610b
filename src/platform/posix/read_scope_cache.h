// The memory of a read scope (Env::begin_read_scope) off Windows: the files
// that the calling thread read while its scope is open, answered again from
// memory until something is written through the Env.
#ifndef TARVOLO_PLATFORM_POSIX_READ_SCOPE_CACHE_H_
#define TARVOLO_PLATFORM_POSIX_READ_SCOPE_CACHE_H_

#include <string>

#include "text/gbk_text.h"

namespace tarvolo {
namespace read_scope {

// Opens and closes the calling thread's scope; scopes nest, and the
// outermost close forgets every file.
void begin();
void end();

// Called after every change made through the Env (a write, a deletion, a
// new or removed directory), on any thread: every scope then reads afresh.
void note_write();

// The bytes of the file at `path`, and whether it could be read (empty
// bytes when not). `read` reads the file: it runs outside a scope, on the
// first read of the file in the scope and after a write; otherwise the
// bytes come from memory. Outside a scope the bytes are kept in `scratch`.
template <typename ReadFile>
const std::string& file_bytes(const GbkText& path, std::string* scratch, bool* readable,
                              ReadFile read);

// --- Details of file_bytes.
struct Slot {
  bool known = false;
  bool readable = false;
  std::string bytes;
};
// The thread's slot for `path`, or nullptr outside a scope. The slot is
// `known` when its bytes are still valid.
Slot* slot_for(const GbkText& path);

template <typename ReadFile>
const std::string& file_bytes(const GbkText& path, std::string* scratch, bool* readable,
                              ReadFile read) {
  Slot* slot = slot_for(path);
  if (slot == nullptr) {
    *readable = read(scratch);
    return *scratch;
  }
  if (!slot->known) {
    slot->readable = read(&slot->bytes);
    slot->known = true;
  }
  *readable = slot->readable;
  return slot->bytes;
}

}  // namespace read_scope
}  // namespace tarvolo

#endif  // TARVOLO_PLATFORM_POSIX_READ_SCOPE_CACHE_H_
