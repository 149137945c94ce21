#include "session/DescriptorRegistry.h"

#include "session/AcquiredSuite.h"
#include "session/DescriptorKeys.h"

#include <algorithm>
#include <string>

namespace vel {
namespace {

using DescriptorSuite = AcquiredSuite<PSActionDescriptorProcs>;
using RegistrySuite = AcquiredSuite<PSDescriptorRegistryProcs>;

// Version 3 is the registry's partner; a host serving only version 2 has the
// same slots for everything used here.
DescriptorSuite AcquireDescriptors(const SPBasicSuite* basic)
{
    return DescriptorSuite(basic, kPSActionDescriptorSuite,
                           {kPSActionDescriptorSuiteVersion3, kPSActionDescriptorSuiteVersion2});
}

RegistrySuite AcquireRegistry(const SPBasicSuite* basic)
{
    return RegistrySuite(basic, kPSDescriptorRegistrySuite, {kPSDescriptorRegistrySuiteVersion1});
}

void ReadPaperName(const PSActionDescriptorProcs& suite, PIActionDescriptor descriptor, uint32_t key,
                   ParameterBlock& block)
{
    uint32_t length = 0;
    if (suite.GetStringLength(descriptor, key, &length) != noErr || length > 255)
        return;
    std::string text(length + 1, '\0');
    if (suite.GetString(descriptor, key, text.data(), length + 1) != noErr)
        return;
    text[length] = '\0';
    SetPaperName(block, text.c_str());
}

void ReadField(const PSActionDescriptorProcs& suite, PIActionDescriptor descriptor, const FieldKey& key,
               ParameterBlock& block)
{
    switch (key.Field->Shape) {
    case ValueShape::Integer:
    case ValueShape::Choice: {
        int32_t value = 0;
        if (suite.GetInteger(descriptor, key.Key, &value) == noErr)
            SetFieldValue(block, *key.Field, key.Layer, value);
        break;
    }
    case ValueShape::Flag: {
        Boolean value = 0;
        if (suite.GetBoolean(descriptor, key.Key, &value) == noErr)
            SetFieldValue(block, *key.Field, key.Layer, value);
        break;
    }
    case ValueShape::Real: {
        double value = 0;
        if (suite.GetFloat(descriptor, key.Key, &value) == noErr)
            SetFieldValue(block, *key.Field, key.Layer, value);
        break;
    }
    case ValueShape::Text:
        ReadPaperName(suite, descriptor, key.Key, block);
        break;
    }
}

void PutField(const PSActionDescriptorProcs& suite, PIActionDescriptor descriptor, const FieldKey& key,
              const ParameterBlock& block)
{
    const double value = GetFieldValue(block, *key.Field, key.Layer);
    switch (key.Field->Shape) {
    case ValueShape::Integer:
    case ValueShape::Choice:
        suite.PutInteger(descriptor, key.Key, int32_t(value));
        break;
    case ValueShape::Flag:
        suite.PutBoolean(descriptor, key.Key, Boolean(value));
        break;
    case ValueShape::Real:
        suite.PutFloat(descriptor, key.Key, value);
        break;
    case ValueShape::Text: {
        const char* name = block.PaperName;
        suite.PutString(descriptor, key.Key,
                        std::string(name, std::find(name, name + PaperNameSize - 1, '\0')).c_str());
        break;
    }
    }
}

} // namespace

OSErr ReadRegistry(const SPBasicSuite* basic, ParameterBlock& block)
{
    const RegistrySuite registry = AcquireRegistry(basic);
    const DescriptorSuite descriptors = AcquireDescriptors(basic);
    if (!registry || !descriptors)
        return errPlugInHostInsufficient;
    PIActionDescriptor descriptor = nullptr;
    const OSErr error = registry->Get(RegistryKey, &descriptor);
    if (error != noErr || !descriptor)
        return error;
    // Layer two is read whether or not the registered block says it exists.
    for (const FieldKey& key : RecordedFields(true))
        ReadField(*descriptors, descriptor, key, block);
    descriptors->Free(descriptor);
    return noErr;
}

OSErr RegisterParameters(const SPBasicSuite* basic, const ParameterBlock& block)
{
    const RegistrySuite registry = AcquireRegistry(basic);
    const DescriptorSuite descriptors = AcquireDescriptors(basic);
    if (!registry || !descriptors)
        return errPlugInHostInsufficient;
    PIActionDescriptor descriptor = nullptr;
    OSErr error = descriptors->Make(&descriptor);
    if (error != noErr || !descriptor)
        return error != noErr ? error : memFullErr;
    for (const FieldKey& key : RecordedFields(block.LayerTwoExist != 0))
        PutField(*descriptors, descriptor, key, block);
    error = registry->Register(RegistryKey, descriptor, true);
    descriptors->Free(descriptor);
    return error;
}

} // namespace vel
