// Glyphs on Linux: fontconfig finds the face, FreeType rasterises it.
//
// The face: "Microsoft YaHei" with language zh-cn, but fontconfig answers an
// unknown family with its generic sans face, which often has no Chinese at
// all; so the sorted candidates are walked and the first whose character set
// holds both U+4E2D and U+0041 wins (WenQuanYi Micro Hei on a stock system).
//
// Metrics, at an em of `pixel_size` pixels (scale = pixel_size / units per em),
// each rounded to the nearest pixel:
//   ascent            = OS/2 usWinAscent * scale
//   height            = ascent + OS/2 usWinDescent * scale
//   external leading  = max(0, hhea lineGap - ((winAscent + winDescent)
//                        - (hhea ascender - hhea descender))) * scale
//   average width     = OS/2 xAvgCharWidth * scale
// (without an OS/2 table, FreeType's scaled hhea ascender and descender and
// half the em stand in). Glyphs: the hinted outline rendered as an 8-bit grey
// bitmap; black box = bitmap size, origin = bitmap_left / bitmap_top, cell
// advance = the hinted advance in whole pixels. The 256 grey levels g map to
// 65 coverage levels as (g * 64 + 127) / 255: 0 stays empty, 255 is exactly
// 64, and every level in between rounds to the nearest 1/64.
#include "host/host_glyphs.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>

namespace qor::host {
namespace {

// Glyphs larger than this on either side are refused rather than allocated.
constexpr long kMaxGlyphSide = 4096;

struct freetype_face {
    bool tried = false;
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    std::string file;
    int size = 0; // the em height currently set on `face`
};

freetype_face g_face;

bool covers_chinese_and_latin(FcPattern* font) {
    FcCharSet* chars = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) != FcResultMatch) return false;
    return FcCharSetHasChar(chars, 0x4E2D) && FcCharSetHasChar(chars, 0x41);
}

bool find_face_file(std::string* file, int* index) {
    if (!FcInit()) return false;
    FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>("Microsoft YaHei:lang=zh-cn"));
    if (!wanted) return false;
    FcConfigSubstitute(nullptr, wanted, FcMatchPattern);
    FcDefaultSubstitute(wanted);
    FcResult result = FcResultNoMatch;
    FcFontSet* candidates = FcFontSort(nullptr, wanted, FcFalse, nullptr, &result);
    bool found = false;
    for (int i = 0; candidates && i < candidates->nfont && !found; ++i) {
        FcPattern* font = candidates->fonts[i];
        FcChar8* path = nullptr;
        if (!covers_chinese_and_latin(font) ||
            FcPatternGetString(font, FC_FILE, 0, &path) != FcResultMatch) {
            continue;
        }
        int face_index = 0;
        FcPatternGetInteger(font, FC_INDEX, 0, &face_index);
        *file = reinterpret_cast<const char*>(path);
        *index = face_index;
        found = true;
    }
    if (candidates) FcFontSetDestroy(candidates);
    FcPatternDestroy(wanted);
    return found;
}

bool open_face() {
    if (g_face.tried) return g_face.face != nullptr;
    g_face.tried = true;
    std::string file;
    int index = 0;
    if (!find_face_file(&file, &index) || FT_Init_FreeType(&g_face.library) != 0) return false;
    if (FT_New_Face(g_face.library, file.c_str(), index, &g_face.face) != 0) {
        g_face.face = nullptr;
        return false;
    }
    g_face.file = file;
    return true;
}

bool use_size(int pixel_size) {
    if (pixel_size <= 0 || !open_face()) return false;
    if (g_face.size == pixel_size) return true;
    if (FT_Set_Pixel_Sizes(g_face.face, 0, static_cast<FT_UInt>(pixel_size)) != 0) return false;
    g_face.size = pixel_size;
    return true;
}

int32_t scale_units(long units, int pixel_size, int units_per_em) {
    const long long scaled = static_cast<long long>(units) * pixel_size;
    const long long half = units_per_em / 2;
    return static_cast<int32_t>(scaled >= 0 ? (scaled + half) / units_per_em
                                            : -((-scaled + half) / units_per_em));
}

} // namespace

bool glyph_font_metrics(int pixel_size, font_metrics* out) {
    if (!use_size(pixel_size)) return false;
    FT_Face face = g_face.face;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    const int em = face->units_per_EM;
    if (os2 && os2->version != 0xFFFF && hhea && em > 0) {
        const long win_height = long{os2->usWinAscent} + os2->usWinDescent;
        const long hhea_height = long{hhea->Ascender} - hhea->Descender;
        const long leading = std::max(0L, hhea->Line_Gap - (win_height - hhea_height));
        out->ascent = scale_units(os2->usWinAscent, pixel_size, em);
        out->height = out->ascent + scale_units(os2->usWinDescent, pixel_size, em);
        out->external_leading = scale_units(leading, pixel_size, em);
        out->average_char_width = scale_units(os2->xAvgCharWidth, pixel_size, em);
    } else {
        const FT_Size_Metrics& m = face->size->metrics;
        out->ascent = static_cast<int32_t>((m.ascender + 32) >> 6);
        out->height = out->ascent + static_cast<int32_t>((-m.descender + 32) >> 6);
        out->external_leading = 0;
        out->average_char_width = (pixel_size + 1) / 2;
    }
    return true;
}

glyph_result glyph_rasterise(int pixel_size, uint16_t code_unit, glyph_image* out) {
    if (!use_size(pixel_size)) return glyph_result::failed;
    FT_Face face = g_face.face;
    const FT_UInt index = FT_Get_Char_Index(face, code_unit);
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL) != 0) {
        return glyph_result::failed;
    }
    FT_GlyphSlot slot = face->glyph;
    if (slot->metrics.width / 64 > kMaxGlyphSide || slot->metrics.height / 64 > kMaxGlyphSide) {
        return glyph_result::failed;
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return glyph_result::failed;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.width == 0 || bitmap.rows == 0) return glyph_result::no_bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || bitmap.num_grays != 256 || bitmap.pitch <= 0) {
        return glyph_result::failed;
    }
    out->black_box_x = static_cast<int32_t>(bitmap.width);
    out->black_box_y = static_cast<int32_t>(bitmap.rows);
    out->origin_x = slot->bitmap_left;
    out->origin_y = slot->bitmap_top;
    out->cell_inc_x = static_cast<int16_t>((slot->advance.x + 32) >> 6);
    out->stride = (out->black_box_x + 3) / 4 * 4;
    out->coverage.assign(static_cast<size_t>(out->stride) * out->black_box_y, 0);
    for (int y = 0; y < out->black_box_y; ++y) {
        const unsigned char* src = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
        uint8_t* dst = out->coverage.data() + static_cast<size_t>(y) * out->stride;
        for (int x = 0; x < out->black_box_x; ++x) {
            dst[x] = static_cast<uint8_t>((src[x] * 64 + 127) / 255);
        }
    }
    return glyph_result::bitmap;
}

std::string glyph_face_file() {
    open_face();
    return g_face.file;
}

} // namespace qor::host
