#pragma once
// Standard icons the main window shows at its first paint, read without loading every
// picture format plugin: an icon file read the usual way asks each plugin whether it knows
// the file, and loading them all with their libraries costs a noticeable share of start-up.

namespace velmora {

// Puts the application's style behind a proxy that reads the tool bar's overflow arrows as
// PNG directly; the icons and the look stay those of the style in use. Does nothing the
// second time.
void DeferStandardIcons();

} // namespace velmora
