#include "FakeHost.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace vel::test {

// ---------------------------------------------------------------------------
// Images and descriptors.

FakeImage::FakeImage(int width, int height, int planes, int depth)
    : Width(width), Height(height), Planes(planes), Depth(depth),
      Bytes(size_t(width) * size_t(height) * size_t(planes) * size_t(depth / 8))
{
}

FakeImage FakeImage::Gradient(int width, int height, int planes, int depth)
{
    FakeImage image(width, height, planes, depth);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < planes; ++c) {
                const uint32_t v = uint32_t(x * 7 + y * 13 + c * 61) % 256;
                image.Set(x, y, c, depth == 16 ? v * 128 : v);
            }
    return image;
}

uint32_t FakeImage::Get(int x, int y, int plane) const
{
    const size_t index = (size_t(y) * size_t(Width) + size_t(x)) * size_t(Planes) + size_t(plane);
    if (Depth != 16)
        return Bytes[index];
    uint16_t v;
    std::memcpy(&v, &Bytes[2 * index], sizeof v);
    return v;
}

void FakeImage::Set(int x, int y, int plane, uint32_t value)
{
    const size_t index = (size_t(y) * size_t(Width) + size_t(x)) * size_t(Planes) + size_t(plane);
    if (Depth != 16) {
        Bytes[index] = uint8_t(value);
        return;
    }
    const uint16_t v = uint16_t(value);
    std::memcpy(&Bytes[2 * index], &v, sizeof v);
}

FakeDescriptor::Item& FakeDescriptor::Slot(uint32_t key, uint32_t type)
{
    auto found = std::find_if(Items.begin(), Items.end(), [key](const Item& i) { return i.Key == key; });
    if (found == Items.end()) {
        Items.push_back({});
        found = Items.end() - 1;
    }
    *found = {};
    found->Key = key;
    found->Type = type;
    return *found;
}

void FakeDescriptor::PutInteger(uint32_t key, int32_t value)
{
    Slot(key, typeInteger).Integer = value;
}
void FakeDescriptor::PutFloat(uint32_t key, double value)
{
    Slot(key, typeFloat).Float = value;
}
void FakeDescriptor::PutBoolean(uint32_t key, bool value)
{
    Slot(key, typeBoolean).Boolean = value;
}
void FakeDescriptor::PutString(uint32_t key, const std::string& value)
{
    Slot(key, typeChar).Text = value;
}

const FakeDescriptor::Item* FakeDescriptor::Find(uint32_t key) const
{
    const auto found =
        std::find_if(Items.begin(), Items.end(), [key](const Item& i) { return i.Key == key; });
    return found == Items.end() ? nullptr : &*found;
}

std::vector<uint32_t> FakeDescriptor::Keys() const
{
    std::vector<uint32_t> keys;
    for (const Item& item : Items)
        keys.push_back(item.Key);
    return keys;
}

// ---------------------------------------------------------------------------
// Host-private objects behind the opaque pointers.

struct FakeHost::HandleData {
    char* Data; // first, so that the handle is the address of this pointer
    std::vector<char> Bytes;
    int Locks = 0;
};

struct FakeHost::Reader {
    FakeDescriptor Descriptor;
    size_t Next = 0;
    const FakeDescriptor::Item* Current = nullptr;
    DescriptorKeyID* Keys = nullptr;
};

struct FakeHost::Writer {
    FakeDescriptor Descriptor;
};

struct FakeHost::Reference {
    DescriptorKeyID Property = 0;
    bool Target = false;
    std::string Name;
};

struct FakeHost::Channel {
    const std::vector<uint8_t>* Samples;
};

struct FakeHost::Suite {
    const char* Name;
    int32_t Version;
    const void* Table;
    int Acquired = 0;
};

namespace {
FakeHost* ActiveHost = nullptr;

FakeDescriptor& DescriptorOf(PIActionDescriptor d)
{
    return *reinterpret_cast<FakeDescriptor*>(d);
}

int Clamp8(int v)
{
    return std::clamp(v, 0, 255);
}

uint8_t Expand(uint32_t v16)
{
    return uint8_t(v16 >= 32768 ? 255 : v16 >> 7);
}
uint16_t Widen(uint8_t v)
{
    return uint16_t((uint32_t(v) * 32768u + 127u) / 255u);
}
} // namespace

FakeHost& FakeHost::Current()
{
    if (!ActiveHost)
        throw std::logic_error("no fake host is active");
    return *ActiveHost;
}

// ---------------------------------------------------------------------------
// Construction.

