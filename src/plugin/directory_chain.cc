#include "plugin/directory_chain.h"

#include <vector>

namespace tarvolo {
namespace {

bool is_blank_only(const GbkText& text) {
  return text.find_first_not_of(' ') == GbkText::npos;
}

}  // namespace

bool ensure_directory_chain(Env& env, const GbkText& original_path) {
  if (is_blank_only(original_path)) return false;
  GbkText path = original_path;
  if (path.back() == kPathSeparator) path.pop_back();
  if (env.is_directory(path)) return true;

  const std::vector<GbkText> components = split_text(path, GbkText(1, kPathSeparator));
  if (components.empty()) return false;
  GbkText current = components[0];
  GbkText first_created;  // the first directory this call may create
  for (std::size_t i = 1; i < components.size(); ++i) {
    current += kPathSeparator + components[i];
    if (env.is_directory(current)) {
      if (i + 1 < components.size()) first_created = current + kPathSeparator + components[i + 1];
      continue;
    }
    if (!env.create_directory(current)) {
      // The directory right under the first component (a drive or the file
      // system's root) is never noted, so it stays after a failure.
      if (i != 1 && !first_created.empty()) env.remove_directory_tree(first_created);
      return false;
    }
  }
  return true;
}

}  // namespace tarvolo
