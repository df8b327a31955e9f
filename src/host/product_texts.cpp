#include "host/product_texts.h"

#include "settings/template_file.h"

namespace pyxora {

std::string WelcomeHeading() { return std::string("Welcome to ") + kProductName + " " + kProductVersion + "."; }

std::string WelcomeText(bool earlierVersion) {
  std::string text = std::string("Thank you for installing ") + kProductName + " " + kProductVersion + ".  " +
                     "You can use this product to simulate several graphical effects including:  Fireworks, Gravity "
                     "Wells, Galaxies, B-Spline Warp and B-Spline Sparklers.  ";
  if (earlierVersion)
    text += std::string("It appears that you already have an earlier version of the product.  ") +
            "In order to experience the new effects in this version, you should " +
            "Reset the Properties to the Factory Settings.  " +
            "Your current settings will be saved to the template file:  propsave." + "pxt" + ".  " +
            "Restore your settings from the menu:  File-> Open Template.";
  return text;
}

std::string WelcomeNotes() {
  return "Please consider the following:\n"
         "*   The Factory settings have been optimized for a 400 MHz CPU.\n"
         "*   Disable mouse-move sensitivity from menu:  Edit-> Advanced Settings.\n"
         "*   This product is provided 'as is' without warranty of any kind.";
}

std::string WelcomeFeatures(const char* platformFeature) {
  return std::string("New features:\n*   ") + platformFeature + "\n" +
         "*   Settings are stored per the Current User, not the Local Machine.\n" +
         "*   Effects can be displayed on the desktop background.\n" + "*   Stereographic Gravity Wells.\n" +
         "*   Spark Brightness Decay for realistic effects.\n" + "*   Resizeable windows for improved preview.";
}

std::vector<const char*> CreditLines(const char* builtWith) {
  return {"Pyxora", "", "Real-time 3D pixel animations", "", "Design and programming", "The Pyxora developers", "",
          "Fireworks, Gravity Wells, Galaxies,", "B-Spline Warp and B-Spline Sparklers", "", "Built with", builtWith, "",
          "B-spline curves after", "de Boor, A Practical Guide to Splines", "", "Thanks to everyone who",
          "tried the early versions.", "", "Cheers."};
}

}  // namespace pyxora
