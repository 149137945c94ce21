#include "ui/help/HelpLauncher.h"

#include <thread>

namespace vel::ui {

const char* HelpFileFor(int request)
{
    switch (request - ContextHelpRequest) {
    case 0:
        return "vellisto_engrave.html";
    case 1:
        return "vellisto_randomize.html";
    case 2:
        return "vellisto_effects.html";
    default:
        return "vellistoIIImanual.html";
    }
}

std::string HelpPathFor(const std::string& helpFolder, int request)
{
    return helpFolder + HelpFileFor(request);
}

HelpLauncher::HelpLauncher(OpenFn open) : shared_(std::make_shared<Shared>())
{
    shared_->Open = std::move(open);
}

bool HelpLauncher::OpenHelp(const std::string& helpFolder, int request)
{
    return Launch(HelpPathFor(helpFolder, request));
}

bool HelpLauncher::OpenWebPage(const std::string& address)
{
    return Launch(address);
}

bool HelpLauncher::Busy() const
{
    return shared_->Busy.load();
}

bool HelpLauncher::Launch(std::string target)
{
    bool idle = false;
    if (!shared_->Busy.compare_exchange_strong(idle, true))
        return false;
    try {
        std::thread([shared = shared_, target = std::move(target)] {
            if (shared->Open)
                shared->Open(target);
            shared->Busy.store(false);
        }).detach();
    } catch (const std::system_error&) {
        shared_->Busy.store(false); // no thread: nothing opens, the next request may try
        return false;
    }
    return true;
}

} // namespace vel::ui
