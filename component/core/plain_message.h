#pragma once

#include <functional>
#include <string>

namespace korvel {

// How a message is shown when the public service, which words and shows every other message,
// could not be created.
using PlainMessage = std::function<void(const std::string& text, const std::string& title)>;

// A Qt information box with one OK button.
void ShowPlainInformation(const std::string& text, const std::string& title);

}  // namespace korvel
