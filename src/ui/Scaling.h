#pragma once
// Sizes are stored for 96 pixels per inch, where the window font is 13 pixels high. At another
// density the font follows the density and every size is scaled by newTextHeight / 13.

namespace qel::ui {

// The window font's text height at the given density (13 at 96 dpi).
int TextHeightAt(int dpi);
// A stored size scaled for the given density.
int ScaleForDpi(int value, int dpi);

}  // namespace qel::ui
