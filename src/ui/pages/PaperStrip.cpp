#include "ui/pages/PaperStrip.h"

#include "platform/AsciiText.h"

#include <algorithm>

namespace vel::ui {
namespace {

bool SameName(const std::string& a, const std::string& b)
{
    return EqualIgnoringCase(a.c_str(), b.c_str(), size_t(-1));
}

} // namespace

void PaperStripModel::SetNames(std::vector<std::string> names, const std::string& current)
{
    names_ = std::move(names);
    page_ = 0;
    hot_ = -1;
    sliding_ = 0;
    progress_ = 0;
    SelectName(current);
}

void PaperStripModel::SelectName(const std::string& name)
{
    selected_ = -1;
    for (size_t i = 0; i < names_.size(); ++i)
        if (SameName(names_[i], name)) {
            selected_ = int(i);
            break;
        }
}

int PaperStripModel::PageCount() const
{
    return (int(names_.size()) + StripCellsPerPage - 1) / StripCellsPerPage;
}

std::string PaperStripModel::SelectedName() const
{
    return selected_ >= 0 && selected_ < int(names_.size()) ? names_[size_t(selected_)] : std::string();
}

bool PaperStripModel::StartSlide(int direction)
{
    if (sliding_ != 0 || (direction < 0 && !PreviousEnabled()) || (direction > 0 && !NextEnabled()) ||
        direction == 0)
        return false;
    sliding_ = direction < 0 ? -1 : 1;
    progress_ = 0;
    return true;
}

bool PaperStripModel::Tick()
{
    if (sliding_ == 0)
        return false;
    progress_ += StripSlideStep;
    if (progress_ < 100)
        return false;
    page_ = std::clamp(page_ + sliding_, 0, std::max(PageCount() - 1, 0));
    sliding_ = 0;
    progress_ = 0;
    hot_ = -1;
    return true;
}

int PaperStripModel::SlideOffset() const
{
    // The old page moves out against the slide's direction.
    return -sliding_ * progress_ * StripCellsPerPage * StripCellWidth / 100;
}

int PaperStripModel::CellAt(int x, int y)
{
    const int left = x - StripArrowWidth;
    if (y < 0 || y >= StripHeight || left < 0 || left >= StripCellsPerPage * StripCellWidth)
        return -1;
    return left / StripCellWidth;
}

int PaperStripModel::EntryAt(int x, int y) const
{
    const int cell = CellAt(x, y);
    if (cell < 0)
        return -1;
    const int index = cell + StripCellsPerPage * page_;
    return index < int(names_.size()) ? index : -1;
}

bool PaperStripModel::MoveTo(int x, int y)
{
    if (CellAt(x, y) < 0) {
        hot_ = -1;
        return false;
    }
    hot_ = EntryAt(x, y);
    return true;
}

StripRequest PaperStripModel::Press(int x, int y)
{
    if (sliding_ != 0)
        return StripRequest::Nothing;
    const int index = EntryAt(x, y);
    if (index < 0)
        return StripRequest::Nothing;
    if (SameName(names_[size_t(index)], "Solid") && index == selected_)
        return StripRequest::ChoosePaperColor;
    selected_ = index;
    return StripRequest::SelectPaper;
}

void PaperStripModel::Release(int x, int y)
{
    const int index = EntryAt(x, y);
    if (index >= 0)
        selected_ = index;
}

void PaperStripModel::RemoveEntry(int index)
{
    if (index < 0 || index >= int(names_.size()))
        return;
    names_.erase(names_.begin() + index);
    if (selected_ == index)
        selected_ = -1;
    else if (selected_ > index)
        --selected_;
    page_ = std::min(page_, std::max(PageCount() - 1, 0));
}

} // namespace vel::ui
