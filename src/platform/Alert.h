#pragma once
// Modal message boxes with fixed texts. Tests (and the command-line tool)
// can route them to a sink instead of the screen.

#include "platform/MessageTexts.h"

#include <functional>
#include <string>

namespace vel {

enum class AlertIcon { Error, Warning, Information, Question };
enum class AlertButtons { Ok, YesNoCancel };
enum class AlertAnswer { Ok, Yes, No, Cancel };

struct AlertMessage {
    std::string Text;
    std::string Title;
    AlertIcon Icon;
    AlertButtons Buttons;
};

// Shows a message box and waits for the answer. With a sink installed the
// sink answers instead.
AlertAnswer ShowAlert(const std::string& text, const std::string& title = PluginAlertTitle,
                      AlertIcon icon = AlertIcon::Warning, AlertButtons buttons = AlertButtons::Ok);

using AlertSink = std::function<AlertAnswer(const AlertMessage&)>;

// Installs a sink (an empty one restores the platform's message box) and
// returns the previous one.
AlertSink SetAlertSink(AlertSink sink);

// The platform's own presentation (message box or standard error).
AlertAnswer PlatformAlert(const AlertMessage& message);

} // namespace vel
