// Remembering where an ordinary window stood, in its own settings section.
#pragma once

#include <string_view>

class QWidget;

namespace pyxora {

// Stores the window's state and, unless minimised, its position and size.
void SavePlacement(const QWidget& window, std::string_view section);
// Puts the window where it was saved; a window never saved, or saved where no
// screen is now, is centred. A window without a sizable border keeps its size.
void RestorePlacement(QWidget& window, std::string_view section, bool sizable = true);
// Centres a normal window on the primary screen.
void CentreOnScreen(QWidget& window);

}  // namespace pyxora
