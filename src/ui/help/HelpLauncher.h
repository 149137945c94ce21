#pragma once
// Opening help pages and web addresses without blocking the dialog: each
// launch runs on its own short-lived thread, one at a time; a request made
// while one runs is dropped.

#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace vel::ui {

// Help requests: the manual, or context help of a tab (777 + tab index).
inline constexpr int ManualHelpRequest = 0;
inline constexpr int ContextHelpRequest = 777;

// The help file of a request: "vellisto_engrave.html", "vellisto_randomize.html"
// and "vellisto_effects.html" for tabs 0..2, the manual for anything else.
const char* HelpFileFor(int request);

// The help folder (ending with its separator) and the request's file.
std::string HelpPathFor(const std::string& helpFolder, int request);

// The addresses the About box's links and the product-page button open.
inline constexpr char ProductPageAddress[] = "https://www.nimbara.example/vellisto3/";
inline constexpr char MakerSiteAddress[] = "https://www.nimbara.example/";

class HelpLauncher {
  public:
    // Hands a file or an address to the system to be opened; may take long.
    using OpenFn = std::function<void(const std::string& target)>;

    explicit HelpLauncher(OpenFn open);

    // Does not wait for a launch still running: it finishes on its own.
    ~HelpLauncher() = default;

    HelpLauncher(const HelpLauncher&) = delete;
    HelpLauncher& operator=(const HelpLauncher&) = delete;

    // Start a launch and return at once; false (nothing started) while
    // another launch runs.
    bool OpenHelp(const std::string& helpFolder, int request);
    bool OpenWebPage(const std::string& address);

    bool Busy() const;

  private:
    bool Launch(std::string target);

    struct Shared {
        std::atomic<bool> Busy{false};
        OpenFn Open;
    };
    std::shared_ptr<Shared> shared_; // outlives the launcher while a thread uses it
};

// The system's "open" for a file or an address (Windows: the shell, shown
// normally); elsewhere nothing.
void ShellOpen(const std::string& target);

} // namespace vel::ui
