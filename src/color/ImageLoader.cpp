#include "color/ImageLoader.h"

#include "platform/Alert.h"

namespace vel {

void ReportImageProblem(const char* formatName, const std::string& message)
{
    std::string text;
    if (formatName && *formatName) {
        text = UnsupportedFormatMessage;
        text.replace(text.find("%s"), 2, formatName);
    }
    text += message;
    if (text.size() > 255)
        text.resize(255);
    ShowAlert(text);
}

} // namespace vel
