#include "ParameterListing.h"

#include "params/FieldTable.h"

#include <cstdio>

namespace vel {
namespace {

std::string FormatValue(const ParameterBlock& block, const FieldInfo& field, LayerIndex layer)
{
    if (field.Shape == ValueShape::Text)
        return std::string("\"") + static_cast<const char*>(FieldAddress(block, field, layer)) + "\"";
    const double value = GetFieldValue(block, field, layer);
    char text[64];
    if (field.Shape == ValueShape::Real)
        std::snprintf(text, sizeof text, "%.2f", value);
    else if (field.Key == std::string("PrCr"))
        std::snprintf(text, sizeof text, "0x%06X", unsigned(value));
    else
        std::snprintf(text, sizeof text, "%d", int(value));
    std::string result = text;
    const size_t index = size_t(value);
    if (!field.Names.empty() && value >= 0 && index < field.Names.size())
        result += std::string(" (") + field.Names[index] + ")";
    return result;
}

void AppendSection(std::string& out, const ParameterBlock& block, FieldScope scope, LayerIndex layer)
{
    for (const FieldInfo& field : ParameterFields()) {
        if (field.Scope != scope)
            continue;
        char line[160];
        std::snprintf(line, sizeof line, "  %-22s %s\n", FieldName(field, layer).c_str(),
                      FormatValue(block, field, layer).c_str());
        out += line;
    }
}

} // namespace

std::string DescribeParameters(const ParameterBlock& block)
{
    std::string out = "Common:\n";
    AppendSection(out, block, FieldScope::Common, LayerIndex::One);
    out += "Layer one:\n";
    AppendSection(out, block, FieldScope::Layer, LayerIndex::One);
    if (block.LayerTwoExist) {
        out += "Layer two:\n";
        AppendSection(out, block, FieldScope::Layer, LayerIndex::Two);
    }
    return out;
}

} // namespace vel
