#include "settings/user_message.h"

#include <iostream>
#include <string>

namespace pyxora {
namespace {

UserMessageHandler& Handler() {
  static UserMessageHandler handler;
  return handler;
}

}  // namespace

void SetUserMessageHandler(UserMessageHandler handler) { Handler() = std::move(handler); }

void ShowUserMessage(UserMessageKind kind, std::string_view title, std::string_view text) {
  if (Handler()) {
    Handler()(kind, title, text);
    return;
  }
  // Message boxes break lines with CR LF; a terminal wants plain line feeds.
  std::string plain;
  for (char c : text)
    if (c != '\r') plain += c;
  std::cerr << title << ": " << plain << '\n';
}

}  // namespace pyxora
