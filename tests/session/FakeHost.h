#pragma once
// An in-process host: a filter record with the callbacks and suites a
// plug-in may ask for, over a small document kept in memory. The session
// tests drive the selector code with it directly; the module's test host
// drives the built module with it through the exported entry point.

#include "params/ParameterBlock.h"
#include "session/HostSuites.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vel::test {

// Interleaved pixels, one or two bytes per sample.
struct FakeImage {
    int Width = 0;
    int Height = 0;
    int Planes = 0;
    int Depth = 8;
    std::vector<uint8_t> Bytes;

    FakeImage() = default;
    FakeImage(int width, int height, int planes, int depth = 8);
    // A deterministic picture: every sample differs from its neighbours.
    static FakeImage Gradient(int width, int height, int planes, int depth = 8);

    uint32_t Get(int x, int y, int plane) const;
    void Set(int x, int y, int plane, uint32_t value);
    bool operator==(const FakeImage&) const = default;
};

// One layer of a layered document: colour channels and an optional
// transparency, one byte a pixel, over the whole image.
struct FakeLayer {
    std::string Name;
    bool Visible = true;
    std::vector<std::vector<uint8_t>> Channels;
    std::vector<uint8_t> Transparency; // empty: the layer has no transparency channel
};

// A scripting or action descriptor: typed values by key, in order.
struct FakeDescriptor {
    struct Item {
        uint32_t Key = 0;
        uint32_t Type = 0;
        int32_t Integer = 0;
        double Float = 0;
        bool Boolean = false;
        std::string Text;
    };
    std::vector<Item> Items;

    void PutInteger(uint32_t key, int32_t value);
    void PutFloat(uint32_t key, double value);
    void PutBoolean(uint32_t key, bool value);
    void PutString(uint32_t key, const std::string& value);
    const Item* Find(uint32_t key) const;
    std::vector<uint32_t> Keys() const;

  private:
    Item& Slot(uint32_t key, uint32_t type);
};

// What the host offers; each part can be withheld, as real hosts do.
struct HostOptions {
    bool BigDocument = true;
    bool BasicSuite = true;
    bool ColorSpaceSuite = true;
    bool ChannelPortsSuite = true;
    bool ActionSuites = true; // descriptor, reference and basic action control
    bool DescriptorRegistry = true;
    bool DescriptorParameters = true;
    bool HandleProcs = true;
    int HighestDescriptorSuite = 3; // 2: only version 2 of the action descriptor suite
};

// The request a plug-in made when it called advance-state.
struct AdvanceCall {
    VRect In;
    VRect Out;
    VRect Mask;
    int16_t InLoPlane;
    int16_t InHiPlane;
    int16_t OutLoPlane;
    int16_t OutHiPlane;
    Fixed InputRate;
    Fixed MaskRate;
    int16_t InputPadding;
    int16_t OutputPadding;
    int16_t MaskPadding;
};

using PluginEntryFn = std::function<void(int16_t selector, void* record, intptr_t* data, int16_t* result)>;

// How the user started the filter: from the menu, or as "repeat last filter"
// (no Parameters call).
enum class Invocation { Menu, Repeat };

class FakeHost {
  public:
    FakeHost(int16_t imageMode, FakeImage source, HostOptions options = {});
    ~FakeHost();
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    FilterRecord& Record() { return record_; }
    const HostOptions& Options() const { return options_; }
    void SetFilterRect(const VRect& rect);

    // One call of the entry point with this host's record (the About record
    // for selector 0) and data slot. Returns the result word.
    int16_t Call(const PluginEntryFn& entry, int16_t selector);

    // A whole filter run as hosts sequence it: [Parameters,] Prepare, Start,
    // Continue while rectangles are pending (buffers delivered before each),
    // and Finish when Start succeeded. Returns the first error.
    int16_t Run(const PluginEntryFn& entry, Invocation invocation);
    int ContinueCalls() const { return continueCalls_; }

    // The blocks the plug-in keeps in the host's handles.
    bool HasBlocks() const;
    ParameterBlock Parameters() const;
    PrivateBlock Private() const;
    void EditParameters(const std::function<void(ParameterBlock&)>& edit);
    // Disposes of both blocks, as a new host session would start.
    void ForgetBlocks();

