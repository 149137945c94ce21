#include "platform/Alert.h"

#include <cstdio>

namespace vel {

// No window system to ask: the message goes to standard error and a
// question is answered with Cancel, the answer that changes nothing.
AlertAnswer PlatformAlert(const AlertMessage& message)
{
    std::fprintf(stderr, "%s: %s\n", message.Title.c_str(), message.Text.c_str());
    return message.Buttons == AlertButtons::Ok ? AlertAnswer::Ok : AlertAnswer::Cancel;
}

} // namespace vel