FakeHost::FakeHost(int16_t imageMode, FakeImage source, HostOptions options)
    : options_(options), source_(std::move(source)), output_(source_)
{
    ActiveHost = this;

    handleProcs_ = {1,
                    8,
                    NewHandle,
                    DisposeHandle,
                    GetHandleSize,
                    SetHandleSize,
                    LockHandle,
                    UnlockHandle,
                    RecoverSpace,
                    DisposeHandle};
    channelPortProcs_ = {1, 3, ReadPixels, nullptr, nullptr};

    readProcs_.numReadDescriptorProcs = 18;
    readProcs_.openReadDescriptorProc = OpenRead;
    readProcs_.closeReadDescriptorProc = CloseRead;
    readProcs_.getKeyProc = GetKey;
    readProcs_.getIntegerProc = ReadInteger;
    readProcs_.getFloatProc = ReadFloat;
    readProcs_.getBooleanProc = ReadBoolean;
    readProcs_.getStringProc = ReadString;
    writeProcs_.numWriteDescriptorProcs = 16;
    writeProcs_.openWriteDescriptorProc = OpenWrite;
    writeProcs_.closeWriteDescriptorProc = CloseWrite;
    writeProcs_.putIntegerProc = WriteInteger;
    writeProcs_.putFloatProc = WriteFloat;
    writeProcs_.putBooleanProc = WriteBoolean;
    writeProcs_.putStringProc = WriteString;
    descriptorParameters_.readDescriptorProcs = &readProcs_;
    descriptorParameters_.writeDescriptorProcs = &writeProcs_;
    descriptorParameters_.playInfo = plugInDialogDisplay;

    basic_.AcquireSuite = AcquireSuite;
    basic_.ReleaseSuite = ReleaseSuite;
    basic_.IsEqual = IsEqual;
    colorSpace_.Convert8 = Convert8;
    colorSpace_.Convert16 = Convert16;
    channelPorts_.CanRead = CanRead;
    channelPorts_.ReadPixelsFromLevel = ReadPixelsFromLevel;
    actionDescriptors_.Make = MakeDescriptor;
    actionDescriptors_.Free = FreeDescriptor;
    actionDescriptors_.HasKey = HasKey;
    actionDescriptors_.PutInteger = PutInteger;
    actionDescriptors_.PutFloat = PutFloat;
    actionDescriptors_.PutString = PutString;
    actionDescriptors_.PutBoolean = PutBoolean;
    actionDescriptors_.GetInteger = GetInteger;
    actionDescriptors_.GetFloat = GetFloat;
    actionDescriptors_.GetStringLength = GetStringLength;
    actionDescriptors_.GetString = GetString;
    actionDescriptors_.GetBoolean = GetBoolean;
    actionReferences_.Make = MakeReference;
    actionReferences_.Free = FreeReference;
    actionReferences_.PutName = PutName;
    actionReferences_.PutEnumerated = PutEnumerated;
    actionReferences_.PutProperty = PutProperty;
    actionControl_.Get = GetProperty;
    registryProcs_.Register = Register;
    registryProcs_.Erase = Erase;
    registryProcs_.Get = GetRegistered;

    if (options_.ColorSpaceSuite)
        suites_.push_back({kPSColorSpaceSuite, 1, &colorSpace_});
    if (options_.ChannelPortsSuite)
        suites_.push_back({kPSChannelPortsSuite, 2, &channelPorts_});
    if (options_.ActionSuites || options_.DescriptorRegistry) {
        for (int32_t version = 2; version <= options_.HighestDescriptorSuite; ++version)
            suites_.push_back({kPSActionDescriptorSuite, version, &actionDescriptors_});
    }
    if (options_.ActionSuites) {
        suites_.push_back({kPSActionReferenceSuite, 2, &actionReferences_});
        suites_.push_back({kPSBasicActionControlSuite, 1, &actionControl_});
    }
    if (options_.DescriptorRegistry)
        suites_.push_back({kPSDescriptorRegistrySuite, 1, &registryProcs_});

    record_.abortProc = TestAbort;
    record_.progressProc = Progress;
    record_.planes = int16_t(source_.Planes);
    record_.maxSpace = 1000000000;
    record_.hostSig = 0x3842494D;
    record_.imageMode = imageMode;
    record_.platformData = &platform_;
    record_.handleProcs = options_.HandleProcs ? &handleProcs_ : nullptr;
    record_.advanceState = AdvanceState;
    record_.supportsPadding = 1;
    record_.inputPadding = record_.outputPadding = record_.maskPadding = -3;
    record_.samplingSupport = 1;
    record_.colorServices = ColorServices;
    record_.descriptorParameters = options_.DescriptorParameters ? &descriptorParameters_ : nullptr;
    record_.channelPortProcs = &channelPortProcs_;
    record_.sSPBasic = options_.BasicSuite ? &basic_ : nullptr;
    record_.depth = source_.Depth;
    record_.bigDocumentData = options_.BigDocument ? &big_ : nullptr;
    about_.platformData = &platform_;
    about_.sSPBasic = record_.sSPBasic;

    const int16_t width = int16_t(std::min(source_.Width, 32767));
    const int16_t height = int16_t(std::min(source_.Height, 32767));
    record_.imageSize = {height, width};
    record_.wholeSize = record_.imageSize;
    big_.imageSize32 = big_.wholeSize32 = {source_.Height, source_.Width};
    SetFilterRect({0, 0, source_.Height, source_.Width});
}

FakeHost::~FakeHost()
{
    if (ActiveHost == this)
        ActiveHost = nullptr;
}

void FakeHost::SetFilterRect(const VRect& r)
{
    big_.filterRect32 = r;
    record_.filterRect = {int16_t(r.top), int16_t(r.left), int16_t(r.bottom), int16_t(r.right)};
}

// ---------------------------------------------------------------------------
// Calls and runs.

