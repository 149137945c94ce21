#pragma once
// The render driver's host, implemented over the filter record: the document
// description, the whole-image request, progress, and the colour-space
// suite's conversions.

#include "engine/RenderHost.h"
#include "session/AcquiredSuite.h"
#include "session/PixelBuffer.h"

#include <optional>

namespace vel {

// Conversions through the host's colour-space suite (version 1), acquired
// for the converter's lifetime.
class SuiteColorConverter final : public ColorConverter {
  public:
    explicit SuiteColorConverter(const SPBasicSuite* basic);
    bool Available() const { return bool(suite_); }

    bool CmykToRgb8(uint8_t* records, int16_t count) override;
    bool CmykToRgb16(uint16_t* records, int16_t count) override;
    bool RgbToCmyk8(uint8_t* records, int16_t count) override;

  private:
    AcquiredSuite<PSColorSpaceSuite1> suite_;
};

class FilterRecordHost final : public RenderHost {
  public:
    explicit FilterRecordHost(FilterRecord& record) : record_(record) {}

    HostImage Describe() override;
    int16_t RequestWholeImage() override;
    ColorConverter* Converter() override;
    void Progress(int32_t done, int32_t total) override;

    // While the dialog is up, the target layer's pixels that SourcePlane is
    // sampled from; null for none.
    void ShowTargetLayer(const PixelBuffer* layer) { layer_ = layer; }

  private:
    FilterRecord& record_;
    const PixelBuffer* layer_ = nullptr;
    std::optional<SuiteColorConverter> converter_; // acquired on first use
};

} // namespace vel
