#pragma once

namespace editor {

// The window's font, "宋体", is missing on most systems outside China's
// Windows: name the faces to use in its place, Chinese-capable ones first.
void InstallFontFallbacks();

} // namespace editor
