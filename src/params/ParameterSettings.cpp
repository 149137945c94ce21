#include "params/ParameterSettings.h"

#include "params/FieldTable.h"
#include "platform/AsciiText.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace vel {
namespace {

size_t EditDistance(const std::string& a, const std::string& b)
{
    std::vector<size_t> previous(b.size() + 1), current(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        previous[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t substitute = previous[j - 1] + (AsciiLower(a[i - 1]) == AsciiLower(b[j - 1]) ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitute});
        }
        std::swap(previous, current);
    }
    return previous[b.size()];
}

std::string Suggest(const std::string& name)
{
    std::vector<std::pair<size_t, std::string>> ranked;
    for (const FieldInfo& field : ParameterFields())
        for (LayerIndex layer : {LayerIndex::One, LayerIndex::Two}) {
            const std::string candidate = FieldName(field, layer);
            ranked.emplace_back(EditDistance(name, candidate), candidate);
            if (field.Scope == FieldScope::Common)
                break;
        }
    std::sort(ranked.begin(), ranked.end());
    std::string out;
    for (size_t i = 0; i < 3 && i < ranked.size(); ++i)
        out += (i ? ", " : "") + ranked[i].second;
    return out;
}

bool ParseNumber(const std::string& text, double& value)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec == std::errc() && ptr == end)
        return true;
    // Colours are easier to write in hexadecimal: 0x00BBGGRR.
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        unsigned long long hex = 0;
        const auto [hp, hec] = std::from_chars(text.data() + 2, end, hex, 16);
        if (hec == std::errc() && hp == end && hex <= 0xFFFFFFFFull) {
            value = double(int32_t(uint32_t(hex)));
            return true;
        }
    }
    return false;
}

} // namespace

std::string ApplySetting(ParameterBlock& block, const std::string& setting)
{
    const size_t equals = setting.find('=');
    if (equals == std::string::npos)
        return "--set expects NAME=VALUE, got \"" + setting + "\"";
    const std::string name = setting.substr(0, equals);
    const std::string value = setting.substr(equals + 1);
    LayerIndex layer = LayerIndex::One;
    const FieldInfo* field = FindField(name, &layer);
    if (!field)
        return "unknown parameter \"" + name + "\" (closest: " + Suggest(name) + ")";

    if (field->Shape == ValueShape::Text) {
        SetPaperName(block, value.c_str());
        return {};
    }
    for (size_t i = 0; i < field->Names.size(); ++i)
        if (EqualIgnoringCase(field->Names[i], value.c_str(), value.size() + 1)) {
            SetFieldValue(block, *field, layer, double(i));
            return {};
        }
    double number = 0;
    if (!ParseNumber(value, number)) {
        std::string error = "\"" + value + "\" is not a number for " + name;
        if (!field->Names.empty()) {
            error += " nor one of:";
            for (const char* n : field->Names)
                error += std::string(" \"") + n + "\"";
        }
        return error;
    }
    SetFieldValue(block, *field, layer, number);
    return {};
}

} // namespace vel
