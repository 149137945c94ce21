#pragma once
// Rectangles and image requests through the filter record. Rectangles go
// through the big-document 32-bit fields once the plug-in has announced
// their use, otherwise through the 16-bit fields.

#include "session/HostRecords.h"

namespace vel {

// Tells a host with big-document data that every rectangle is exchanged
// through the 32-bit fields.
void AnnounceBigDocument(FilterRecord& record);
bool UsesBigDocument(const FilterRecord& record);

VRect FilterRectOf(const FilterRecord& record);
VRect OutRectOf(const FilterRecord& record);
// The top-left of a floating selection within the image.
VPoint FloatOffsetOf(const FilterRecord& record);

// Sets the input, output and mask rectangles.
void SetRequestRects(FilterRecord& record, const VRect& area);

// Empties the input, output and mask rectangles, which tells the host that
// nothing more is wanted. Both field sets are cleared, so that a host reading
// either stops asking.
void ClearRequestRects(FilterRecord& record);

// Whether any of the three rectangles still asks for data.
bool RequestsPending(const FilterRecord& record);

// Pixels outside the image: 255 or whatever the host does by default.
enum class EdgePadding { HostDefault, White };

// Asks for every plane of `area` at the sampling rate `rate` (16.16 fixed
// point) and lets the host deliver the buffers. Returns the host's result.
OSErr RequestImageArea(FilterRecord& record, const VRect& area, Fixed rate, EdgePadding padding);

// The whole filter rectangle at full resolution.
OSErr RequestWholeImage(FilterRecord& record, EdgePadding padding);

// The part of the image a preview pane shows, reduced by `previewScale`
// (image pixels per pane pixel), padded with white.
OSErr RequestPreviewArea(FilterRecord& record, const VRect& area, float previewScale);

} // namespace vel
