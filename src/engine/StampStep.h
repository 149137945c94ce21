#pragma once
// The step that the line and the ring stampers share. From a point of the
// walk, the wave and the lo-frequency bend move it across the walk; the
// relief and the jitter move it by the ink's density under it; then a cone
// as wide as that density, the roughness and the discontinuity ask for is
// stamped there.

#include "engine/ConeStamp.h"
#include "engine/FieldDensity.h"
#include "engine/FieldPlane.h"
#include "numeric/Random.h"

namespace vel {

struct RenderState;

// The length a walk of `length` units covers in steps: in the final render a
// strong relief moves the stamps far apart across the walk, and walking more
// slowly keeps the line closed.
float WalkLength(const RenderState& state, float length, float relief);

// What stays the same over one walk.
struct StampWalkInputs {
    int WaveType = 0; // 0..7, as WaveProfile takes it
    float Amplitude = 0;
    float Frequency = 0;
    float Phase = 0;
    float Jitter = 0;           // nz
    float Relief = 0;           // displacement per unit of density
    float Width = 0;            // bw: the cone width of density 0.5 (before the factor), contrast included
    float Threshold = 0;        // K = (Threshold + 1) / 2
    float ContrastPositive = 0; // Cpos
    bool Cull = false;          // skip points more than Width outside the working area
};

// One step of a walk.
struct StampPoint {
    float X = 0; // the point before any displacement, in field pixels
    float Y = 0;
    float AcrossX = 0; // the unit vector every displacement goes along
    float AcrossY = 0;
    float WavePosition = 0; // q of the wave profile
    // The wave at WavePosition (WaveShape), when the walk computed it ahead.
    bool WaveKnown = false;
    float Wave = 0;
    float RunPosition = 0; // the discontinuity's position along the walk
    // Where the roughness is read when RoughnessAtPoint is false (polar
    // roughness); otherwise at the working pixel under the point.
    bool RoughnessAtPoint = true;
    float RoughnessX = 0;
    float RoughnessY = 0;
};

class StampWalk {
  public:
    // Draws from `random`, or from the render's sequence when it is null.
    StampWalk(RenderState& state, const FieldPlane& field, const StampWalkInputs& inputs,
              RandomSequence* random = nullptr);

    // Draws from the render's random sequence: one value for the wave
    // jitter, then one more when Relief or Jitter is not 0 and the point is
    // not culled.
    void Step(const StampPoint& point);

  private:
    int WorkingPixel(float v) const;

    RenderState& state_;
    RandomSequence& random_;
    const FieldPlane& field_;
    StampWalkInputs inputs_;
    FieldDensity density_;
    ConeShape cone_;
    float scale_;
    float k_;            // K
    float densitySlope_; // 4 K Cpos
    bool displaced_;
};

} // namespace vel
