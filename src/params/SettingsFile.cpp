#include "params/SettingsFile.h"

#include "params/FieldTable.h"
#include "params/TextFile.h"
#include "params/TextValues.h"

#include <cstring>

namespace vel {
namespace {

constexpr char SettingsComment[] = ";Parameters for Kestrine plug-in UI";

std::string SettingsKey(const GeometryField& field) { return PresetKeyOf(FourCC(field.Key)); }

// A key written with a leading space (" poT") also matches with that space
// skipped, as the line's leading spaces are ("poT ").
bool MatchesKey(std::string_view lineKey, const std::string& key)
{
    return lineKey == key || (key[0] == ' ' && lineKey == key.substr(1) + ' ');
}

void ReadSettingsLine(ParameterBlock& block, std::string_view text)
{
    KeyedLine line;
    if (!SplitKeyedLine(text, line))
        return;
    for (const GeometryField& field : WindowGeometryFields()) {
        if (MatchesKey(line.Key, SettingsKey(field))) {
            const int32_t value = ReadIntegerValue(line.Value);
            std::memcpy(reinterpret_cast<unsigned char*>(&block) + field.Offset, &value, sizeof value);
            return;
        }
    }
}

std::string SettingsText(const ParameterBlock& block)
{
    std::string text = std::string(SettingsComment) + '\n';
    for (const GeometryField& field : WindowGeometryFields()) {
        int32_t value;
        std::memcpy(&value, reinterpret_cast<const unsigned char*>(&block) + field.Offset, sizeof value);
        const std::string comment = std::string(CommentIndent) + ";" + field.Label;
        AppendValueLine(text, SettingsKey(field), FormatInteger(value), comment);
    }
    return text;
}

} // namespace

void ReadSettings(const std::string& moduleFolder, ParameterBlock& block)
{
    TextLineReader reader(moduleFolder + SettingsFileName);
    std::string_view line;
    while (reader.NextLine(line))
        ReadSettingsLine(block, line);
}

void WriteSettings(const std::string& moduleFolder, const ParameterBlock& block)
{
    WriteTextFile(moduleFolder + SettingsFileName, SettingsText(block));
}

} // namespace vel
