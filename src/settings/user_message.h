// Message boxes for the few places outside the dialogs that must tell the user
// something. The window layer installs a handler; without one (no display, tests)
// the text goes to stderr.
#pragma once

#include <functional>
#include <string_view>

namespace pyxora {

enum class UserMessageKind { Information, Exclamation, Critical };

using UserMessageHandler = std::function<void(UserMessageKind, std::string_view title, std::string_view text)>;

void ShowUserMessage(UserMessageKind kind, std::string_view title, std::string_view text);
void SetUserMessageHandler(UserMessageHandler handler);

}  // namespace pyxora
