#pragma once
// What a user does with the module's dialog, from a second thread: finds the
// dialog when it opens, drives it with window messages (clicks, drags, keys,
// sizing) and closes it, while the host's thread runs the dialog's loop.

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace vel::test {

inline constexpr wchar_t DialogTitle[] = L"Nimbara Vellisto III";

class DialogWatcher {
  public:
    using Script = std::function<void(HWND dialog)>;
    // Runs `script` on every dialog that opens; the default presses OK.
    explicit DialogWatcher(Script script = PressOk);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    int DialogsSeen() const { return seen_; }

    static void PressOk(HWND dialog);
    static void PressCancel(HWND dialog);

  private:
    void Watch();
    Script script_;
    std::atomic<bool> stop_{false};
    std::atomic<int> seen_{0};
    std::thread thread_;
};

// Actions on the dialog's controls, each waiting until the dialog's thread
// has handled it.
void Click(HWND control, bool ctrl = false);
// A left drag inside `window` from (x0, y0) by (dx, dy) in a few moves.
void Drag(HWND window, int x0, int y0, int dx, int dy, bool ctrl = false);
// Clicks the middle of a tab of the tab control (id 999).
void ClickTab(HWND dialog, int index);
// The dialog's number of preview renders so far.
int Renders(HWND dialog);
// Waits until `done` holds (at most ten seconds); false on time-out.
bool WaitFor(const std::function<bool()>& done);
// Waits until the dialog's thread has handled everything posted before.
void Settle(HWND dialog);
std::wstring TextOf(HWND window);

// A window of this process with this title once it shows (a modal dialog or
// message box the dialog's thread opened); null after ten seconds.
HWND WaitForWindow(const wchar_t* title);

// The entries of a list box, and a click (or double-click) on one entry,
// scrolled into view. False when the list has no such entry.
std::vector<std::wstring> ListEntries(HWND list);
int ListIndexOf(HWND list, const std::wstring& entry);
bool ClickListEntry(HWND list, const std::wstring& entry, bool twice = false);

// The presets panel (id 143 of the dialog): "Save", the name typed into the
// "Save Parameters Preset" dialog and its "Save" pressed. False when the
// name dialog did not show.
inline constexpr int PresetsPanelId = 143;
bool SavePresetAs(HWND dialog, const wchar_t* name);

} // namespace vel::test
