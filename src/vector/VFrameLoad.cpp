// Reading vector frame sets (VFSET.dat): one keyword per line, its values on
// the rest of the line. Loading is all or nothing.
#include <cstring>
#include <string>

#include "data/DataFile.h"
#include "platform/Frame.h"
#include "scenario/ScanText.h"
#include "text/Output.h"
#include "vector/VFrame.h"

namespace {

// Largest PIXELS count of one entity.
constexpr int kMaxPixelPairs = 65535;

struct FrameLoader {
  const std::string& directory;
  DataFileReader& reader;
  VFrameSet* set;             // none until FS:
  VFrame* frame = nullptr;    // the current frame
  CBArray* image = nullptr;   // the current image (IC keywords edit it)
  uint8_t editColour[4] = {0, 0, 0, 0};
  std::unique_ptr<VFrameSet> created;

  std::string Rest() {
    const char* t = reader.ReadRestOfLine();
    return t ? std::string(t) : std::string();
  }

  // A new entity of the current frame, or none (no frame, or full).
  VEntity* NewEntity(uint16_t type) {
    if (!frame) return nullptr;
    VEntity* e = frame->FirstFree();
    if (!e) return nullptr;
    *e = VEntity();
    e->type = type;
    return e;
  }

  bool Ints(ScanCursor& s, int32_t* out, int n) {
    for (int i = 0; i < n; ++i)
      if (!s.Int(out[i])) return false;
    return true;
  }
  bool U16s(ScanCursor& s, uint16_t* out, int n) {
    for (int i = 0; i < n; ++i)
      if (!s.U16(out[i])) return false;
    return true;
  }

  std::unique_ptr<CBArray> LoadImage(const std::string& name) {
    auto a = std::make_unique<CBArray>();
    if (!a->Load(directory + "\\" + name) || a->ElementSize() != 4) return nullptr;
    return a;
  }

