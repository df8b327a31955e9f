// How the Properties window (and the program) open the companion windows. Each
// opens modally over `owner` and returns when it has closed.
#pragma once

#include "host/first_run.h"

class QWidget;

namespace pyxora {

void ShowAdvancedSettings(QWidget* owner);
void ShowSoundSettings(QWidget* owner);
void ShowSystemDiagnostics(QWidget* owner);
void ShowAbout(QWidget* owner);
void ShowCredits(QWidget* owner);
// The first-run welcome. `earlierVersion`: the store already holds an effect
// selection. True when the user asked for the factory reset.
bool ShowWelcome(QWidget* owner, bool earlierVersion);
// The welcome window as the first-run logic asks for it (WelcomeFlow, RunFirstRunLogic).
inline ShowWelcomeWindow WelcomeWindowOver(QWidget* owner) {
  return [owner](bool earlierVersion) { return ShowWelcome(owner, earlierVersion); };
}
// Opens the product's web page; tells the user when it cannot.
void OpenHomePage(QWidget* owner);

}  // namespace pyxora
