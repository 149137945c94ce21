#include "session/DocumentLayers.h"

#include "session/AcquiredSuite.h"
#include "session/ImageRequests.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace vel {
namespace {

// Samples of one plane at either depth; 16-bit samples range over 0..32768.
class PlaneSamples {
  public:
    PlaneSamples(PixelBuffer& buffer, int plane) : data_(buffer.PlaneData(plane)), wide_(buffer.Depth == 16)
    {
    }

    uint32_t Full() const { return wide_ ? 32768 : 255; }
    uint32_t Get(size_t i) const
    {
        if (!wide_)
            return data_[i];
        uint16_t v;
        std::memcpy(&v, data_ + 2 * i, sizeof v);
        return v;
    }
    void Set(size_t i, uint32_t v)
    {
        if (!wide_) {
            data_[i] = uint8_t(v);
            return;
        }
        const uint16_t narrow = uint16_t(v);
        std::memcpy(data_ + 2 * i, &narrow, sizeof narrow);
    }
    // An 8-bit value on this plane's scale.
    uint32_t Scale(uint8_t v) const { return wide_ ? (uint32_t(v) * 32768u + 127u) / 255u : v; }

  private:
    uint8_t* data_;
    bool wide_;
};

// Colour planes of a mode; a further plane holds the transparency.
int ColorPlanes(int32_t mode)
{
    switch (mode) {
    case plugInModeBitmap:
    case plugInModeGrayScale:
    case plugInModeIndexedColor:
    case plugInModeDuotone:
    case plugInModeGray16:
    case plugInModeDuotone16:
        return 1;
    case plugInModeCMYKColor:
    case plugInModeCMYK64:
        return 4;
    default:
        return 3;
    }
}

// The colour-services space of a mode; -1 where no conversion applies.
int16_t ColorSpaceOf(int32_t mode)
{
    switch (mode) {
    case plugInModeRGBColor:
    case plugInModeRGB48:
        return plugIncolorServicesRGBSpace;
    case plugInModeCMYKColor:
    case plugInModeCMYK64:
        return plugIncolorServicesCMYKSpace;
    case plugInModeLabColor:
    case plugInModeLab48:
        return plugIncolorServicesLabSpace;
    case plugInModeGrayScale:
    case plugInModeGray16:
        return plugIncolorServicesGraySpace;
    default:
        return -1;
    }
}

int CountChannels(const ReadChannelDesc* list)
{
    int count = 0;
    for (; list; list = list->next)
        ++count;
    return count;
}

// Black in the document's colour space, per plane. In an RGB document that
// is zero everywhere, and the transparency plane stays 0 (transparent).
void FillWithBlack(const FilterRecord& record, PixelBuffer& buffer)
{
    const int16_t space = ColorSpaceOf(buffer.Mode);
    if (space < 0 || !record.colorServices)
        return;
    ColorServicesInfo info = {};
    info.infoSize = int32_t(sizeof info);
    info.selector = plugIncolorServicesConvertColor;
    info.sourceSpace = plugIncolorServicesRGBSpace;
    info.resultSpace = space;
    if (record.colorServices(&info) != noErr)
        return;
    const int planes = std::min<int>(ColorPlanes(buffer.Mode), buffer.ChannelCount);
    const size_t count = size_t(buffer.Width()) * size_t(buffer.Height());
    for (int k = 0; k < planes; ++k) {
        PlaneSamples samples(buffer, k);
        const uint32_t value = samples.Scale(uint8_t(std::clamp<int16_t>(info.colorComponents[k], 0, 255)));
        for (size_t i = 0; i < count; ++i)
            samples.Set(i, value);
    }
}

// Reads the channels of a list into the buffer's planes, one channel a plane,
// through the channel-ports suite or else the record's own read procedure.
void ReadChannels(const FilterRecord& record, const ReadChannelDesc* list, PixelBuffer& buffer,
                  int16_t& result)
{
    const AcquiredSuite<PSChannelPortsSuite1> ports(record.sSPBasic, kPSChannelPortsSuite,
                                                    {kPSChannelPortsSuiteVersion2});
    const VPoint offset = FloatOffsetOf(record);
    const VRect area = {buffer.Top + offset.v, buffer.Left + offset.h, buffer.Bottom + offset.v,
                        buffer.Right + offset.h};
    const ChannelPortProcs* procs = record.channelPortProcs;
    int plane = 0;
    for (; list && result == noErr && plane < buffer.ChannelCount; list = list->next, ++plane) {
        const PixelMemoryDesc destination = {buffer.PlaneData(plane), buffer.Depth * buffer.Width(),
                                             buffer.Depth, 0, buffer.Depth};
        if (ports) {
            Boolean canRead = 0;
            if (ports->CanRead(list->port, &canRead) != kSPNoError || !canRead) {
                result = errPlugInHostInsufficient;
                break;
            }
            VRect bounds = area;
            result = SuiteResult(ports->ReadPixelsFromLevel(list->port, 0, &bounds, &destination));
        } else if (procs && procs->numChannelPortProcs >= 1 && procs->readPixelsProc) {
            const PSScaling unit = {area, area};
            VRect wrote = {};
            result = procs->readPixelsProc(list->port, &unit, &area, &destination, &wrote);
        } else {
            result = errPlugInHostInsufficient;
        }
    }
}

// Layer names and visibility through the action suites.
class LayerQueries {
  public:
    explicit LayerQueries(const SPBasicSuite* basic)
        : descriptors_(basic, kPSActionDescriptorSuite, {kPSActionDescriptorSuiteVersion2}),
          references_(basic, kPSActionReferenceSuite, {kPSActionReferenceSuiteVersion2}),
          control_(basic, kPSBasicActionControlSuite, {kPSBasicActionControlSuiteVersion1})
    {
    }