int16_t FakeHost::Call(const PluginEntryFn& entry, int16_t selector)
{
    ActiveHost = this;
    int16_t result = 0;
    void* record =
        selector == filterSelectorAbout ? static_cast<void*>(&about_) : static_cast<void*>(&record_);
    entry(selector, record, &dataSlot_, &result);
    if (selector == filterSelectorStart || selector == filterSelectorContinue)
        CommitOutput();
    return result;
}

int16_t FakeHost::Run(const PluginEntryFn& entry, Invocation invocation)
{
    continueCalls_ = 0;
    PrepareScripting(invocation);
    int16_t result = noErr;
    if (invocation == Invocation::Menu && (result = Call(entry, filterSelectorParameters)) != noErr)
        return result;
    if ((result = Call(entry, filterSelectorPrepare)) != noErr)
        return result;
    // A cancelled filter leaves the document as it was, whatever its dialog
    // wrote into the output buffers meanwhile.
    const FakeImage before = output_;
    if ((result = Call(entry, filterSelectorStart)) != noErr) {
        if (result == userCanceledErr)
            output_ = before;
        return result;
    }
    while (RequestsPending() && continueCalls_ < 16) {
        ++continueCalls_;
        if ((result = Advance()) != noErr || (result = Call(entry, filterSelectorContinue)) != noErr)
            break;
    }
    const int16_t finish = Call(entry, filterSelectorFinish);
    return result != noErr ? result : finish;
}

// ---------------------------------------------------------------------------
// Handles.

Handle FakeHost::MakeHandle(size_t size)
{
    auto data = std::make_unique<HandleData>();
    // Fresh host memory is not zeroed; a plug-in must not rely on its content.
    data->Bytes.assign(size, char(0xCD));
    data->Data = data->Bytes.data();
    const Handle h = &data->Data;
    handles_[h] = std::move(data);
    return h;
}

FakeHost::HandleData* FakeHost::Find(Handle h) const
{
    const auto found = handles_.find(h);
    if (found == handles_.end())
        throw std::logic_error("unknown handle");
    return found->second.get();
}

Handle FakeHost::NewHandle(int32_t size)
{
    FakeHost& host = Current();
    return host.FailNewHandle || size < 0 ? nullptr : host.MakeHandle(size_t(size));
}

void FakeHost::DisposeHandle(Handle h)
{
    FakeHost& host = Current();
    host.Find(h);
    host.descriptorsByHandle_.erase(h);
    host.handles_.erase(h);
}

int32_t FakeHost::GetHandleSize(Handle h)
{
    return int32_t(Current().Find(h)->Bytes.size());
}

OSErr FakeHost::SetHandleSize(Handle h, int32_t size)
{
    HandleData* data = Current().Find(h);
    data->Bytes.resize(size_t(size));
    data->Data = data->Bytes.data();
    return noErr;
}

Ptr FakeHost::LockHandle(Handle h, Boolean)
{
    FakeHost& host = Current();
    HandleData* data = host.Find(h);
    if (host.FailLock)
        return nullptr;
    ++data->Locks;
    return data->Data;
}

void FakeHost::UnlockHandle(Handle h)
{
    FakeHost& host = Current();
    host.Find(h)->Locks = 0;
    ++host.unlockCalls_;
}

void FakeHost::RecoverSpace(int32_t) {}

bool FakeHost::HasBlocks() const
{
    return record_.parameters && dataSlot_;
}

ParameterBlock FakeHost::Parameters() const
{
    ParameterBlock block;
    std::memcpy(&block, Find(record_.parameters)->Bytes.data(), sizeof block);
    return block;
}

PrivateBlock FakeHost::Private() const
{
    PrivateBlock block;
    std::memcpy(&block, Find(reinterpret_cast<Handle>(dataSlot_))->Bytes.data(), sizeof block);
    return block;
}

void FakeHost::EditParameters(const std::function<void(ParameterBlock&)>& edit)
{
    ParameterBlock block = Parameters();
    edit(block);
    std::memcpy(Find(record_.parameters)->Bytes.data(), &block, sizeof block);
}

void FakeHost::ForgetBlocks()
{
    handles_.erase(record_.parameters);
    handles_.erase(reinterpret_cast<Handle>(dataSlot_));
    record_.parameters = nullptr;
    dataSlot_ = 0;
}

// ---------------------------------------------------------------------------
// Pixels.

bool FakeHost::UsesBigDocument() const
{
    return record_.bigDocumentData && big_.PluginUsing32BitCoordinates != 0;
}

namespace {
VRect Widen32(const Rect& r)
{
    return {r.top, r.left, r.bottom, r.right};
}
bool Empty(const VRect& r)
{
    return r.bottom <= r.top || r.right <= r.left;
}
} // namespace

VRect FakeHost::InRect() const
{
    return UsesBigDocument() ? big_.inRect32 : Widen32(record_.inRect);
}
VRect FakeHost::OutRect() const
{
    return UsesBigDocument() ? big_.outRect32 : Widen32(record_.outRect);
}
VRect FakeHost::MaskRect() const
{
    return UsesBigDocument() ? big_.maskRect32 : Widen32(record_.maskRect);
}

