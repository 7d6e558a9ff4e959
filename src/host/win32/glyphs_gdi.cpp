// Glyphs on Windows: GDI's font mapper picks the face for the request below,
// GetGlyphOutlineW(GGO_GRAY8_BITMAP) rasterises it with its native 65 levels
// (0..64), so the coverage needs no mapping.
//
// The font request: "Microsoft YaHei", em height = pixel size (a negative
// height), default width, no escapement or orientation, weight 400, upright,
// no underline or strike-out, character set GB2312 (134), default output and
// clipping precision, anti-aliased quality, default pitch and family. Where
// the face is missing the mapper substitutes one that holds GB2312, so
// Chinese and Latin still share one face.
//
// One memory DC holds the font of the size asked last; asking another size
// swaps the font. Callers serialise every call (see host_glyphs.h).
#include "host/host_glyphs.h"
#include "host/win32/wide.h"

#include <windows.h>

namespace qor::host {
namespace {

// Glyphs larger than this on either side are refused rather than allocated.
constexpr UINT kMaxGlyphSide = 4096;

// 16.16 fixed point 1, 0, 0, 1: glyphs are neither scaled nor slanted.
constexpr MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

struct gdi_face {
    HDC dc = nullptr;
    HFONT font = nullptr; // selected into dc
    int size = 0;         // the em height of `font`
};

gdi_face g_face;

HFONT create_font(int pixel_size) {
    return CreateFontW(-pixel_size, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, L"Microsoft YaHei");
}

bool use_size(int pixel_size) {
    if (pixel_size <= 0) return false;
    if (g_face.font && g_face.size == pixel_size) return true;
    if (!g_face.dc) g_face.dc = CreateCompatibleDC(nullptr);
    if (!g_face.dc) return false;
    HFONT font = create_font(pixel_size);
    if (!font) return false;
    const HGDIOBJ previous = SelectObject(g_face.dc, font);
    if (!previous || previous == HGDI_ERROR) {
        DeleteObject(font);
        return false;
    }
    // The old font is no longer selected, so it can go.
    if (g_face.font) DeleteObject(g_face.font);
    g_face.font = font;
    g_face.size = pixel_size;
    return true;
}

// Both a Chinese and a Latin letter have glyphs of their own in the face
// the mapper chose (not the face's "missing glyph" box).
bool face_covers_chinese_and_latin() {
    const wchar_t probe[] = {0x4E2D, L'A'};
    WORD indices[2] = {};
    if (GetGlyphIndicesW(g_face.dc, probe, 2, indices, GGI_MARK_NONEXISTING_GLYPHS) != 2)
        return false;
    return indices[0] != 0xFFFF && indices[1] != 0xFFFF;
}

} // namespace

bool glyph_font_metrics(int pixel_size, font_metrics* out) {
    if (!use_size(pixel_size)) return false;
    TEXTMETRICW metrics{};
    if (!GetTextMetricsW(g_face.dc, &metrics)) return false;
    out->ascent = metrics.tmAscent;
    out->height = metrics.tmHeight;
    out->external_leading = metrics.tmExternalLeading;
    out->average_char_width = metrics.tmAveCharWidth;
    return true;
}

glyph_result glyph_rasterise(int pixel_size, uint16_t code_unit, glyph_image* out) {
    if (!use_size(pixel_size)) return glyph_result::failed;
    GLYPHMETRICS gm{};
    const DWORD size =
        GetGlyphOutlineW(g_face.dc, code_unit, GGO_GRAY8_BITMAP, &gm, 0, nullptr, &kIdentity);
    if (size == GDI_ERROR) return glyph_result::failed;
    if (size == 0) return glyph_result::no_bitmap;
    if (gm.gmBlackBoxX > kMaxGlyphSide || gm.gmBlackBoxY > kMaxGlyphSide)
        return glyph_result::failed;
    const int32_t width = static_cast<int32_t>(gm.gmBlackBoxX);
    const int32_t height = static_cast<int32_t>(gm.gmBlackBoxY);
    const int32_t stride = (width + 3) / 4 * 4;
    if (size < static_cast<DWORD>(stride) * static_cast<DWORD>(height)) return glyph_result::failed;
    out->coverage.assign(size, 0);
    if (GetGlyphOutlineW(g_face.dc, code_unit, GGO_GRAY8_BITMAP, &gm, size, out->coverage.data(),
                         &kIdentity) == GDI_ERROR)
        return glyph_result::failed;
    out->coverage.resize(static_cast<size_t>(stride) * height);
    out->black_box_x = width;
    out->black_box_y = height;
    out->origin_x = gm.gmptGlyphOrigin.x;
    out->origin_y = gm.gmptGlyphOrigin.y;
    out->cell_inc_x = gm.gmCellIncX;
    out->stride = stride;
    return glyph_result::bitmap;
}

std::string glyph_face_file() {
    if (!g_face.font && !use_size(12)) return {};
    if (!face_covers_chinese_and_latin()) return {};
    wchar_t name[LF_FACESIZE] = {};
    if (GetTextFaceW(g_face.dc, LF_FACESIZE, name) == 0) return {};
    return win32::narrow(name);
}

} // namespace qor::host
