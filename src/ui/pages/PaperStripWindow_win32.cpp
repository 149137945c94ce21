// The paper strip window "ZolVel3Class": four 61 × 61 cells between two
// arrow buttons, sliding a page at a time on a 30 ms timer. The pages, the
// hot and selected entries and what a click asks for come from
// PaperStripModel; the thumbnails from BuildPaperThumbnails.

#include "ui/pages/PaperStripWindow.h"

#include "platform/ComObjects_win32.h"
#include "ui/controls/Artwork.h"
#include "ui/controls/Controls.h"
#include "ui/pages/PaperStrip.h"
#include "ui/pages/PaperThumbnails.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace vel::ui {

struct TFilmstripControl::Strip {
    PaperStripModel Model;
    std::vector<PaperThumbnail> Cells; // what each entry's cell shows
    std::vector<HBITMAP> Thumbs;       // one 61 × 61 bitmap per entry, owned
    COLORREF PaperColor = RGB(255, 255, 255);
    HWND Arrows[2] = {}; // "<" and ">"
};

namespace {

using Strip = TFilmstripControl::Strip;

constexpr UINT_PTR SlideTimer = 1;
constexpr int CaptionBand = 10; // the black band at the bottom of a cell
constexpr int ThumbArea = StripCellsPerPage * StripCellWidth;
constexpr COLORREF CellFrame = RGB(128, 128, 128);
constexpr COLORREF HotMark = RGB(110, 140, 180);
constexpr COLORREF SelectedMark = RGB(226, 136, 32);

// A texture's caption: its file name without the extension.
std::wstring CaptionOf(const std::string& name)
{
    const size_t dot = name.find_last_of('.');
    return WidePath(dot == std::string::npos || dot == 0 ? name : name.substr(0, dot));
}

HFONT CaptionFont()
{
    return CreateFontW(-9, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

// One entry's 61 × 61 cell: the texture's thumbnail with its frame and
// caption band, the "Solid" cell in the paper colour, or the "None" cell.
HBITMAP MakeCell(const PaperThumbnail& thumb, const std::string& name, COLORREF paperColor)
{
    constexpr int size = ThumbnailSize;
    std::vector<uint32_t> pixels(size_t(size) * size, 0x00C8C8C8);
    if (thumb.Kind == CellKind::Texture && thumb.Rgb.size() == pixels.size() * 3)
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] =
                uint32_t(thumb.Rgb[3 * i]) << 16 | uint32_t(thumb.Rgb[3 * i + 1]) << 8 | thumb.Rgb[3 * i + 2];
    HBITMAP bitmap = BitmapFromPixels(pixels.data(), size, size);
    if (!bitmap)
        return nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HFONT font = CaptionFont();
    const RECT cell = {0, 0, size, size};
    const RECT band = {1, size - 1 - CaptionBand, size - 1, size - 1};
    switch (thumb.Kind) {
    case CellKind::NoPaper:
        FillRectColor(dc, cell, RGB(246, 246, 246));
        FrameRectColor(dc, cell, CellFrame);
        DrawLabelText(dc, cell, L"None", Kit().LabelFont ? Kit().LabelFont : font, TextColor,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        break;
    case CellKind::Solid:
        FillRectColor(dc, cell, CellFrame);
        FillRectColor(dc, {1, 1, size - 1, band.top}, paperColor);
        FillRectColor(dc, band, RGB(0, 0, 0));
        DrawLabelText(dc, band, L"Solid", font, RGB(255, 255, 255),
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        break;
    case CellKind::Texture:
        FrameRectColor(dc, cell, CellFrame);
        FillRectColor(dc, band, RGB(0, 0, 0));
        DrawLabelText(dc, band, CaptionOf(name).c_str(), font, RGB(255, 255, 255),
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        break;
    }
    DeleteObject(font);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

void ReleaseThumbs(Strip& strip)
{
    for (HBITMAP thumb : strip.Thumbs)
        if (thumb)
            DeleteObject(thumb);
    strip.Thumbs.clear();
}

void MakeThumbs(Strip& strip)
{
    ReleaseThumbs(strip);
    const std::vector<std::string>& names = strip.Model.Names();
    for (size_t i = 0; i < names.size() && i < strip.Cells.size(); ++i)
        strip.Thumbs.push_back(MakeCell(strip.Cells[i], names[i], strip.PaperColor));
}

// An arrow button's look: a flat face and a chevron pointing left or right.
HBITMAP MakeArrow(bool right, COLORREF face, COLORREF ink)
{
    const int width = StripArrowWidth, height = StripHeight;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    FillRectColor(dc, {0, 0, width, height}, DialogColor);
    FillRectColor(dc, {2, 1, width - 2, height - 1}, face);
    const int cx = width / 2, cy = height / 2;
    for (int step = 0; step < 5; ++step) {
        // Two pixels thick, the tip at the pointing side.
        const int x = right ? cx - 2 + step : cx + 2 - step;
        FillRectColor(dc, {x - 1, cy - 4 + step, x + 1, cy - 3 + step}, ink);
        FillRectColor(dc, {x - 1, cy + 4 - step, x + 1, cy + 5 - step}, ink);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

void UpdateArrows(Strip& strip)
{
    EnableControl(strip.Arrows[0], strip.Model.PreviousEnabled());
    EnableControl(strip.Arrows[1], strip.Model.NextEnabled());
}

void MakeArrows(HWND window, Strip& strip)
{
    if (strip.Arrows[0])
        return;
    const struct {
        int Id;
        int X;
        const wchar_t* Text;
        const wchar_t* Tip;
        bool Right;
    } arrows[2] = {{StripPreviousId, 0, L"<", L"View previous thumbnails", false},
                   {StripNextId, StripArrowWidth + ThumbArea, L">", L"View more thumbnails", true}};
    for (int i = 0; i < 2; ++i) {
        HWND button = CreateWindowExW(0, BitmapButton::ClassName, arrows[i].Text, WS_CHILD | WS_VISIBLE,
                                      arrows[i].X, 0, StripArrowWidth, StripHeight, window,
                                      HMENU(intptr_t(arrows[i].Id)), Kit().Instance, nullptr);
        if (BitmapButton* record = FindControl<BitmapButton>(button)) {
            const bool right = arrows[i].Right;
            SetButtonBitmaps(*record, MakeArrow(right, RGB(222, 222, 222), RGB(80, 86, 92)),
                             MakeArrow(right, RGB(210, 214, 220), RGB(40, 46, 52)),
                             MakeArrow(right, RGB(190, 194, 200), RGB(20, 24, 28)),
                             MakeArrow(right, DialogColor, RGB(182, 182, 182)), false);
        }
        AttachTooltip(button, arrows[i].Tip);
        strip.Arrows[i] = button;
    }
}

// The cells of one page, the first at `left`.
void DrawPage(HDC dc, const Strip& strip, int page, int left)
{
    HDC source = CreateCompatibleDC(dc);
    for (int cell = 0; cell < StripCellsPerPage; ++cell) {
        const int index = page * StripCellsPerPage + cell;
        if (index < 0 || index >= int(strip.Thumbs.size()))
            break;
        const int x = left + cell * StripCellWidth;
        if (HBITMAP thumb = strip.Thumbs[size_t(index)]) {
            HGDIOBJ old = SelectObject(source, thumb);
            BitBlt(dc, x + 1, 1, ThumbnailSize, ThumbnailSize, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
        }
        const RECT around = {x, 0, x + StripCellWidth, StripHeight};
        if (index == strip.Model.SelectedIndex()) {
            FrameRectColor(dc, around, SelectedMark);
            const RECT inner = {around.left + 1, around.top + 1, around.right - 1, around.bottom - 1};
            FrameRectColor(dc, inner, SelectedMark);
        } else if (index == strip.Model.HotIndex()) {
            FrameRectColor(dc, around, HotMark);
        }
    }
    DeleteDC(source);
}

void Paint(HWND window, const Strip& strip)
{
    PaintBuffered(window, [&](HDC dc, const RECT& client) {
        FillRectColor(dc, client, DialogColor);
        IntersectClipRect(dc, StripArrowWidth, 0, StripArrowWidth + ThumbArea, StripHeight);
        const int left = StripArrowWidth + strip.Model.SlideOffset();
        DrawPage(dc, strip, strip.Model.Page(), left);
        if (const int direction = strip.Model.Sliding())
            DrawPage(dc, strip, strip.Model.Page() + direction, left + direction * ThumbArea);
    });
    // The buffer was copied over the whole strip, arrows included, whenever
    // the window manager left them in the clip (a style set after creation
    // is not always honoured): the arrows draw themselves again on top.
    for (HWND arrow : strip.Arrows)
        if (arrow)
            InvalidateRect(arrow, nullptr, FALSE);
}

void Report(HWND window, int code)
{
    PostMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), code),
                 reinterpret_cast<LPARAM>(window));
}

} // namespace

TFilmstripControl::TFilmstripControl() : Data(std::make_unique<Strip>()) {}

TFilmstripControl::~TFilmstripControl()
{
    ReleaseThumbs(*Data);
}

LRESULT TFilmstripControl::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    PaperStripModel& model = Data->Model;
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        Paint(window, *Data);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && (LOWORD(wParam) == StripPreviousId || LOWORD(wParam) == StripNextId)) {
            if (model.StartSlide(LOWORD(wParam) == StripNextId ? 1 : -1))
                SetTimer(window, SlideTimer, StripSlideTickMs, nullptr);
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam != SlideTimer)
            break;
        if (model.Tick() || model.Sliding() == 0) {
            KillTimer(window, SlideTimer);
            UpdateArrows(*Data);
        }
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_MOUSEMOVE: {
        const int hot = model.HotIndex();
        const bool over = model.MoveTo(x, y);
        if (over && GetCapture() != window)
            SetCapture(window);
        else if (!over && GetCapture() == window)
            ReleaseCapture();
        if (model.HotIndex() != hot)
            InvalidateRect(window, nullptr, FALSE);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window && model.HotIndex() != -1) {
            model.Leave();
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONDOWN:
        switch (model.Press(x, y)) {
        case StripRequest::SelectPaper:
            Report(window, 0);
            break;
        case StripRequest::ChoosePaperColor:
            Report(window, StripChooseColorCode);
            break;
        case StripRequest::Nothing:
            break;
        }
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    case WM_LBUTTONUP:
        model.Release(x, y);
        InvalidateRect(window, nullptr, FALSE);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void BindPaperStrip(HWND window, PaperStripSources sources, COLORREF paperColor)
{
    TFilmstripControl* record = FindControl<TFilmstripControl>(window);
    if (!record)
        return;
    Strip& strip = *record->Data;
    KillTimer(window, SlideTimer);
    // The cells are painted whole; the arrows paint themselves.
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_CLIPCHILDREN);
    record->StripKind = 2;
    strip.PaperColor = paperColor;
    strip.Cells =
        BuildPaperThumbnails(sources.PapersFolder, sources.ThumbsFolder, sources.Names, sources.Progress);
    strip.Model.SetNames(std::move(sources.Names), sources.Current);
    MakeThumbs(strip);
    MakeArrows(window, strip);
    UpdateArrows(strip);
    InvalidateRect(window, nullptr, FALSE);
}

void RedrawPaperStrip(HWND window, COLORREF paperColor, const std::string& current)
{
    TFilmstripControl* record = FindControl<TFilmstripControl>(window);
    if (!record)
        return;
    Strip& strip = *record->Data;
    strip.Model.SelectName(current);
    if (strip.PaperColor != paperColor) {
        strip.PaperColor = paperColor;
        MakeThumbs(strip);
    }
    InvalidateRect(window, nullptr, FALSE);
}

std::string SelectedPaperName(HWND window)
{
    const TFilmstripControl* record = FindControl<TFilmstripControl>(window);
    return record ? record->Data->Model.SelectedName() : std::string();
}

} // namespace vel::ui
