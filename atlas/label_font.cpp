// Labels are drawn by FreeType from a font that fontconfig finds: the
// window's face where it is installed, its nearest match otherwise. The
// printable ASCII glyphs are rendered once, when the font opens.
#include "atlas/label_font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <vector>

namespace seedscape {

namespace {

constexpr char kFirstGlyph = ' ';
constexpr char kLastGlyph = '~';

struct Glyph {
    int left = 0;     // from the pen to the bitmap's first column
    int top = 0;      // from the baseline up to the bitmap's first row
    int advance = 0;  // how far the pen moves, in whole pixels
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> coverage;  // rows top to bottom, 0 to 255
};

// The file and face number of the font fontconfig matches to the family.
bool FindFontFile(std::string& file, int& index, std::string& error) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) {
        error = "fontconfig could not load its configuration";
        return false;
    }
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(kLabelFontFamily));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcChar8* path = nullptr;
    bool found = match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch;
    if (found) {
        file = reinterpret_cast<const char*>(path);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    } else {
        error =
            "no font is installed for the labels (fonts-liberation2 or fonts-dejavu-core "
            "would do)";
    }
    if (match != nullptr) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return found;
}

std::uint8_t Blend(std::uint8_t under, std::uint8_t ink, unsigned coverage) {
    const unsigned value = (under * (255 - coverage) + ink * coverage + 127) / 255;
    return static_cast<std::uint8_t>(value);
}

}  // namespace

struct LabelFont::Face {
    ~Face() {
        if (face != nullptr) FT_Done_Face(face);
        if (library != nullptr) FT_Done_FreeType(library);
    }

    // Renders one glyph into the cache; false when the font has none for it.
    bool Load(char c) {
        const FT_UInt index = FT_Get_Char_Index(face, static_cast<unsigned char>(c));
        if (index == 0 && c != ' ') return false;
        if (FT_Load_Glyph(face, index, FT_LOAD_RENDER) != 0) return false;
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows > 0) return false;
        Glyph& glyph = glyphs[static_cast<std::size_t>(c - kFirstGlyph)];
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
        glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * glyph.rows);
        for (int y = 0; y < glyph.rows; ++y) {
            const unsigned char* row =
                bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
            std::copy(row, row + glyph.width, glyph.coverage.begin() + y * glyph.width);
        }
        return true;
    }

    const Glyph* Find(char c) const {
        if (c < kFirstGlyph || c > kLastGlyph) return nullptr;
        return &glyphs[static_cast<std::size_t>(c - kFirstGlyph)];
    }

    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string file;
    std::vector<Glyph> glyphs = std::vector<Glyph>(kLastGlyph - kFirstGlyph + 1);
    int ascent = 0;
    int descent = 0;
};

LabelFont::LabelFont(std::unique_ptr<Face> face) : face_(std::move(face)) {}
LabelFont::~LabelFont() = default;

std::unique_ptr<LabelFont> LabelFont::Open(int pixel_size, std::string& error) {
    auto face = std::make_unique<Face>();
    int index = 0;
    if (!FindFontFile(face->file, index, error)) return nullptr;
    if (FT_Init_FreeType(&face->library) != 0) {
        face->library = nullptr;
        error = "FreeType could not start";
        return nullptr;
    }
    if (FT_New_Face(face->library, face->file.c_str(), index, &face->face) != 0) {
        face->face = nullptr;
        error = "FreeType cannot read the font " + face->file;
        return nullptr;
    }
    if (FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(pixel_size)) != 0) {
        error =
            "the font " + face->file + " has no size of " + std::to_string(pixel_size) + " pixels";
        return nullptr;
    }
    for (char c = kFirstGlyph; c <= kLastGlyph; ++c) {
        // A face without digits or letters cannot label anything.
        const bool needed = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z');
        if (!face->Load(c) && needed) {
            error = "the font " + face->file + " has no glyph for '" + std::string(1, c) + "'";
            return nullptr;
        }
    }
    for (const char c : std::string_view("0123456789abcdefghijklmnopqrstuvwxyz")) {
        const Glyph& glyph = *face->Find(c);
        face->ascent = std::max(face->ascent, glyph.top);
        face->descent = std::max(face->descent, glyph.rows - glyph.top);
    }
    return std::unique_ptr<LabelFont>(new LabelFont(std::move(face)));
}

int LabelFont::Width(std::string_view text) const {
    int width = 0;
    for (const char c : text) {
        if (const Glyph* glyph = face_->Find(c)) width += glyph->advance;
    }
    return width;
}

int LabelFont::Ascent() const {
    return face_->ascent;
}

int LabelFont::Descent() const {
    return face_->descent;
}

void LabelFont::Draw(RgbImage& image, int x, int baseline, std::string_view text, Rgb ink) const {
    int pen = x;
    for (const char c : text) {
        const Glyph* glyph = face_->Find(c);
        if (glyph == nullptr) continue;
        for (int gy = 0; gy < glyph->rows; ++gy) {
            const int y = baseline - glyph->top + gy;
            if (y < 0 || y >= image.height) continue;
            for (int gx = 0; gx < glyph->width; ++gx) {
                const int px = pen + glyph->left + gx;
                const unsigned coverage = glyph->coverage[gy * glyph->width + gx];
                if (px < 0 || px >= image.width || coverage == 0) continue;
                std::uint8_t* pixel = image.At(px, y);
                for (int k = 0; k < 3; ++k) pixel[k] = Blend(pixel[k], ink[k], coverage);
            }
        }
        pen += glyph->advance;
    }
}

const std::string& LabelFont::file() const {
    return face_->file;
}

}  // namespace seedscape