    bool TargetName(std::string& name) const
    {
        return Query(keyName, nullptr, [&](PIActionDescriptor d) {
            uint32_t length = 0;
            if (descriptors_->GetStringLength(d, keyName, &length) != noErr)
                return false;
            std::string text(size_t(length) + 1, '\0');
            if (descriptors_->GetString(d, keyName, text.data(), length + 1) != noErr)
                return false;
            name.assign(text.c_str());
            return true;
        });
    }

    bool IsVisible(const char* layerName) const
    {
        Boolean visible = 0;
        const bool found = Query(keyVisible, layerName, [&](PIActionDescriptor d) {
            return descriptors_->GetBoolean(d, keyVisible, &visible) == noErr;
        });
        return found && visible;
    }

  private:
    // Gets property `key` of the layer named `layerName` (the target layer
    // when null) and hands the returned descriptor to `read`.
    template <typename Read> bool Query(DescriptorKeyID key, const char* layerName, Read read) const
    {
        if (!descriptors_ || !references_ || !control_)
            return false;
        PIActionReference reference = nullptr;
        if (references_->Make(&reference) != noErr || !reference)
            return false;
        bool ok = references_->PutProperty(reference, classProperty, key) == noErr;
        if (ok && layerName)
            ok = references_->PutName(reference, classLayer, layerName) == noErr;
        else if (ok)
            ok = references_->PutEnumerated(reference, classLayer, typeOrdinal, enumTarget) == noErr;
        PIActionDescriptor answer = nullptr;
        ok = ok && control_->Get(&answer, reference) == noErr && answer;
        ok = ok && read(answer);
        if (answer)
            descriptors_->Free(answer);
        references_->Free(reference);
        return ok;
    }

