#include "platform/FreeTypeFonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <strings.h>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Cp1252.h"

namespace {

constexpr const char* kLastResortFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
constexpr const char* kLastResortBoldFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";

struct FaceFile {
  std::string path;
  int index = 0;
  bool bold = false;  // the file itself is a bold face
};

using Library = std::shared_ptr<std::remove_pointer_t<FT_Library>>;

struct Glyph {
  int left = 0;     // from the pen position
  int top = 0;      // above the baseline
  int advance = 0;  // pixels
  int width = 0;
  int rows = 0;
  std::vector<uint8_t> coverage;  // width * rows, 0-255
};

bool FileExists(const char* path) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

uint32_t Blend(uint32_t fg, uint32_t bg, unsigned a) {
  if (a >= 255) return fg;
  if (a == 0) return bg;
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    unsigned f = (fg >> shift) & 0xFF, b = (bg >> shift) & 0xFF;
    unsigned c = (f * a + b * (255 - a) + 127) / 255;
    out |= c << shift;
  }
  return out;
}

class FreeTypeFont : public Font {
 public:
  FreeTypeFont(Library library, FT_Face face, bool emboldenGlyphs)
      : library_(std::move(library)), face_(face), embolden_(emboldenGlyphs) {}
  ~FreeTypeFont() override { FT_Done_Face(face_); }

  // Sizes the face for a cell `height` pixels high (and at most `cellWidth`
  // wide when given) and works out the metrics.
  bool Setup(int height, int cellWidth) {
    if (FT_IS_SCALABLE(face_)) {
      double lineUnits = static_cast<double>(face_->ascender - face_->descender);
      if (lineUnits <= 0) lineUnits = face_->units_per_EM;
      double em = height * face_->units_per_EM / lineUnits;
      if (cellWidth > 0) {
        FT_UInt index = FT_Get_Char_Index(face_, '0');
        double advanceUnits = face_->max_advance_width;
        if (index && FT_Load_Glyph(face_, index, FT_LOAD_NO_SCALE) == 0)
          advanceUnits = face_->glyph->advance.x;
        if (advanceUnits > 0) em = std::min(em, cellWidth * face_->units_per_EM / advanceUnits);
      }
      if (em < 1) em = 1;
      if (FT_Set_Char_Size(face_, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72) != 0)
        return false;
    } else if (face_->num_fixed_sizes > 0) {
      int best = 0;
      for (int i = 1; i < face_->num_fixed_sizes; ++i) {
        if (std::abs(face_->available_sizes[i].height - height) <
            std::abs(face_->available_sizes[best].height - height))
          best = i;
      }
      if (FT_Select_Size(face_, best) != 0) return false;
    } else {
      return false;
    }
    int ascent = static_cast<int>((face_->size->metrics.ascender + 63) / 64);
    int descent = static_cast<int>((-face_->size->metrics.descender + 63) / 64);
    baseline_ = (height - (ascent + descent)) / 2 + ascent;
    metrics_.height = height;
    if (cellWidth > 0) {
      metrics_.averageWidth = cellWidth;
      metrics_.spaceWidth = cellWidth;
      metrics_.fixedPitch = true;
    } else {
      const Glyph* zero = GlyphFor('0');
      const Glyph* space = GlyphFor(' ');
      metrics_.averageWidth = std::max(1, zero ? zero->advance : height / 2);
      metrics_.spaceWidth = space ? space->advance : 0;
      metrics_.fixedPitch = FT_IS_FIXED_WIDTH(face_);
    }
    return true;
  }

  const FontMetrics& Metrics() const override { return metrics_; }

  void DrawText(Canvas& canvas, int x, int y, const char* text, size_t length, uint32_t textColour,
                uint32_t backColour) const override {
    if (!text) return;
    const int cellW = metrics_.averageWidth, cellH = metrics_.height;
    const int clipY0 = std::max(y, 0), clipY1 = std::min(y + cellH, canvas.height);
    {
      // The background of every cell in one fill per pixel row; each glyph
      // below stays inside its own cell.
      const long runX0 = std::max<long>(x, 0);
      const long runX1 = std::min<long>(x + static_cast<long>(length) * cellW, canvas.width);
      for (int py = clipY0; py < clipY1 && runX0 < runX1; ++py)
        std::fill(canvas.Row(py) + runX0, canvas.Row(py) + runX1, backColour);
    }
    for (size_t i = 0; i < length; ++i) {
      long cellX = x + static_cast<long>(i) * cellW;
      if (cellX >= canvas.width) break;
      if (cellX + cellW <= 0) continue;
      int cx = static_cast<int>(cellX);
      // Clip to the cell and the canvas.
      int clipX0 = std::max(cx, 0), clipX1 = std::min(cx + cellW, canvas.width);
      const Glyph* g = GlyphFor(static_cast<uint8_t>(text[i]));
      if (!g || g->coverage.empty()) continue;
      int gx = cx + (cellW - g->advance) / 2 + g->left;
      int gy = y + baseline_ - g->top;
      for (int r = 0; r < g->rows; ++r) {
        int py = gy + r;
        if (py < clipY0 || py >= clipY1) continue;
        uint32_t* row = canvas.Row(py);
        const uint8_t* cov = g->coverage.data() + static_cast<size_t>(r) * g->width;
        for (int c = 0; c < g->width; ++c) {
          int px = gx + c;
          if (px < clipX0 || px >= clipX1 || cov[c] == 0) continue;
          row[px] = Blend(textColour, backColour, cov[c]);
        }
      }
    }
  }