bool FakeHost::RequestsPending() const
{
    return !Empty(InRect()) || !Empty(OutRect()) || !Empty(MaskRect());
}

OSErr FakeHost::AdvanceState()
{
    return Current().Advance();
}

OSErr FakeHost::Advance()
{
    advanceCalls_.push_back({InRect(), OutRect(), MaskRect(), record_.inLoPlane, record_.inHiPlane,
                             record_.outLoPlane, record_.outHiPlane, record_.inputRate, record_.maskRate,
                             record_.inputPadding, record_.outputPadding, record_.maskPadding});
    if (AdvanceResult != noErr)
        return AdvanceResult;
    CommitOutput();

    const int bytes = source_.Depth / 8;
    const int rate = std::max(1, (record_.inputRate + 0x8000) >> 16);
    const auto deliver = [&](const FakeImage& image, const VRect& r, int lo, int hi, int step,
                             int16_t padding, std::vector<uint8_t>& buffer, void*& data, int32_t& rowBytes) {
        const int planes = std::max(0, hi - lo + 1);
        const int width = std::max(0, r.right - r.left);
        const int height = std::max(0, r.bottom - r.top);
        rowBytes = width * planes * bytes;
        buffer.assign(size_t(rowBytes) * size_t(height), 0);
        data = buffer.empty() ? nullptr : buffer.data();
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int c = 0; c < planes; ++c) {
                    const int ix = (r.left + x) * step;
                    const int iy = (r.top + y) * step;
                    const bool inside = ix >= 0 && iy >= 0 && ix < image.Width && iy < image.Height;
                    uint32_t v = 0;
                    if (inside)
                        v = image.Get(ix, iy, lo + c);
                    else if (padding >= 0)
                        v = bytes == 2 ? Widen(uint8_t(padding)) : uint32_t(padding);
                    else
                        v = image.Get(std::clamp(ix, 0, image.Width - 1), std::clamp(iy, 0, image.Height - 1),
                                      lo + c);
                    const size_t at = (size_t(y) * size_t(width) + size_t(x)) * size_t(planes) + size_t(c);
                    if (bytes == 2) {
                        const uint16_t w = uint16_t(v);
                        std::memcpy(&buffer[2 * at], &w, 2);
                    } else {
                        buffer[at] = uint8_t(v);
                    }
                }
    };
    deliver(source_, InRect(), record_.inLoPlane, record_.inHiPlane, rate, record_.inputPadding, inBuffer_,
            record_.inData, record_.inRowBytes);
    deliver(output_, OutRect(), record_.outLoPlane, record_.outHiPlane, 1, record_.outputPadding, outBuffer_,
            record_.outData, record_.outRowBytes);
    deliveredOut_ = OutRect();
    deliveredRate_ = record_.inputRate;
    deliveredOutLo_ = record_.outLoPlane;
    deliveredOutHi_ = record_.outHiPlane;
    if (record_.haveMask) {
        const FakeImage selected(source_.Width, source_.Height, 1, source_.Depth);
        deliver(selected, MaskRect(), 0, 0, rate, record_.maskPadding, maskBuffer_, record_.maskData,
                record_.maskRowBytes);
    }
    return noErr;
}

// Writes the delivered output buffer back into the document.
void FakeHost::CommitOutput()
{
    if (!record_.outData || record_.outData != outBuffer_.data())
        return;
    // A reduced preview area is the plug-in's to show, not the document's.
    if (deliveredRate_ > 0x10000)
        return;
    const int bytes = source_.Depth / 8;
    const VRect& r = deliveredOut_;
    const int planes = deliveredOutHi_ - deliveredOutLo_ + 1;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            for (int c = 0; c < planes; ++c) {
                if (x < 0 || y < 0 || x >= output_.Width || y >= output_.Height)
                    continue;
                const size_t at =
                    (size_t(y - r.top) * size_t(r.right - r.left) + size_t(x - r.left)) * size_t(planes) +
                    size_t(c);
                uint32_t v = outBuffer_[at * size_t(bytes)];
                if (bytes == 2) {
                    uint16_t w;
                    std::memcpy(&w, &outBuffer_[2 * at], 2);
                    v = w;
                }
                output_.Set(x, y, deliveredOutLo_ + c, v);
            }
}

void FakeHost::Progress(int32_t done, int32_t total)
{
    ++Current().progressCalls_;
    Current().progressValues_.push_back({done, total});
}

Boolean FakeHost::TestAbort()
{
    return 0;
}

// The host's own colour model: CMYK components hold 255 for no ink.
void FakeHost::ConvertColor(int16_t from, int16_t to, const uint8_t in[4], uint8_t out[4])
{
    int r = 0, g = 0, b = 0;
    if (from == plugIncolorServicesCMYKSpace) {
        r = in[0] * in[3] / 255;
        g = in[1] * in[3] / 255;
        b = in[2] * in[3] / 255;
    } else if (from == plugIncolorServicesGraySpace) {
        r = g = b = in[3];
    } else {
        r = in[1];
        g = in[2];
        b = in[3];
    }
    if (to == plugIncolorServicesCMYKSpace) {
        const int k = std::max({r, g, b});
        out[0] = uint8_t(k == 0 ? 255 : Clamp8(r * 255 / k));
        out[1] = uint8_t(k == 0 ? 255 : Clamp8(g * 255 / k));
        out[2] = uint8_t(k == 0 ? 255 : Clamp8(b * 255 / k));
        out[3] = uint8_t(k);
    } else if (to == plugIncolorServicesGraySpace) {
        out[0] = out[1] = out[2] = 0;
        out[3] = uint8_t((r * 30 + g * 59 + b * 11) / 100);
    } else {
        out[0] = 0;
        out[1] = uint8_t(r);
        out[2] = uint8_t(g);
        out[3] = uint8_t(b);
    }
}

