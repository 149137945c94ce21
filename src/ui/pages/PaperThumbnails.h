#pragma once
// The paper strip's 61 × 61 thumbnails: made from the texture files, kept
// as 24-bit BMP files in the thumbnails folder and made again when a cached
// file is missing or not 61 × 61.

#include "platform/PageMemory.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vel::ui {

inline constexpr int ThumbnailSize = 61;

enum class CellKind { NoPaper, Solid, Texture };

struct PaperThumbnail {
    CellKind Kind = CellKind::Texture;
    std::vector<uint8_t> Rgb; // Texture only: 61 × 61 × 3, rows top to bottom
};

// The cached file of a texture: its file name with ".bmp" added, so that
// "Laid.png" and "Laid.jpg" never share a thumbnail.
std::string ThumbnailPath(const std::string& thumbsFolder, const std::string& textureName);

// Samples a centred region of an RGBA picture onto 61 × 61 pixels (nearest
// neighbour; the region is the picture's size limited to 61..122 pixels each
// way, a smaller picture repeating as the paper tiles), each colour
// multiplied by its alpha.
std::vector<uint8_t> SampleThumbnail(const Plane<uint8_t>& rgba);

// 24-bit BMP files. Writing false when the file cannot be made; reading
// false for anything but an uncompressed 24-bit BMP.
bool WriteBmp24(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
bool ReadBmp24(const std::string& path, int& width, int& height, std::vector<uint8_t>& rgb);

// A texture's thumbnail: the cached file when it is a 61 × 61 BMP, else made
// from the texture in `papersFolder` and written to the cache (a cache that
// cannot be written still gives the thumbnail). False when the texture
// cannot be loaded (the image loader has told the user).
bool TextureThumbnail(const std::string& papersFolder, const std::string& thumbsFolder,
                      const std::string& name, std::vector<uint8_t>& rgb);

// The thumbnails of the strip's entries in order; "None" and "Solid" get
// their drawn cells. Entries whose thumbnail cannot be made are removed
// from `names`. `progress` hears (i, count) before each entry and (0, count)
// at the end.
std::vector<PaperThumbnail> BuildPaperThumbnails(const std::string& papersFolder,
                                                 const std::string& thumbsFolder,
                                                 std::vector<std::string>& names,
                                                 const std::function<void(int, int)>& progress = {});

} // namespace vel::ui