    // The scripting descriptor handed to the next run's Start, with its
    // play-info (playback of an action). Without one, a menu run passes no
    // descriptor and asks for the dialog; a repeat run passes the last
    // recorded descriptor and does not ask for the dialog.
    void SetDescriptor(const FakeDescriptor& descriptor, int16_t playInfo);
    // The descriptor the plug-in left in the descriptor parameters, or null.
    const FakeDescriptor* RecordedDescriptor() const;
    // The registered descriptors by key.
    std::map<std::string, FakeDescriptor>& Registry() { return registry_; }
    bool RegisteredPersistently(const std::string& key) const;
    // Whether the last scripting read closed without complaint, and the keys
    // it was asked to require.
    OSErr LastReadCloseResult() const { return lastReadClose_; }
    const std::vector<uint32_t>& RequiredKeys() const { return requiredKeys_; }

    // The window that owns the plug-in's dialogs (0: none, as some hosts do).
    void SetParentWindow(intptr_t window) { platform_.hwnd = window; }

    // A layered document; `target` indexes the target layer.
    void SetLayers(std::vector<FakeLayer> layers, size_t target);

    const FakeImage& Source() const { return source_; }
    const FakeImage& Output() const { return output_; }
    const std::vector<AdvanceCall>& AdvanceCalls() const { return advanceCalls_; }
    const std::vector<int>& ConvertCounts() const { return convertCounts_; }
    int ProgressCalls() const { return progressCalls_; }
    // The (done, total) of every progress call, in order.
    const std::vector<std::pair<int32_t, int32_t>>& ProgressValues() const { return progressValues_; }
    int SuiteChannelReads() const { return suiteChannelReads_; }
    int RecordChannelReads() const { return recordChannelReads_; }
    // Acquisitions minus releases over all suites; 0 when balanced.
    int OutstandingSuites() const;
    int LiveActionDescriptors() const { return liveActionDescriptors_; }
    int LiveHandles() const { return int(handles_.size()); }
    int UnlockCalls() const { return unlockCalls_; }

    // The host's colour conversion, also used by its colour-space suite.
    static void ConvertColor(int16_t from, int16_t to, const uint8_t in[4], uint8_t out[4]);

    // Failure injection.
    bool FailNewHandle = false;
    bool FailLock = false;
    bool ChannelsReadable = true;
    OSErr AdvanceResult = noErr;

  private:
    struct HandleData;
    struct Reader;
    struct Writer;
    struct Reference;
    struct Channel;
    struct Suite;

    static FakeHost& Current();

    // Handles.
    static Handle VEL_HOSTCALL NewHandle(int32_t size);
    static void VEL_HOSTCALL DisposeHandle(Handle h);
    static int32_t VEL_HOSTCALL GetHandleSize(Handle h);
    static OSErr VEL_HOSTCALL SetHandleSize(Handle h, int32_t size);
    static Ptr VEL_HOSTCALL LockHandle(Handle h, Boolean moveHigh);
    static void VEL_HOSTCALL UnlockHandle(Handle h);
    static void VEL_HOSTCALL RecoverSpace(int32_t size);
    Handle MakeHandle(size_t size);
    HandleData* Find(Handle h) const;

    // Record callbacks.
    static OSErr VEL_HOSTCALL AdvanceState();
    static void VEL_HOSTCALL Progress(int32_t done, int32_t total);
    static Boolean VEL_HOSTCALL TestAbort();
    static OSErr VEL_HOSTCALL ColorServices(ColorServicesInfo* info);
    OSErr Advance();
    void CommitOutput();
    bool UsesBigDocument() const;
    VRect InRect() const;
    VRect OutRect() const;
    VRect MaskRect() const;
    bool RequestsPending() const;