OSErr FakeHost::ColorServices(ColorServicesInfo* info)
{
    if (!info || info->infoSize < int32_t(sizeof(ColorServicesInfo)))
        return errPlugInHostInsufficient;
    if (info->selector != plugIncolorServicesConvertColor)
        return errPlugInHostInsufficient;
    // Colour services list components in reading order: gray in the first.
    uint8_t in[4] = {};
    const int16_t* c = info->colorComponents;
    if (info->sourceSpace == plugIncolorServicesCMYKSpace)
        std::copy(c, c + 4, in);
    else if (info->sourceSpace == plugIncolorServicesGraySpace)
        in[3] = uint8_t(c[0]);
    else
        std::copy(c, c + 3, in + 1);
    uint8_t out[4];
    ConvertColor(info->sourceSpace, info->resultSpace, in, out);
    int16_t* result = info->colorComponents;
    std::fill(result, result + 4, int16_t(0));
    if (info->resultSpace == plugIncolorServicesCMYKSpace)
        std::copy(out, out + 4, result);
    else if (info->resultSpace == plugIncolorServicesGraySpace)
        result[0] = out[3];
    else
        std::copy(out + 1, out + 4, result);
    return noErr;
}

// ---------------------------------------------------------------------------
// Suites.

SPErr FakeHost::AcquireSuite(const char* name, int32_t version, const void** suite)
{
    for (Suite& s : Current().suites_) {
        if (std::strcmp(s.Name, name) == 0 && s.Version == version) {
            ++s.Acquired;
            *suite = s.Table;
            return kSPNoError;
        }
    }
    return kSPSuiteNotFoundError;
}

SPErr FakeHost::ReleaseSuite(const char* name, int32_t version)
{
    for (Suite& s : Current().suites_) {
        if (std::strcmp(s.Name, name) == 0 && s.Version == version) {
            --s.Acquired;
            return kSPNoError;
        }
    }
    return kSPSuiteNotFoundError;
}

SPBoolean FakeHost::IsEqual(const char* a, const char* b)
{
    return std::strcmp(a, b) == 0;
}

int FakeHost::OutstandingSuites() const
{
    int outstanding = 0;
    for (const Suite& s : suites_)
        outstanding += s.Acquired;
    return outstanding;
}

SPErr FakeHost::Convert8(int16_t from, int16_t to, Color8* colors, int16_t count)
{
    Current().convertCounts_.push_back(count);
    for (int i = 0; i < count; ++i) {
        uint8_t out[4];
        ConvertColor(from, to, colors[i], out);
        std::memcpy(colors[i], out, 4);
    }
    return kSPNoError;
}

SPErr FakeHost::Convert16(int16_t from, int16_t to, Color16* colors, int16_t count)
{
    Current().convertCounts_.push_back(count);
    for (int i = 0; i < count; ++i) {
        uint8_t in[4], out[4];
        for (int k = 0; k < 4; ++k)
            in[k] = Expand(colors[i][k]);
        ConvertColor(from, to, in, out);
        for (int k = 0; k < 4; ++k)
            colors[i][k] = Widen(out[k]);
    }
    return kSPNoError;
}

OSErr FakeHost::CopyChannel(PIChannelPort port, const VRect& area, const PixelMemoryDesc& destination)
{
    if (!ChannelsReadable)
        return errPlugInHostInsufficient;
    const std::vector<uint8_t>& samples = *reinterpret_cast<Channel*>(port)->Samples;
    auto* data = static_cast<uint8_t*>(destination.data);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const bool inside = x >= 0 && y >= 0 && x < source_.Width && y < source_.Height;
            const uint8_t v = inside ? samples[size_t(y) * size_t(source_.Width) + size_t(x)] : 0;
            const size_t bit = size_t(y - area.top) * size_t(destination.rowBits) +
                               size_t(x - area.left) * size_t(destination.colBits) +
                               size_t(destination.bitOffset);
            if (destination.depth == 16) {
                const uint16_t w = Widen(v);
                std::memcpy(data + bit / 8, &w, 2);
            } else {
                data[bit / 8] = v;
            }
        }
    return noErr;
}

SPErr FakeHost::CanRead(PIChannelPort, Boolean* canRead)
{
    *canRead = Current().ChannelsReadable;
    return kSPNoError;
}

SPErr FakeHost::ReadPixelsFromLevel(PIChannelPort port, int32_t level, VRect* bounds,
                                    const PixelMemoryDesc* destination)
{
    FakeHost& host = Current();
    ++host.suiteChannelReads_;
    return level == 0 ? host.CopyChannel(port, *bounds, *destination) : paramErr;
}

