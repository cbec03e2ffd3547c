#pragma once

#include <functional>
#include <string>

namespace prompt {
class Prompt;
}

namespace editor {

// Asks before unsaved host names are dropped or passed over. Yes (Save) runs
// `save`; No (Discard) goes on without it; Cancel stops. True when the
// caller may go on: after No, or after a Save that succeeded (a failed one
// has shown its own message).

// Closing the window, or loading another show over the names: Save, Discard
// and Cancel; `next` (from the string table) says what would drop them.
bool MayDropUnsavedNames(prompt::Prompt& prompt, const char* next,
                         const std::function<bool()>& save);

// A host dialog about to read the current store: Yes, No and Cancel; `next`
// (from the string table) says what the names would be saved before.
bool MayReadStoreWithUnsavedNames(prompt::Prompt& prompt, const char* next,
                                  const std::function<bool()>& save);

} // namespace editor
