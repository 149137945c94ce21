#include "platform/Alert.h"

#include <utility>

namespace vel {
namespace {
AlertSink Sink;
}

AlertSink SetAlertSink(AlertSink sink)
{
    std::swap(Sink, sink);
    return sink;
}

AlertAnswer ShowAlert(const std::string& text, const std::string& title, AlertIcon icon, AlertButtons buttons)
{
    const AlertMessage message{text, title, icon, buttons};
    return Sink ? Sink(message) : PlatformAlert(message);
}

} // namespace vel