OSErr FakeHost::ReadPixels(PIChannelPort port, const PSScaling* scaling, const VRect* writeRect,
                           const PixelMemoryDesc* destination, VRect* wroteRect)
{
    FakeHost& host = Current();
    ++host.recordChannelReads_;
    if (std::memcmp(&scaling->sourceRect, &scaling->destinationRect, sizeof(VRect)) != 0)
        return paramErr;
    *wroteRect = *writeRect;
    return host.CopyChannel(port, *writeRect, *destination);
}

// ---------------------------------------------------------------------------
// Action descriptors, references and the registry.

OSErr FakeHost::MakeDescriptor(PIActionDescriptor* descriptor)
{
    ++Current().liveActionDescriptors_;
    *descriptor = reinterpret_cast<PIActionDescriptor>(new FakeDescriptor);
    return noErr;
}

OSErr FakeHost::FreeDescriptor(PIActionDescriptor descriptor)
{
    --Current().liveActionDescriptors_;
    delete &DescriptorOf(descriptor);
    return noErr;
}

OSErr FakeHost::HasKey(PIActionDescriptor descriptor, DescriptorKeyID key, Boolean* has)
{
    *has = DescriptorOf(descriptor).Find(key) != nullptr;
    return noErr;
}

OSErr FakeHost::PutInteger(PIActionDescriptor d, DescriptorKeyID key, int32_t value)
{
    DescriptorOf(d).PutInteger(key, value);
    return noErr;
}

OSErr FakeHost::PutFloat(PIActionDescriptor d, DescriptorKeyID key, double value)
{
    DescriptorOf(d).PutFloat(key, value);
    return noErr;
}

OSErr FakeHost::PutString(PIActionDescriptor d, DescriptorKeyID key, const char* text)
{
    DescriptorOf(d).PutString(key, text);
    return noErr;
}

OSErr FakeHost::PutBoolean(PIActionDescriptor d, DescriptorKeyID key, Boolean value)
{
    DescriptorOf(d).PutBoolean(key, value != 0);
    return noErr;
}

const FakeDescriptor::Item* FakeHost::FindItem(PIActionDescriptor d, DescriptorKeyID key, uint32_t type,
                                               OSErr* error)
{
    const FakeDescriptor::Item* item = DescriptorOf(d).Find(key);
    *error = !item ? errMissingParameter : item->Type != type ? paramErr : noErr;
    return *error == noErr ? item : nullptr;
}

OSErr FakeHost::GetInteger(PIActionDescriptor d, DescriptorKeyID key, int32_t* value)
{
    OSErr error;
    if (const FakeDescriptor::Item* item = FindItem(d, key, typeInteger, &error))
        *value = item->Integer;
    return error;
}

OSErr FakeHost::GetFloat(PIActionDescriptor d, DescriptorKeyID key, double* value)
{
    OSErr error;
    if (const FakeDescriptor::Item* item = FindItem(d, key, typeFloat, &error))
        *value = item->Float;
    return error;
}

OSErr FakeHost::GetStringLength(PIActionDescriptor d, DescriptorKeyID key, uint32_t* length)
{
    OSErr error;
    if (const FakeDescriptor::Item* item = FindItem(d, key, typeChar, &error))
        *length = uint32_t(item->Text.size());
    return error;
}

// Copies at most maxLength − 1 characters and terminates them.
OSErr FakeHost::GetString(PIActionDescriptor d, DescriptorKeyID key, char* text, uint32_t maxLength)
{
    OSErr error;
    const FakeDescriptor::Item* item = FindItem(d, key, typeChar, &error);
    if (!item || maxLength == 0)
        return error;
    const size_t n = std::min<size_t>(item->Text.size(), maxLength - 1);
    std::memcpy(text, item->Text.data(), n);
    text[n] = '\0';
    return noErr;
}

OSErr FakeHost::GetBoolean(PIActionDescriptor d, DescriptorKeyID key, Boolean* value)
{
    OSErr error;
    if (const FakeDescriptor::Item* item = FindItem(d, key, typeBoolean, &error))
        *value = item->Boolean;
    return error;
}

OSErr FakeHost::MakeReference(PIActionReference* reference)
{
    *reference = reinterpret_cast<PIActionReference>(new Reference);
    return noErr;
}

OSErr FakeHost::FreeReference(PIActionReference reference)
{
    delete reinterpret_cast<Reference*>(reference);
    return noErr;
}

OSErr FakeHost::PutName(PIActionReference reference, DescriptorClassID cls, const char* name)
{
    if (cls != classLayer)
        return paramErr;
    reinterpret_cast<Reference*>(reference)->Name = name;
    return noErr;
}

OSErr FakeHost::PutEnumerated(PIActionReference reference, DescriptorClassID cls, DescriptorEnumTypeID type,
                              DescriptorEnumID value)
{
    if (cls != classLayer || type != typeOrdinal || value != enumTarget)
        return paramErr;
    reinterpret_cast<Reference*>(reference)->Target = true;
    return noErr;
}

OSErr FakeHost::PutProperty(PIActionReference reference, DescriptorClassID cls, DescriptorKeyID key)
{
    if (cls != classProperty)
        return paramErr;
    reinterpret_cast<Reference*>(reference)->Property = key;
    return noErr;
}

