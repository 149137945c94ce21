#pragma once
// The dialog's controls (Windows only): their records and what the dialog
// and the pages call on them. Each class keeps one record per window; see
// ControlKit.h for the shared part and the lookup.

#include "ui/controls/ControlKit.h"
#include "ui/controls/DialMath.h"
#include "ui/controls/SliderMath.h"
#include "ui/controls/SpinValue.h"

#include <cstdint>
#include <memory>

namespace vel::ui {

// Controls reached through a virtual message handler.
class TVel3Control : public ControlShared {
  public:
    virtual ~TVel3Control() = default;
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// The paper texture strip ("ZolVel3Class"); see ui/pages/PaperStripWindow.h.
// Its entries, pages and cell bitmaps live with the strip's window code.
class TFilmstripControl : public TVel3Control {
  public:
    static constexpr wchar_t ClassName[] = L"ZolVel3Class";
    struct Strip;
    int StripKind = 2; // paper textures (the only kind shown)
    std::unique_ptr<Strip> Data;
    TFilmstripControl();
    ~TFilmstripControl() override;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
};

// "Contaner CPP": a text button or label. Clickable buttons light up under
// the pointer and post their command on release; the current one does not.
class TContaner : public ControlShared {
  public:
    static constexpr wchar_t ClassName[] = L"Contaner CPP";
    bool Clickable = true;
    bool Checked = false;
    bool SecondFont = false;
    ControlLook Look = ControlLook::Normal;
    bool Pressing = false;
    // Text colours: normal, hover, current and disabled, on the background
    // (the dark strips around the preview).
    COLORREF Colors[4] = {RGB(200, 200, 200), RGB(255, 255, 255), RGB(255, 196, 80), RGB(105, 105, 105)};
    COLORREF Background = RGB(0, 0, 0);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// "Mac Slider CPP": the slider of a numeric field.
class TMacSlider : public TContaner {
  public:
    static constexpr wchar_t ClassName[] = L"Mac Slider CPP";
    float Position = 0;
    SliderScale Scale;
    bool Vertical = false;
    POINT LastPointer = {};
    bool DoubleClick = false;
    bool Dragging = false;
    bool NotifyWhileDragging = false;
    bool ForwardRightClicks = false;
    int BuddyLabel = 0, BuddyUpDown = 0; // ids in the parent, 0 when none
    virtual ~TMacSlider() = default;
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
void SetSliderPosition(TMacSlider& slider, float position);
void SetSliderRange(TMacSlider& slider, float low, float high);

// "Spin Edit CPP": an edit (id 1), an up-down (id 2) and a slider (id 3).
struct SpinEdit : ControlShared {
    static constexpr wchar_t ClassName[] = L"Spin Edit CPP";
    HWND Edit = nullptr, UpDown = nullptr, Slider = nullptr, Label = nullptr;
    SpinValues Values;
    float Default = 0; // restored by a double-click on the slider
    bool Immediate = false;
    wchar_t ValueName[65] = {};
    bool PendingSpin = false;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

struct SpinEditSetup {
    int LabelId = 0;
    SpinValues Values;
    float Default = 0;
    bool Immediate = false;
    const wchar_t* ValueName = L"";
    const wchar_t* Tooltip = nullptr;
};
// Sets up the numeric field with id `id` of `parent`; null when there is none.
SpinEdit* SetUpSpinEdit(HWND parent, int id, const SpinEditSetup& setup);
// Never notifies the parent.
void SetSpinEditValue(SpinEdit& field, float value);
void SetSpinEditRange(SpinEdit& field, float low, float high);
void EnableSpinEdit(SpinEdit& field, bool enable);

// "Rotor CPP": an angle dial.
struct Rotor : ControlShared {
    static constexpr wchar_t ClassName[] = L"Rotor CPP";
    float DialAngle = 0;
    int DialTurns = 0;
    float DialElevation = 90;
    DialMode Mode = DialMode::Angle;
    bool CentreMode = false;
    bool Limits = false;
    float AngleMin = 0, AngleMax = 360;
    DialValueMap ValueMap; // value-mapped mode (angles from AngleMin..AngleMax)
    float Value = 0;
    bool RangeEditable = false;
    bool Integer = false;
    HWND Buddies[2] = {};
    HWND EmbeddedEdit = nullptr;
    wchar_t Caption[64] = {};
    bool Hover = false, Dragging = false, DoubleClick = false;
    float DefaultAngle = 0;
    float Direction = 0; // the last direction while dragging
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

struct RotorSetup {
    DialMode Mode = DialMode::Angle;
    bool CentreMode = false;
    const wchar_t* Caption = L"";
    int BuddyIds[2] = {}; // "Alpha:"/"Beta:" or "X:"/"Y:" edits of the parent
    bool EmbeddedEdit = false;
    float DefaultAngle = 0;
    bool Limits = false;
    float AngleMin = 0, AngleMax = 360;
    DialValueMap ValueMap;
    bool RangeEditable = false;
    bool Integer = false;
    const wchar_t* Tooltip = nullptr;
};
Rotor* SetUpRotor(HWND parent, int id, const RotorSetup& setup);
void SetRotorAngles(Rotor& dial, float angle, float elevation);
void SetRotorCentre(Rotor& dial, float x, float y);
void RotorCentre(const Rotor& dial, float& x, float& y);
void SetRotorValue(Rotor& dial, float value);
void EnableRotor(Rotor& dial, bool enable);

// "MacStyleBtn": a text push button; created with BS_DEFPUSHBUTTON it shows
// the default look.
struct MacStyleButton : ControlShared {
    static constexpr wchar_t ClassName[] = L"MacStyleBtn";
    ControlLook Look = ControlLook::Normal;
    bool Pressing = false;
    bool IsDefault = false;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// "Control Button CPP": a bitmap button, push or toggle. The record owns its
// bitmaps.
struct BitmapButton : ControlShared {
    static constexpr wchar_t ClassName[] = L"Control Button CPP";
    HBITMAP Bitmaps[4] = {}; // normal, hover, pressed (also checked), disabled
    bool Toggle = false;
    bool Checked = false;
    ControlLook Look = ControlLook::Normal;
    bool Pressing = false;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    ~BitmapButton();
};
void SetButtonBitmaps(BitmapButton& button, HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled,
                      bool toggle);
void SetButtonChecked(BitmapButton& button, bool checked);

// "Control CPP": a picture at its top-left (the record owns the bitmap).
struct PictureControl : ControlShared {
    static constexpr wchar_t ClassName[] = L"Control CPP";
    HBITMAP Picture = nullptr;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    ~PictureControl();
};
void SetPicture(PictureControl& control, HBITMAP picture);
// A device-independent bitmap from top-down 0x00RRGGBB pixels.
HBITMAP BitmapFromPixels(const uint32_t* pixels, int width, int height);

// "Contaner Color CPP": a colour swatch (0x00BBGGRR).
struct ColorSwatch : ControlShared {
    static constexpr wchar_t ClassName[] = L"Contaner Color CPP";
    COLORREF Color = RGB(255, 255, 255);
    bool Hover = false;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
void SetSwatchColor(ColorSwatch& swatch, COLORREF color);

// Asks the user for a colour, starting from `color`: the host's picker with
// the prompt "Select a Color" when the host offers one, else (or when the
// host's picker fails other than by cancel) the system colour dialog with
// the shared 16 custom colours. True, with `color` set, when one was chosen.
bool ChooseColorFor(HWND owner, COLORREF& color);

// "ContainerLinkC": a text link.
struct LinkLabel : ControlShared {
    static constexpr wchar_t ClassName[] = L"ContainerLinkC";
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Forces a look, as the pointer would (pictures of the controls use it).
void ShowLook(HWND control, ControlLook look);

// Enables a control window and its enabled look.
void EnableControl(HWND control, bool enable);

// The "Set value" dialog, modal on the control's window. Returns 1 on OK
// (the control updated and its parent notified), 2 on Cancel.
INT_PTR RunValueEntry(SpinEdit& field);
INT_PTR RunValueEntry(Rotor& dial);

} // namespace vel::ui
