#include "session/ImageRequests.h"

namespace vel {
namespace {

VRect Widen(const Rect& r)
{
    return {r.top, r.left, r.bottom, r.right};
}

// The 16-bit fields cannot hold more; larger areas need the 32-bit ones.
int16_t Narrow(int32_t v)
{
    return int16_t(v < INT16_MIN ? INT16_MIN : v > INT16_MAX ? INT16_MAX : v);
}
Rect Narrow(const VRect& r)
{
    return {Narrow(r.top), Narrow(r.left), Narrow(r.bottom), Narrow(r.right)};
}

constexpr VRect EmptyRect{0, 0, 0, 0};

bool IsEmpty(const VRect& r)
{
    return r.bottom <= r.top || r.right <= r.left;
}

} // namespace

void AnnounceBigDocument(FilterRecord& record)
{
    if (record.bigDocumentData)
        record.bigDocumentData->PluginUsing32BitCoordinates = 1;
}

bool UsesBigDocument(const FilterRecord& record)
{
    return record.bigDocumentData && record.bigDocumentData->PluginUsing32BitCoordinates != 0;
}

VRect FilterRectOf(const FilterRecord& record)
{
    return UsesBigDocument(record) ? record.bigDocumentData->filterRect32 : Widen(record.filterRect);
}

VRect OutRectOf(const FilterRecord& record)
{
    return UsesBigDocument(record) ? record.bigDocumentData->outRect32 : Widen(record.outRect);
}

VPoint FloatOffsetOf(const FilterRecord& record)
{
    if (UsesBigDocument(record))
        return record.bigDocumentData->floatCoord32;
    return {record.floatCoord.v, record.floatCoord.h};
}

void SetRequestRects(FilterRecord& record, const VRect& area)
{
    if (UsesBigDocument(record)) {
        BigDocumentStruct& big = *record.bigDocumentData;
        big.inRect32 = big.outRect32 = big.maskRect32 = area;
        return;
    }
    record.inRect = record.outRect = record.maskRect = Narrow(area);
}

void ClearRequestRects(FilterRecord& record)
{
    record.inRect = record.outRect = record.maskRect = Narrow(EmptyRect);
    if (UsesBigDocument(record)) {
        BigDocumentStruct& big = *record.bigDocumentData;
        big.inRect32 = big.outRect32 = big.maskRect32 = EmptyRect;
    }
}

bool RequestsPending(const FilterRecord& record)
{
    if (UsesBigDocument(record)) {
        const BigDocumentStruct& big = *record.bigDocumentData;
        return !IsEmpty(big.inRect32) || !IsEmpty(big.outRect32) || !IsEmpty(big.maskRect32);
    }
    return !IsEmpty(Widen(record.inRect)) || !IsEmpty(Widen(record.outRect)) ||
           !IsEmpty(Widen(record.maskRect));
}

OSErr RequestImageArea(FilterRecord& record, const VRect& area, Fixed rate, EdgePadding padding)
{
    record.inLoPlane = record.outLoPlane = 0;
    record.inHiPlane = record.outHiPlane = int16_t(record.planes - 1);
    SetRequestRects(record, area);
    record.inputRate = record.maskRate = rate;
    if (padding == EdgePadding::White)
        record.inputPadding = record.outputPadding = record.maskPadding = 255;
    if (!record.advanceState)
        return errPlugInHostInsufficient;
    return record.advanceState();
}

OSErr RequestWholeImage(FilterRecord& record, EdgePadding padding)
{
    return RequestImageArea(record, FilterRectOf(record), FixedOne, padding);
}

OSErr RequestPreviewArea(FilterRecord& record, const VRect& area, float previewScale)
{
    return RequestImageArea(record, area, Fixed(previewScale * 65536.0f), EdgePadding::White);
}

} // namespace vel