// Answers "property of the target layer" and "property of the layer named".
OSErr FakeHost::GetProperty(PIActionDescriptor* result, PIActionReference reference)
{
    FakeHost& host = Current();
    const Reference& ref = *reinterpret_cast<Reference*>(reference);
    const FakeLayer* layer = nullptr;
    if (ref.Target && host.target_ < host.layers_.size())
        layer = &host.layers_[host.target_];
    for (const FakeLayer& candidate : host.layers_)
        if (!ref.Target && candidate.Name == ref.Name)
            layer = &candidate;
    if (!layer || (ref.Property != keyName && ref.Property != keyVisible))
        return paramErr;
    MakeDescriptor(result);
    if (ref.Property == keyName)
        DescriptorOf(*result).PutString(keyName, layer->Name);
    else
        DescriptorOf(*result).PutBoolean(keyVisible, layer->Visible);
    return noErr;
}

OSErr FakeHost::Register(const char* key, PIActionDescriptor descriptor, Boolean persistent)
{
    FakeHost& host = Current();
    host.registry_[key] = DescriptorOf(descriptor);
    host.persistent_[key] = persistent != 0;
    return noErr;
}

OSErr FakeHost::Erase(const char* key)
{
    Current().registry_.erase(key);
    return noErr;
}

OSErr FakeHost::GetRegistered(const char* key, PIActionDescriptor* descriptor)
{
    FakeHost& host = Current();
    *descriptor = nullptr;
    const auto found = host.registry_.find(key);
    if (found == host.registry_.end())
        return noErr;
    MakeDescriptor(descriptor);
    DescriptorOf(*descriptor) = found->second;
    return noErr;
}

bool FakeHost::RegisteredPersistently(const std::string& key) const
{
    const auto found = persistent_.find(key);
    return found != persistent_.end() && found->second;
}

// ---------------------------------------------------------------------------
// Scripting descriptor procedures.

Handle FakeHost::DescriptorHandle(const FakeDescriptor& descriptor)
{
    const Handle h = MakeHandle(4);
    descriptorsByHandle_[h] = descriptor;
    return h;
}

void FakeHost::SetDescriptor(const FakeDescriptor& descriptor, int16_t playInfo)
{
    if (descriptorParameters_.descriptor)
        DisposeHandle(descriptorParameters_.descriptor);
    descriptorParameters_.descriptor = DescriptorHandle(descriptor);
    descriptorParameters_.playInfo = playInfo;
    playback_ = true;
}

void FakeHost::PrepareScripting(Invocation invocation)
{
    if (playback_) {
        playback_ = false;
        return;
    }
    if (invocation == Invocation::Menu && descriptorParameters_.descriptor) {
        DisposeHandle(descriptorParameters_.descriptor);
        descriptorParameters_.descriptor = nullptr;
    }
    descriptorParameters_.playInfo =
        invocation == Invocation::Menu ? plugInDialogDisplay : plugInDialogDontDisplay;
}

const FakeDescriptor* FakeHost::RecordedDescriptor() const
{
    const auto found = descriptorsByHandle_.find(descriptorParameters_.descriptor);
    return found == descriptorsByHandle_.end() ? nullptr : &found->second;
}

PIReadDescriptor FakeHost::OpenRead(PIDescriptorHandle descriptor, DescriptorKeyID* keys)
{
    FakeHost& host = Current();
    const auto found = host.descriptorsByHandle_.find(descriptor);
    if (found == host.descriptorsByHandle_.end())
        return nullptr;
    host.requiredKeys_.clear();
    for (DescriptorKeyID* k = keys; k && *k; ++k)
        host.requiredKeys_.push_back(*k);
    auto* reader = new Reader{found->second, 0, nullptr, keys};
    return reinterpret_cast<PIReadDescriptor>(reader);
}

// Required keys that were read are marked in the caller's array; any left
// unmarked make the close complain.
OSErr FakeHost::CloseRead(PIReadDescriptor token)
{
    Reader* reader = reinterpret_cast<Reader*>(token);
    OSErr result = noErr;
    for (DescriptorKeyID* k = reader->Keys; k && *k; ++k)
        if (*k != typeNull)
            result = errMissingParameter;
    Current().lastReadClose_ = result;
    delete reader;
    return result;
}

Boolean FakeHost::GetKey(PIReadDescriptor token, DescriptorKeyID* key, DescriptorTypeID* type, int32_t* flags)
{
    Reader& reader = *reinterpret_cast<Reader*>(token);
    if (reader.Next >= reader.Descriptor.Items.size())
        return 0;
    reader.Current = &reader.Descriptor.Items[reader.Next++];
    *key = reader.Current->Key;
    *type = reader.Current->Type;
    *flags = 0;
    for (DescriptorKeyID* k = reader.Keys; k && *k; ++k)
        if (*k == *key)
            *k = typeNull;
    return 1;
}

const FakeDescriptor::Item* FakeHost::ReaderItem(PIReadDescriptor token, uint32_t type)
{
    const Reader& reader = *reinterpret_cast<Reader*>(token);
    return reader.Current && reader.Current->Type == type ? reader.Current : nullptr;
}

