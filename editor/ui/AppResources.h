#pragma once

namespace editor {

// Registers the icons and toolbar images. The window's library is static, so
// nothing else would make the linker keep them.
void RegisterAppResources();

} // namespace editor