    // Basic suite and suites.
    static SPErr VEL_HOSTCALL AcquireSuite(const char* name, int32_t version, const void** suite);
    static SPErr VEL_HOSTCALL ReleaseSuite(const char* name, int32_t version);
    static SPBoolean VEL_HOSTCALL IsEqual(const char* a, const char* b);
    static SPErr VEL_HOSTCALL Convert8(int16_t from, int16_t to, Color8* colors, int16_t count);
    static SPErr VEL_HOSTCALL Convert16(int16_t from, int16_t to, Color16* colors, int16_t count);
    static SPErr VEL_HOSTCALL CanRead(PIChannelPort port, Boolean* canRead);
    static SPErr VEL_HOSTCALL ReadPixelsFromLevel(PIChannelPort port, int32_t level, VRect* bounds,
                                                  const PixelMemoryDesc* destination);
    static OSErr VEL_HOSTCALL ReadPixels(PIChannelPort port, const PSScaling* scaling, const VRect* writeRect,
                                         const PixelMemoryDesc* destination, VRect* wroteRect);
    OSErr CopyChannel(PIChannelPort port, const VRect& area, const PixelMemoryDesc& destination);

    // Action descriptors.
    static OSErr VEL_HOSTCALL MakeDescriptor(PIActionDescriptor* descriptor);
    static OSErr VEL_HOSTCALL FreeDescriptor(PIActionDescriptor descriptor);
    static OSErr VEL_HOSTCALL HasKey(PIActionDescriptor descriptor, DescriptorKeyID key, Boolean* has);
    static OSErr VEL_HOSTCALL PutInteger(PIActionDescriptor descriptor, DescriptorKeyID key, int32_t value);
    static OSErr VEL_HOSTCALL PutFloat(PIActionDescriptor descriptor, DescriptorKeyID key, double value);
    static OSErr VEL_HOSTCALL PutString(PIActionDescriptor descriptor, DescriptorKeyID key, const char* text);
    static OSErr VEL_HOSTCALL PutBoolean(PIActionDescriptor descriptor, DescriptorKeyID key, Boolean value);
    static OSErr VEL_HOSTCALL GetInteger(PIActionDescriptor descriptor, DescriptorKeyID key, int32_t* value);
    static OSErr VEL_HOSTCALL GetFloat(PIActionDescriptor descriptor, DescriptorKeyID key, double* value);
    static OSErr VEL_HOSTCALL GetStringLength(PIActionDescriptor descriptor, DescriptorKeyID key,
                                              uint32_t* length);
    static OSErr VEL_HOSTCALL GetString(PIActionDescriptor descriptor, DescriptorKeyID key, char* text,
                                        uint32_t maxLength);
    static OSErr VEL_HOSTCALL GetBoolean(PIActionDescriptor descriptor, DescriptorKeyID key, Boolean* value);
    static const FakeDescriptor::Item* FindItem(PIActionDescriptor descriptor, DescriptorKeyID key,
                                                uint32_t type, OSErr* error);

    // Action references and the basic action control.
    static OSErr VEL_HOSTCALL MakeReference(PIActionReference* reference);
    static OSErr VEL_HOSTCALL FreeReference(PIActionReference reference);
    static OSErr VEL_HOSTCALL PutName(PIActionReference reference, DescriptorClassID cls, const char* name);
    static OSErr VEL_HOSTCALL PutEnumerated(PIActionReference reference, DescriptorClassID cls,
                                            DescriptorEnumTypeID type, DescriptorEnumID value);
    static OSErr VEL_HOSTCALL PutProperty(PIActionReference reference, DescriptorClassID cls,
                                          DescriptorKeyID key);
    static OSErr VEL_HOSTCALL GetProperty(PIActionDescriptor* result, PIActionReference reference);

    // The descriptor registry.
    static OSErr VEL_HOSTCALL Register(const char* key, PIActionDescriptor descriptor, Boolean persistent);
    static OSErr VEL_HOSTCALL Erase(const char* key);
    static OSErr VEL_HOSTCALL GetRegistered(const char* key, PIActionDescriptor* descriptor);