  bool Line(const char* kw);
  bool Coords4(uint16_t type);
  bool CLine();
  bool PPatBox();
  bool Pixels();
  bool ImageEdit(const char* kw);
  bool ImageRefCopy();
};

bool FrameLoader::Coords4(uint16_t type) {
  std::string text = Rest();
  ScanCursor s(text);
  int32_t v[4];
  if (!Ints(s, v, 4)) return false;
  VEntity* e = NewEntity(type);
  if (!e) return false;
  for (int i = 0; i < 4; ++i) e->c[i] = int16_t(v[i]);
  return true;
}

bool FrameLoader::CLine() {
  std::string text = Rest();
  ScanCursor s(text);
  int32_t v[4];
  if (!Ints(s, v, 4)) return false;
  uint8_t rt = 0;
  float phase = 0.0f;
  std::string word;
  while (s.Word(word)) {
    if (word == "-RT") {
      int32_t n;
      if (!s.Int(n)) {
        PrintLine("ERROR (LoadCreateVFrameSet/CLINE/RT): Missing param");
        return false;
      }
      rt = uint8_t(n);
    } else if (word == "-RAM") {
      if (!s.Float(phase)) {
        PrintLine("ERROR (LoadCreateVFrameSet/CLINE/RAM): Missing param");
        return false;
      }
    } else {
      PrintLine("ERROR (LoadCreateVFrameSet/CLINE): Invalid option: %s", word.c_str());
      return false;
    }
  }
  VEntity* e = NewEntity(VECLine);
  if (!e) return false;
  for (int i = 0; i < 4; ++i) e->c[i] = int16_t(v[i]);
  e->b = rt;
  e->f[0] = phase;
  return true;
}

bool FrameLoader::PPatBox() {
  std::string text = Rest();
  ScanCursor s(text);
  uint16_t v[4];
  if (!U16s(s, v, 4)) return false;
  uint8_t fast = 0, ox = 0, oy = 0;
  std::string word;
  while (s.Word(word)) {
    if (word == "-OFFSET") {
      uint16_t x, y;
      if (!s.U16(x)) {
        PrintLine("ERROR (LoadCreateVFrameSet/PPATBOX/OFFSET): Missing param X");
        return false;
      }
      if (!s.U16(y)) {
        PrintLine("ERROR (LoadCreateVFrameSet/PPATBOX/OFFSET): Missing param Y");
        return false;
      }
      ox = uint8_t(x);
      oy = uint8_t(y);
    } else if (word == "-FAST") {
      fast = 1;
    } else {
      PrintLine("ERROR (LoadCreateVFrameSet/PPATBOX): Invalid option: %s", word.c_str());
      return false;
    }
  }
  VEntity* e = NewEntity(VEPPatBox);
  if (!e) return false;
  e->b = fast;
  e->u[0] = v[0];
  e->u[1] = v[1];
  e->rgb[0] = uint8_t(v[2]);
  e->rgb[1] = uint8_t(v[3]);
  e->rgb[2] = ox;
  e->rgb[3] = oy;
  return true;
}

// The count is on the keyword's line; the pairs may run over further lines.
bool FrameLoader::Pixels() {
  int n = 0;
  if (!reader.ReadInt(&n) || n < 0 || n > kMaxPixelPairs) return false;
  if (!frame) return false;
  std::vector<int16_t> points;
  points.reserve(size_t(n) * 2);
  for (int i = 0; i < 2 * n; ++i) {
    int v;
    if (!reader.ReadInt(&v)) return false;
    points.push_back(int16_t(v));
  }
  VEntity* e = NewEntity(VEPixels);
  if (!e) return false;
  e->points = std::move(points);
  return true;
}

bool FrameLoader::ImageEdit(const char* kw) {
  std::string text = Rest();
  ScanCursor s(text);
  if (std::strcmp(kw, "ICCOLOR") == 0) {
    int32_t v[3];
    if (!Ints(s, v, 3) || !frame || !image) return false;
    MakePixel(editColour, uint8_t(v[0]), uint8_t(v[1]), uint8_t(v[2]));
    return true;
  }
  if (std::strcmp(kw, "ICREPIMAGECOLOR") == 0) {
    int32_t v[3];
    if (!Ints(s, v, 3) || !frame || !image) return false;
    uint8_t from[4];
    MakePixel(from, uint8_t(v[0]), uint8_t(v[1]), uint8_t(v[2]));
    if (!image->ReplaceColour(from, editColour)) {
      PrintLine("ERROR (ICREPIMAGECOLOR): Failed");
      return false;
    }
    return true;
  }
  if (std::strcmp(kw, "ICCOPYIMAGE") == 0) {
    std::string name;
    uint16_t v[6];
    if (!s.Word(name) || !U16s(s, v, 6) || !frame || !image) return false;
    std::unique_ptr<CBArray> source = LoadImage(name);
    if (!source || !image->CopyRegion(*source, v[0], v[1], v[2], v[3], v[4], v[5])) {
      PrintLine("ERROR (ICCOPYIMAGE): Failed");
      return false;
    }
    return true;
  }
  uint16_t v[4];
  if (!U16s(s, v, 4) || !frame || !image) return false;
  if (std::strcmp(kw, "ICIMAGEBOX") == 0) {
    if (!image->FillRect(editColour, v[0], v[1], v[2], v[3])) {
      PrintLine("ERROR (ICIMAGEBOX): Failed");
      return false;
    }
  } else if (std::strcmp(kw, "ICIMAGELINE") == 0) {
    if (!image->PlotLine(editColour, v[0], v[1], v[2], v[3])) {
      PrintLine("ERROR (ICIMAGELINE): Failed");
      return false;
    }
  } else {
    if (!image->FillToBoundaryV(editColour, editColour, v[0], v[1], v[2], v[3], 0, 0)) {
      PrintLine("ERROR (ICIMAGEVFILL): Failed");
      return false;
    }
  }
  return true;
}

bool FrameLoader::ImageRefCopy() {
  std::string text = Rest();
  ScanCursor s(text);
  uint16_t frameID;
  int16_t number;
  if (!s.U16(frameID) || !s.S16(number) || !frame || !set) return false;
  VFrame* from = set->Get(frameID);
  if (!from) {
    PrintLine("ERROR (IMAGEREFCOPY): Could not get frame %d", frameID);
    return false;
  }
  CBArray* source = GetFrameImage(from, number);
  if (!source) {
    PrintLine("ERROR (IMAGEREFCOPY): Could not get image %d", number);
    return false;
  }
  auto copy = std::make_unique<CBArray>();
  if (!copy->InitByCopy(*source)) {
    PrintLine("ERROR (IMAGEREFCOPY): Could not init new image by copy");
    return false;
  }
  VEntity* e = NewEntity(VEImage);
  if (!e) {
    PrintLine("ERROR (IMAGEREFCOPY): Could not create add new image to frame");
    return false;
  }
  e->image = std::move(copy);
  image = e->image.get();
  return true;
}

bool FrameLoader::Line(const char* kw) {
  if (std::strcmp(kw, "FS:") == 0) {
    std::string text = Rest();
    ScanCursor s(text);
    int32_t n;
    if (!s.Int(n) || set) return false;
    created = std::make_unique<VFrameSet>();
    if (!created->Init(n)) return false;
    set = created.get();
    return true;
  }
  if (std::strcmp(kw, "F:") == 0) {
    std::string text = Rest();
    ScanCursor s(text);
    uint16_t id;
    int32_t capacity;
    if (!s.U16(id) || !s.Int(capacity) || !set) return false;
    auto f = std::make_unique<VFrame>();
    if (!f->Init(capacity)) return false;
    VFrame* raw = f.get();
    if (!set->AddNext(id, std::move(f))) return false;
    frame = raw;
    image = nullptr;
    return true;
  }
  if (!std::strcmp(kw, "LINE")) return Coords4(VELine);
  if (!std::strcmp(kw, "VFILL")) return Coords4(VEVFill);
  if (!std::strcmp(kw, "HFILL")) return Coords4(VEHFill);
  if (!std::strcmp(kw, "BOX")) return Coords4(VEBox);
  if (!std::strcmp(kw, "CLINE")) return CLine();
  if (!std::strcmp(kw, "PPATBOX")) return PPatBox();
  if (!std::strcmp(kw, "PIXELS")) return Pixels();
  if (!std::strcmp(kw, "IMAGEREFCOPY")) return ImageRefCopy();
  if (!std::strcmp(kw, "ICCOLOR") || !std::strcmp(kw, "ICIMAGEBOX") ||
      !std::strcmp(kw, "ICIMAGELINE") || !std::strcmp(kw, "ICIMAGEVFILL") ||
      !std::strcmp(kw, "ICREPIMAGECOLOR") || !std::strcmp(kw, "ICCOPYIMAGE"))
    return ImageEdit(kw);
  if (!std::strcmp(kw, "HFILLFVL")) {
    std::string text = Rest();
    ScanCursor s(text);
    int32_t v[4] = {0, 0, 0, 0};
    if (!Ints(s, v, 3)) return false;
    s.Int(v[3]);
    VEntity* e = NewEntity(VEHFillFVL);
    if (!e) return false;
    for (int i = 0; i < 3; ++i) e->c[i] = int16_t(v[i]);
    e->b = uint8_t(v[3]);
    return true;
  }
  if (!std::strcmp(kw, "IMAGE")) {
    std::string text = Rest(), name;
    ScanCursor s(text);
    if (!s.Word(name) || !frame) return false;
    std::unique_ptr<CBArray> a = LoadImage(name);
    if (!a) return false;
    VEntity* e = NewEntity(VEImage);
    if (!e) return false;
    e->image = std::move(a);
    image = e->image.get();
    return true;
  }
  if (!std::strcmp(kw, "IMAGEREF")) {
    std::string text = Rest();
    ScanCursor s(text);
    uint16_t v[2];
    if (!U16s(s, v, 2)) return false;
    VEntity* e = NewEntity(VEImageRef);
    if (!e) return false;
    e->u[0] = v[0];
    e->u[1] = v[1];
    return true;
  }
  if (!std::strcmp(kw, "FRAME") || !std::strcmp(kw, "TYPE")) {
    std::string text = Rest();
    ScanCursor s(text);
    uint16_t v;
    if (!s.U16(v)) return false;
    bool isFrame = kw[0] == 'F';
    VEntity* e = NewEntity(isFrame ? VEFrame : VEType);
    if (!e) return false;
    if (isFrame) e->u[0] = v;
    else e->b = uint8_t(v);
    return true;
  }
  if (!std::strcmp(kw, "COLOR")) {
    std::string text = Rest();
    ScanCursor s(text);
    int32_t v[3];
    if (!Ints(s, v, 3)) return false;
    VEntity* e = NewEntity(VEColor);
    if (!e) return false;
    for (int i = 0; i < 3; ++i) e->rgb[i] = uint8_t(v[i]);
    return true;
  }
  if (!std::strcmp(kw, "REV")) {
    std::string text = Rest();
    ScanCursor s(text);
    int32_t v[4];
    if (!Ints(s, v, 4)) return false;
    VEntity* e = NewEntity(VERev);
    if (!e) return false;
    const uint8_t bits[4] = {VRevX1, VRevY1, VRevX2, VRevY2};
    for (int i = 0; i < 4; ++i)
      if (v[i] != 0) e->b |= bits[i];
    return true;
  }
  struct FloatWord {
    const char* word;
    uint16_t type;
  };
  static const FloatWord kFloats[] = {
      {"SCALE", VEScale}, {"RA", VERa}, {"RA2", VERa2}, {"CSCALE", VECScale}};
  for (const FloatWord& fw : kFloats) {
    if (std::strcmp(kw, fw.word) != 0) continue;
    std::string text = Rest();
    ScanCursor s(text);
    float a, b;
    if (!s.Float(a) || !s.Float(b)) return false;
    VEntity* e = NewEntity(fw.type);
    if (!e) return false;
    e->f[0] = a;
    e->f[1] = b;
    return true;
  }
  if (!std::strcmp(kw, "OFFSET")) {
    std::string text = Rest();
    ScanCursor s(text);
    int32_t v[2];
    if (!Ints(s, v, 2)) return false;
    VEntity* e = NewEntity(VEOffset);
    if (!e) return false;
    e->c[0] = int16_t(v[0]);
    e->c[1] = int16_t(v[1]);
    return true;
  }
  struct BareWord {
    const char* word;
    uint16_t type;
  };
  static const BareWord kBare[] = {{"CEND", VECEnd},   {"CELSE", VECElse}, {"DBGON", VEDbgOn},
                                   {"DBG", VEDbg},     {"TEST", VETest}};
  for (const BareWord& bw : kBare)
    if (std::strcmp(kw, bw.word) == 0) return NewEntity(bw.type) != nullptr;
  return true;  // unknown keywords are passed over
}

int ReadFrameLines(const std::string& directory, DataFileReader& reader, VFrameSet* set,
                   VFrame** currentFrame, std::unique_ptr<VFrameSet>* created) {
  FrameLoader loader{directory, reader, set, nullptr, nullptr, {0, 0, 0, 0}, nullptr};
  if (currentFrame) loader.frame = *currentFrame;
  bool ok = true;
  while (const char* kw = reader.NextKeyword()) {
    if (!loader.Line(kw)) {
      ok = false;
      break;
    }
    reader.SkipLine();
  }
  if (currentFrame) *currentFrame = loader.frame;
  if (!ok) {
    PrintLine("ERROR (LoadCreateVFrameSet): Failed");
    return 0;
  }
  if (created) *created = std::move(loader.created);
  return 1;
}

std::unique_ptr<VFrameSet> LoadFrom(const std::string& directory, DataFileReader& reader) {
  std::unique_ptr<VFrameSet> created;
  if (!ReadFrameLines(directory, reader, nullptr, nullptr, &created)) return nullptr;
  if (!created) {
    PrintLine("ERROR (LoadCreateVFrameSet): Failed");
    return nullptr;
  }
  return created;
}

}  // namespace

std::unique_ptr<VFrameSet> LoadCreateVFrameSet(const std::string& directory,
                                               const std::string& fileName) {
  DataFileReader reader;
  if (!reader.Open(directory + "\\" + fileName)) return nullptr;
  return LoadFrom(directory, reader);
}

std::unique_ptr<VFrameSet> LoadCreateVFrameSetFromText(const std::string& directory,
                                                       const std::string& text) {
  DataFileReader reader;
  reader.OpenText(text);
  return LoadFrom(directory, reader);
}

int LoadIntoVFrameSet(const std::string& directory, const std::string& text, VFrameSet* set,
                      VFrame** currentFrame) {
  if (!set) return 0;
  DataFileReader reader;
  reader.OpenText(text);
  return ReadFrameLines(directory, reader, set, currentFrame, nullptr);
}