 private:
  const Glyph* GlyphFor(uint8_t byte) const {
    std::optional<Glyph>& slot = cache_[byte];
    if (slot) return &*slot;
    slot.emplace();
    uint32_t cp = Cp1252ToUnicode(byte);
    if (cp < 32 || cp == 127) return &*slot;  // control bytes draw as blank cells
    FT_UInt index = FT_Get_Char_Index(face_, cp);
    if (index == 0) index = FT_Get_Char_Index(face_, '?');
    if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT) != 0) return &*slot;
    if (embolden_) FT_GlyphSlot_Embolden(face_->glyph);
    if (FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL) != 0) return &*slot;
    const FT_Bitmap& bm = face_->glyph->bitmap;
    Glyph& g = *slot;
    g.left = face_->glyph->bitmap_left;
    g.top = face_->glyph->bitmap_top;
    g.advance = static_cast<int>((face_->glyph->advance.x + 32) / 64);
    g.width = static_cast<int>(bm.width);
    g.rows = static_cast<int>(bm.rows);
    g.coverage.assign(static_cast<size_t>(g.width) * g.rows, 0);
    for (int r = 0; r < g.rows; ++r) {
      const unsigned char* src = bm.buffer + static_cast<long>(r) * bm.pitch;
      for (int c = 0; c < g.width; ++c) {
        uint8_t v = 0;
        if (bm.pixel_mode == FT_PIXEL_MODE_MONO) v = (src[c >> 3] & (0x80 >> (c & 7))) ? 255 : 0;
        else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) v = src[c];
        g.coverage[static_cast<size_t>(r) * g.width + c] = v;
      }
    }
    return &g;
  }

  Library library_;
  FT_Face face_;
  bool embolden_;
  FontMetrics metrics_;
  int baseline_ = 0;
  mutable std::array<std::optional<Glyph>, 256> cache_;
};

// Asks fontconfig for `family`. A match is taken when it is the family asked
// for or a monospace face (fontconfig maps e.g. "Courier New" to a metric
// twin).
std::optional<FaceFile> MatchFace(const std::string& family, bool bold) {
  FcPattern* pattern = FcPatternCreate();
  if (!pattern) return std::nullopt;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return std::nullopt;
  std::optional<FaceFile> found;
  FcChar8* file = nullptr;
  FcChar8* matchedFamily = nullptr;
  int index = 0, spacing = FC_PROPORTIONAL, weight = FC_WEIGHT_REGULAR;
  if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternGetInteger(match, FC_SPACING, 0, &spacing);
    FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
    bool sameFamily = FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch &&
                      strcasecmp(reinterpret_cast<const char*>(matchedFamily), family.c_str()) == 0;
    if (sameFamily || spacing == FC_MONO) {
      found = FaceFile{reinterpret_cast<const char*>(file), index, weight >= FC_WEIGHT_BOLD};
    }
  }
  FcPatternDestroy(match);
  return found;
}

class FreeTypeFontService : public FontService {
 public:
  explicit FreeTypeFontService(bool fixedMetrics) : fixedMetrics_(fixedMetrics) {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) == 0) library_ = Library(lib, FT_Done_FreeType);
  }

  std::unique_ptr<Font> CreateFont(int stockId, const std::string& face, int height,
                                   int weight) override {
    if (!library_) return nullptr;
    std::string family = face;
    if (stockId == 16) {
      family = "Fixedsys";
      height = 15;
      weight = 400;
    } else if (stockId == 11) {
      family = "Courier";
      height = 13;
      weight = 400;
    }
    height = std::abs(height);
    if (height == 0) height = 15;
    if (height > 512) height = 512;
    bool bold = weight >= 700;
    for (const FaceFile& candidate : Candidates(family, bold)) {
      FT_Face ftFace = nullptr;
      if (FT_New_Face(library_.get(), candidate.path.c_str(), candidate.index, &ftFace) != 0) continue;
      auto font = std::make_unique<FreeTypeFont>(library_, ftFace, bold && !candidate.bold);
      if (font->Setup(height, fixedMetrics_ ? FixedCellWidth(height) : 0)) return font;
    }
    return nullptr;
  }

 private:
  // The faces to try in order: the one asked for, the monospace default,
  // DejaVu Sans Mono by name and by its usual path. With fixed metrics
  // DejaVu Sans Mono comes first whatever the name, so that headless
  // pictures are the same on every machine that has it.
  std::vector<FaceFile> Candidates(const std::string& family, bool bold) {
    auto key = std::make_pair(family, bold);
    auto it = matches_.find(key);
    if (it != matches_.end()) return it->second;
    std::vector<FaceFile> list;
    if (fixedMetrics_) {
      if (bold) list.push_back(FaceFile{kLastResortBoldFont, 0, true});
      list.push_back(FaceFile{kLastResortFont, 0, false});
    }
    if (!fontconfigTried_) {
      fontconfigTried_ = true;
      // Skipped when a fixed face will do: fontconfig's start-up is slow.
      if (!fixedMetrics_ || !FileExists(kLastResortFont)) fontconfigReady_ = FcInit() == FcTrue;
    }
    if (fontconfigReady_) {
      for (const std::string& name : {family, std::string("monospace"), std::string("DejaVu Sans Mono")}) {
        if (name.empty()) continue;
        if (auto f = MatchFace(name, bold)) list.push_back(*f);
      }
    }
    list.push_back(FaceFile{kLastResortFont, 0, false});
    matches_[key] = list;
    return list;
  }

  bool fixedMetrics_;
  bool fontconfigTried_ = false;
  bool fontconfigReady_ = false;
  Library library_;
  std::map<std::pair<std::string, bool>, std::vector<FaceFile>> matches_;
};

}  // namespace

std::unique_ptr<FontService> CreateFreeTypeFontService(bool fixedMetrics) {
  return std::make_unique<FreeTypeFontService>(fixedMetrics);
}