OSErr FakeHost::ReadInteger(PIReadDescriptor token, int32_t* value)
{
    const FakeDescriptor::Item* item = ReaderItem(token, typeInteger);
    if (!item)
        return paramErr;
    *value = item->Integer;
    return noErr;
}

OSErr FakeHost::ReadFloat(PIReadDescriptor token, double* value)
{
    const FakeDescriptor::Item* item = ReaderItem(token, typeFloat);
    if (!item)
        return paramErr;
    *value = item->Float;
    return noErr;
}

OSErr FakeHost::ReadBoolean(PIReadDescriptor token, Boolean* value)
{
    const FakeDescriptor::Item* item = ReaderItem(token, typeBoolean);
    if (!item)
        return paramErr;
    *value = item->Boolean;
    return noErr;
}

OSErr FakeHost::ReadString(PIReadDescriptor token, Str255* value)
{
    const FakeDescriptor::Item* item = ReaderItem(token, typeChar);
    if (!item)
        return paramErr;
    const size_t n = std::min<size_t>(item->Text.size(), 255);
    (*value)[0] = uint8_t(n);
    std::memcpy(*value + 1, item->Text.data(), n);
    return noErr;
}

PIWriteDescriptor FakeHost::OpenWrite()
{
    return reinterpret_cast<PIWriteDescriptor>(new Writer);
}

OSErr FakeHost::CloseWrite(PIWriteDescriptor token, PIDescriptorHandle* descriptor)
{
    Writer* writer = reinterpret_cast<Writer*>(token);
    *descriptor = Current().DescriptorHandle(writer->Descriptor);
    delete writer;
    return noErr;
}

OSErr FakeHost::WriteInteger(PIWriteDescriptor token, DescriptorKeyID key, int32_t value)
{
    reinterpret_cast<Writer*>(token)->Descriptor.PutInteger(key, value);
    return noErr;
}

OSErr FakeHost::WriteFloat(PIWriteDescriptor token, DescriptorKeyID key, const double* value)
{
    reinterpret_cast<Writer*>(token)->Descriptor.PutFloat(key, *value);
    return noErr;
}

OSErr FakeHost::WriteBoolean(PIWriteDescriptor token, DescriptorKeyID key, Boolean value)
{
    reinterpret_cast<Writer*>(token)->Descriptor.PutBoolean(key, value != 0);
    return noErr;
}

OSErr FakeHost::WriteString(PIWriteDescriptor token, DescriptorKeyID key, const unsigned char* text)
{
    reinterpret_cast<Writer*>(token)->Descriptor.PutString(key, std::string(text + 1, text + 1 + text[0]));
    return noErr;
}

// ---------------------------------------------------------------------------
// The layered document.

void FakeHost::SetLayers(std::vector<FakeLayer> layers, size_t target)
{
    layers_ = std::move(layers);
    target_ = target;
    BuildDocumentInfo();
}

void FakeHost::BuildDocumentInfo()
{
    channels_.clear();
    channelDescs_.clear();
    layerDescs_.clear();
    const auto channelList = [this](const std::vector<const std::vector<uint8_t>*>& planes) {
        ReadChannelDesc* first = nullptr;
        ReadChannelDesc* last = nullptr;
        for (const std::vector<uint8_t>* samples : planes) {
            channels_.push_back({samples});
            ReadChannelDesc desc = {};
            desc.maxVersion = 1;
            desc.port = reinterpret_cast<PIChannelPort>(&channels_.back());
            desc.bounds = {0, 0, source_.Height, source_.Width};
            desc.depth = 8;
            channelDescs_.push_back(desc);
            ReadChannelDesc* added = &channelDescs_.back();
            (last ? last->next : first) = added;
            last = added;
        }
        return first;
    };
    ReadLayerDesc* previous = nullptr;
    for (const FakeLayer& layer : layers_) {
        std::vector<const std::vector<uint8_t>*> planes;
        for (const std::vector<uint8_t>& channel : layer.Channels)
            planes.push_back(&channel);
        ReadLayerDesc desc = {};
        desc.maxVersion = 2;
        desc.compositeChannelsList = channelList(planes);
        desc.transparency = layer.Transparency.empty() ? nullptr : channelList({&layer.Transparency});
        desc.name = layer.Name.c_str();
        desc.isPixelBased = 1;
        desc.isVisible = layer.Visible;
        desc.opacity = desc.fillOpacity = 255;
        layerDescs_.push_back(desc);
        (previous ? previous->next : documentInfo_.layersDescriptor) = &layerDescs_.back();
        previous = &layerDescs_.back();
    }
    documentInfo_.maxVersion = 3;
    documentInfo_.imageMode = record_.imageMode;
    documentInfo_.depth = 8;
    documentInfo_.bounds = {0, 0, source_.Height, source_.Width};
    documentInfo_.layerCount = int32_t(layers_.size());
    if (target_ < layerDescs_.size()) {
        documentInfo_.targetCompositeChannels = layerDescs_[target_].compositeChannelsList;
        documentInfo_.targetTransparency = layerDescs_[target_].transparency;
        documentInfo_.compositeChannelCount = int32_t(layers_[target_].Channels.size());
    }
    record_.documentInfo = &documentInfo_;
}

} // namespace vel::test
