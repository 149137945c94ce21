#pragma once
// The slider's arithmetic: where a pointer puts the knob, and where the knob
// of a position is drawn. The track keeps a 5-pixel margin at both ends.

namespace vel::ui {

struct SliderScale {
    float Min = 0, Max = 100;
    bool Clamp = false;
    float ClampMin = 0, ClampMax = 100;
    bool Snap = false;
    float SnapValue = 0, SnapDistance = 0;
};

// Limits a position to Min..Max and, with the clamp switch, to the clamp
// range; with the snap switch a position within the snap distance of the
// snap value is pulled to it.
float LimitSliderPosition(const SliderScale& scale, float position);

// The position under a pointer at `coord` (x, or y for a vertical slider)
// along a track `length` pixels long, limited as above.
float SliderPositionAt(const SliderScale& scale, int coord, int length);

// The pixel of the knob's centre for a position (the inverse of the above).
int SliderKnobCoord(const SliderScale& scale, float position, int length);

} // namespace vel::ui
