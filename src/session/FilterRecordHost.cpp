#include "session/FilterRecordHost.h"

#include "session/ImageRequests.h"

namespace vel {

SuiteColorConverter::SuiteColorConverter(const SPBasicSuite* basic)
    : suite_(basic, kPSColorSpaceSuite, {kPSColorSpaceSuiteVersion1})
{
}

bool SuiteColorConverter::CmykToRgb8(uint8_t* records, int16_t count)
{
    return count >= 0 && suite_->Convert8(plugIncolorServicesCMYKSpace, plugIncolorServicesRGBSpace,
                                          reinterpret_cast<Color8*>(records), count) == kSPNoError;
}

bool SuiteColorConverter::CmykToRgb16(uint16_t* records, int16_t count)
{
    return count >= 0 && suite_->Convert16(plugIncolorServicesCMYKSpace, plugIncolorServicesRGBSpace,
                                           reinterpret_cast<Color16*>(records), count) == kSPNoError;
}

bool SuiteColorConverter::RgbToCmyk8(uint8_t* records, int16_t count)
{
    return count >= 0 && suite_->Convert8(plugIncolorServicesRGBSpace, plugIncolorServicesCMYKSpace,
                                          reinterpret_cast<Color8*>(records), count) == kSPNoError;
}

HostImage FilterRecordHost::Describe()
{
    const VRect filter = FilterRectOf(record_);
    const VRect out = OutRectOf(record_);
    HostImage image;
    image.Mode = record_.imageMode;
    image.Depth = record_.depth == 0 ? 8 : record_.depth;
    image.Planes = record_.planes;
    image.FilterWidth = filter.right - filter.left;
    image.FilterHeight = filter.bottom - filter.top;
    image.OutWidth = out.right - out.left;
    image.OutHeight = out.bottom - out.top;
    image.Input = {record_.inData, record_.inRowBytes};
    image.Output = {record_.outData, record_.outRowBytes};
    if (layer_ && *layer_)
        image.TargetLayer = {layer_->Storage.Data(), layer_->Width(), layer_->Height(), layer_->Depth,
                             layer_->ChannelCount, layer_->RowBytes(), layer_->PlaneBytes()};
    return image;
}

int16_t FilterRecordHost::RequestWholeImage()
{
    return vel::RequestWholeImage(record_, EdgePadding::White);
}

ColorConverter* FilterRecordHost::Converter()
{
    if (!converter_)
        converter_.emplace(record_.sSPBasic);
    return converter_->Available() ? &*converter_ : nullptr;
}

void FilterRecordHost::Progress(int32_t done, int32_t total)
{
    if (record_.progressProc)
        record_.progressProc(done, total);
}

} // namespace vel
