#pragma once
// Every text the system shows the user in a message box, with its titles.
// They are the system's own texts, exactly as users have always seen them:
// spelling, capitals, spaces and line breaks included ("Enought",
// "intermedia", "Tilling" and "already exist" are not to be corrected).

namespace vel {

// Titles.
inline constexpr char PluginAlertTitle[] = "Plugin Alert";
inline constexpr char SavePresetErrorTitle[] = "Save Preset Error";
inline constexpr char FileSaveWarningTitle[] = "File Save Warning";

// The render driver: the document's mode, and the planes of a render.
inline constexpr char WrongModeMessage[] = "Wrong Image mode!\r\n Image should be RGB or CMYK";
inline constexpr char WorkingMemoryMessage[] =
    "Cannot allocate so big intermedia memory\nTry to use smaller pictures";
inline constexpr char HostMemoryMessage[] =
    "Photoshop cannot allocate so big memory\nTry to use smaller pictures";

// A plane of a layer pass or of the paper texture cannot be created.
inline constexpr char NotEnoughMemoryMessage[] = "Not enough memory!";
// The copy of the analysis sample for the palette cannot be created.
inline constexpr char PaletteMemoryMessage[] = "Not Enought Memory";
// The paper texture cannot be tiled over the working area.
inline constexpr char TilingFailedMessage[] = "Tilling Fail";

// An image file (paper texture, thumbnail) of a format the image library
// cannot read: "%s" stands for the format's name; the library's own
// explanation follows the line break.
inline constexpr char UnsupportedFormatMessage[] = "%s Format is unsupported\n";

// Presets: a file that cannot be written (title SavePresetErrorTitle), and
// the question before an existing preset is replaced (FileSaveWarningTitle).
inline constexpr char CannotSaveFileMessage[] = "Cannot Save File!";
inline constexpr char OverwritePresetQuestion[] = "The file already exist!\n Do you want rewrite it?";

} // namespace vel