    AcquiredSuite<PSActionDescriptorProcs> descriptors_;
    AcquiredSuite<PSActionReferenceProcs> references_;
    AcquiredSuite<PSBasicActionControlProcs> control_;
};

bool CreateLike(PixelBuffer& buffer, const PixelBuffer& model)
{
    return buffer.Create(model.Mode, model.Depth, model.Top, model.Left, model.Bottom, model.Right,
                         model.ChannelCount);
}

size_t PixelCount(const PixelBuffer& buffer)
{
    return size_t(buffer.Width()) * size_t(buffer.Height());
}

// The plane after the colour planes, when the buffer has it.
bool HasTransparencyPlane(const PixelBuffer& buffer)
{
    return buffer.ChannelCount > ColorPlanes(buffer.Mode);
}

// Raises the transparency plane to `transparency` where that is larger.
void MergeTransparency(PixelBuffer& buffer, const PixelBuffer& transparency)
{
    if (!HasTransparencyPlane(buffer))
        return;
    PlaneSamples alpha(buffer, ColorPlanes(buffer.Mode));
    const uint8_t* t = transparency.PlaneData(0);
    for (size_t i = 0; i < PixelCount(buffer); ++i)
        alpha.Set(i, std::max(alpha.Get(i), alpha.Scale(t[i])));
}

void MakeOpaque(PixelBuffer& buffer)
{
    if (!HasTransparencyPlane(buffer))
        return;
    PlaneSamples alpha(buffer, ColorPlanes(buffer.Mode));
    for (size_t i = 0; i < PixelCount(buffer); ++i)
        alpha.Set(i, alpha.Full());
}

// new = old + (layer − old) × t / 255 on every colour plane.
void BlendOver(PixelBuffer& below, PixelBuffer& layer, const PixelBuffer& transparency)
{
    const int planes = std::min<int>(ColorPlanes(below.Mode), below.ChannelCount);
    const uint8_t* t = transparency.PlaneData(0);
    for (int k = 0; k < planes; ++k) {
        PlaneSamples old(below, k);
        const PlaneSamples top(layer, k);
        for (size_t i = 0; i < PixelCount(below); ++i) {
            const int64_t o = old.Get(i);
            old.Set(i, uint32_t(o + (int64_t(top.Get(i)) - o) * t[i] / 255));
        }
    }
    MergeTransparency(below, transparency);
}

void CopyOver(PixelBuffer& below, const PixelBuffer& layer)
{
    const int planes = std::min<int>(ColorPlanes(below.Mode), below.ChannelCount);
    std::memcpy(below.PlaneData(0), layer.PlaneData(0), size_t(planes) * below.PlaneBytes());
    MakeOpaque(below);
}

bool HasLayerList(const ReadImageDocumentDesc* document)
{
    return document && document->minVersion <= 2 && document->maxVersion > 1 && document->layersDescriptor;
}

// The layers from the bottom up to the target: the target's pixels into
// TargetLayerPixels, every visible layer below it composited into LayersBelow.
void WalkLayers(const FilterRecord& record, const LayerQueries& queries, const std::string& target,
                DocumentBuffers& buffers, int16_t& result)
{
    PixelBuffer scratch;
    PixelBuffer transparency;
    const PixelBuffer& below = buffers.LayersBelow;
    if (!CreateLike(scratch, below) ||
        !transparency.Create(plugInModeGrayScale, 8, below.Top, below.Left, below.Bottom, below.Right, 1)) {
        result = memFullErr;
        return;
    }
    for (const ReadLayerDesc* layer = record.documentInfo->layersDescriptor; layer && result == noErr;
         layer = layer->next) {
        const char* name = layer->name ? layer->name : "";
        if (target == name) {
            PixelBuffer& pixels = buffers.TargetLayerPixels;
            if (!CreateLike(pixels, below)) {
                result = memFullErr;
                return;
            }
            ReadChannels(record, layer->compositeChannelsList, pixels, result);
            if (layer->transparency) {
                ReadChannels(record, layer->transparency, transparency, result);
                MergeTransparency(pixels, transparency);
            } else {
                MakeOpaque(pixels);
            }
            return;
        }
        if (!queries.IsVisible(name))
            continue;
        ReadChannels(record, layer->compositeChannelsList, scratch, result);
        if (layer->transparency) {
            ReadChannels(record, layer->transparency, transparency, result);
            BlendOver(buffers.LayersBelow, scratch, transparency);
        } else {
            CopyOver(buffers.LayersBelow, scratch);
        }
    }
}

} // namespace

void ReadTargetLayer(const FilterRecord& record, DocumentBuffers& buffers, int16_t& result)
{
    const ReadImageDocumentDesc* document = record.documentInfo;
    int channels = record.planes;
    int depth = 8;
    if (document) {
        channels = CountChannels(document->targetCompositeChannels);
        if (channels == 0)
            channels = CountChannels(document->alphaChannels);
        if (document->targetCompositeChannels && document->targetCompositeChannels->depth == 16)
            depth = 16;
    }
    if (record.planes >= 4)
        channels = std::max(channels, 4);

    buffers.TargetLayerPixels.Storage.Release();
    const VRect area = FilterRectOf(record);
    PixelBuffer& below = buffers.LayersBelow;
    if (!below.Create(record.imageMode, depth, area.top, area.left, area.bottom, area.right, channels)) {
        result = memFullErr;
        return;
    }
    FillWithBlack(record, below);

    const LayerQueries queries(record.sSPBasic);
    std::string target;
    if (HasLayerList(document) && queries.TargetName(target))
        WalkLayers(record, queries, target, buffers, result);
    if (result != noErr)
        below.Storage.Release();
}

} // namespace vel