    // Scripting descriptor procedures.
    static PIReadDescriptor VEL_HOSTCALL OpenRead(PIDescriptorHandle descriptor, DescriptorKeyID* keys);
    static OSErr VEL_HOSTCALL CloseRead(PIReadDescriptor token);
    static Boolean VEL_HOSTCALL GetKey(PIReadDescriptor token, DescriptorKeyID* key, DescriptorTypeID* type,
                                       int32_t* flags);
    static OSErr VEL_HOSTCALL ReadInteger(PIReadDescriptor token, int32_t* value);
    static OSErr VEL_HOSTCALL ReadFloat(PIReadDescriptor token, double* value);
    static OSErr VEL_HOSTCALL ReadBoolean(PIReadDescriptor token, Boolean* value);
    static OSErr VEL_HOSTCALL ReadString(PIReadDescriptor token, Str255* value);
    static const FakeDescriptor::Item* ReaderItem(PIReadDescriptor token, uint32_t type);
    static PIWriteDescriptor VEL_HOSTCALL OpenWrite();
    static OSErr VEL_HOSTCALL CloseWrite(PIWriteDescriptor token, PIDescriptorHandle* descriptor);
    static OSErr VEL_HOSTCALL WriteInteger(PIWriteDescriptor token, DescriptorKeyID key, int32_t value);
    static OSErr VEL_HOSTCALL WriteFloat(PIWriteDescriptor token, DescriptorKeyID key, const double* value);
    static OSErr VEL_HOSTCALL WriteBoolean(PIWriteDescriptor token, DescriptorKeyID key, Boolean value);
    static OSErr VEL_HOSTCALL WriteString(PIWriteDescriptor token, DescriptorKeyID key,
                                          const unsigned char* text);
    Handle DescriptorHandle(const FakeDescriptor& descriptor);
    void PrepareScripting(Invocation invocation);

    void BuildDocumentInfo();

    HostOptions options_;
    FakeImage source_;
    FakeImage output_;
    FilterRecord record_ = {};
    BigDocumentStruct big_ = {};
    AboutRecord about_ = {};
    PlatformData platform_ = {};
    HandleProcs handleProcs_ = {};
    ChannelPortProcs channelPortProcs_ = {};
    PIDescriptorParameters descriptorParameters_ = {};
    ReadDescriptorProcs readProcs_ = {};
    WriteDescriptorProcs writeProcs_ = {};
    SPBasicSuite basic_ = {};
    PSColorSpaceSuite1 colorSpace_ = {};
    PSChannelPortsSuite1 channelPorts_ = {};
    PSActionDescriptorProcs actionDescriptors_ = {};
    PSActionReferenceProcs actionReferences_ = {};
    PSBasicActionControlProcs actionControl_ = {};
    PSDescriptorRegistryProcs registryProcs_ = {};
    std::vector<Suite> suites_;

    intptr_t dataSlot_ = 0;
    std::map<Handle, std::unique_ptr<HandleData>> handles_;
    std::map<Handle, FakeDescriptor> descriptorsByHandle_;
    bool playback_ = false;
    std::map<std::string, FakeDescriptor> registry_;
    std::map<std::string, bool> persistent_;
    std::vector<uint8_t> inBuffer_;
    std::vector<uint8_t> outBuffer_;
    std::vector<uint8_t> maskBuffer_;
    VRect deliveredOut_ = {};
    int16_t deliveredOutLo_ = 0;
    int16_t deliveredOutHi_ = -1;
    Fixed deliveredRate_ = 0x10000;

    std::vector<FakeLayer> layers_;
    size_t target_ = 0;
    ReadImageDocumentDesc documentInfo_ = {};
    std::deque<Channel> channels_;
    std::deque<ReadChannelDesc> channelDescs_;
    std::deque<ReadLayerDesc> layerDescs_;

    std::vector<AdvanceCall> advanceCalls_;
    std::vector<int> convertCounts_;
    std::vector<uint32_t> requiredKeys_;
    OSErr lastReadClose_ = noErr;
    int continueCalls_ = 0;
    int progressCalls_ = 0;
    std::vector<std::pair<int32_t, int32_t>> progressValues_;
    int unlockCalls_ = 0;
    int suiteChannelReads_ = 0;
    int recordChannelReads_ = 0;
    int liveActionDescriptors_ = 0;
};

} // namespace vel::test
