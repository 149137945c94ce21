#pragma once
// The plane a pattern is drawn on: FinePlane (three field pixels to a
// working pixel) or, when it could not be created, EngravePlane itself.

#include <cstdint>

namespace vel {

struct RenderState;

// Where stamps go instead of the plane's pixels while other threads stamp
// them (engine/StampQueue.h).
class StampSink {
  public:
    virtual void Add(float width, int x, int y) = 0;

  protected:
    ~StampSink() = default;
};

struct FieldPlane {
    uint8_t* Pixels = nullptr; // Width × Height bytes, rows packed; null: no plane
    int Width = 0;
    int Height = 0;
    int Scale = 3;              // field pixels per working pixel: 3, or 1 at working scale
    StampSink* Queue = nullptr; // when set, stamps go there instead of into Pixels (StampCone)

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
};

// FinePlane when it exists and holds FineWidth × FineHeight bytes, else
// EngravePlane (WorkWidth × WorkHeight) at working scale; Pixels is null when
// neither exists at the size the geometry asks for.
FieldPlane SelectFieldPlane(RenderState& state);

} // namespace vel
