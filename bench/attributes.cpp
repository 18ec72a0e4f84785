// Resource text of 10,000 polygons with every attribute they publish, written by the objects and
// read back through their dictionaries (change callbacks included), against the same numbers
// written and parsed with plain string streams; plus the cost of creating an attribute name and
// of looking attributes up.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "orvan/attrib_dict.h"
#include "orvan/gl_polygon.h"
#include "orvan/resource_filter.h"

namespace {

using namespace orvan;

constexpr int kPolygons = 10000;
constexpr unsigned int kVerticesPerPolygon = 4;

// A polygon with a value other than the default in every attribute, varied by seed.
std::unique_ptr<GLPolygon> MakePolygon(int seed) {
  const float s = static_cast<float>(seed);
  Vertex corners[kVerticesPerPolygon];
  Vector normals[kVerticesPerPolygon];
  Vector coords[kVerticesPerPolygon];
  for (unsigned int i = 0; i < kVerticesPerPolygon; ++i) {
    const float f = static_cast<float>(i);
    corners[i] = Vertex(s * 0.5f + f * 1.5f, s * 0.1f - f, 0.25f * f,
                        vesColor(static_cast<unsigned char>(i * 60), 200, static_cast<unsigned char>(seed), 255));
    normals[i] = Vector(0.0f, f * 0.25f, 1.0f);
    coords[i] = Vector(f * 0.3333f, 1.0f - f * 0.25f, 0.0f);
  }
  auto p = std::make_unique<GLPolygon>(kVerticesPerPolygon, corners);
  p->InstanceName(("poly" + std::to_string(seed)).c_str());
  p->Visibility(seed % 2 == 0);
  p->Pickable(static_cast<unsigned char>(seed % 4));
  p->RotationPoint(0.5f, 0.25f, s * 0.01f);
  p->DynamicRotate(10.0f, 20.0f, s * 0.1f);
  p->DynamicTranslate(1.0f, 2.0f, s * 0.001f);
  p->DynamicScale(2.0f, 0.5f, 1.5f);
  VesMatrix<double, 4> dcs;
  dcs.Data()[12] = s * 0.75;
  dcs.Data()[13] = 6.0;
  p->DCSMatrix(dcs);
  p->LineWidth(1.0f + 0.25f * static_cast<float>(seed % 4));
  p->CullBackFace(1);
  p->AlphaMode(2);
  p->AntiAlias(true);
  p->DepthTest(0);
  p->SetColor(vesColor(static_cast<unsigned char>(seed), 128, 64, 255));
  p->TextureIndex(seed % 9);
  p->TextureRepeat(0);
  p->TextureMappingTechnique(2);
  p->SetBlendColor(vesColor(1, 2, 3, 4));
  p->TextureMinificationFilter(3);
  p->TextureMagnificationFilter(0);
  p->PolygonMode(4);
  p->PolygonEnd(0);
  p->PolygonOffset(-(seed % 3) - 1);
  p->Shading(1);
  p->ColorMaterialMode(5);
  p->LineStippleMultiplier(4);
  p->LineStipplePattern(0x0F0F);
  p->Blinking(true);
  p->BlinkRate(0.5f + static_cast<float>(seed % 7));
  p->LightingEnabled(true);
  p->MaterialIndex(seed % 5 + 1);
  Vector* points = p->GetTexturePoints();
  for (int i = 0; i < 4; ++i) points[i] = Vector(static_cast<float>(i), 0.5f, s * 0.01f);
  p->SetTexCoords(kVerticesPerPolygon, coords);
  p->SetNormals(kVerticesPerPolygon, normals);
  return p;
}

using Polygons = std::vector<std::unique_ptr<GLPolygon>>;

// The attribute system: each polygon's own lines, without prefix, closed by a "}" line, which is
// where a dictionary's reading stops. Resource files are written in fixed notation.
std::string WriteWithAttributes(Polygons& polygons) {
  std::ostringstream os;
  os.setf(std::ios::fixed, std::ios::floatfield);
  VesResourceFilter bare;
  bare.QualificationLevels(0);
  for (auto& polygon : polygons) {
    polygon->GetResources(os, &bare);
    os << "}\n";
  }
  return os.str();
}

void ReadWithAttributes(Polygons& polygons, const std::string& text) {
  std::istringstream is(text);
  for (auto& polygon : polygons) polygon->Attributes()->Read(is);
}

// The baseline: the same numbers in the same lines (enumerations as numbers), in plain records
// with no attribute objects in between.
struct PlainPolygon {
  std::string name;
  Vector location, rotationOrigin, rotation, translate, scale;
  bool visible, antiAlias, blink, lighting;
  unsigned char pickable, cullBackFace, depthTest, textureRepeat, textureMap, minFilter, magFilter, polygonMode,
      polygonEnd, colorMaterialMode, stippleMultiplier;
  unsigned short stipplePattern;
  double dcs[16];
  float lineWidth, blinkRate;
  int alphaMode, textureIndex, polygonOffset, shading, materialIndex;
  vesColor color, blendColor;
  std::vector<Vertex> vertices;
  Vector texturePoints[4];
  std::vector<Vector> texCoords, normals;

  explicit PlainPolygon(GLPolygon& p)
      : name(p.InstanceName()), location(p.Location()), rotationOrigin(p.RotationPointRelative()),
        rotation(p.DynamicRotation()), translate(p.DynamicTranslation()), scale(p.DynamicScale()),
        visible(p.Visibility()), antiAlias(p.AntiAlias()), blink(p.Blinking()), lighting(p.LightingEnabled()),
        pickable(p.Pickable()), cullBackFace(static_cast<unsigned char>(p.CullBackFace())),
        depthTest(static_cast<unsigned char>(p.DepthTest())),
        textureRepeat(static_cast<unsigned char>(p.TextureRepeat())),
        textureMap(static_cast<unsigned char>(p.TextureMappingTechnique())),
        minFilter(static_cast<unsigned char>(p.TextureMinificationFilter())),
        magFilter(static_cast<unsigned char>(p.TextureMagnificationFilter())),
        polygonMode(static_cast<unsigned char>(p.PolygonMode())),
        polygonEnd(static_cast<unsigned char>(p.PolygonEnd())),
        colorMaterialMode(static_cast<unsigned char>(p.ColorMaterialMode())),
        stippleMultiplier(static_cast<unsigned char>(p.LineStippleMultiplier())),
        stipplePattern(static_cast<unsigned short>(p.LineStipplePattern())), lineWidth(p.LineWidth()),
        blinkRate(p.BlinkRate()), alphaMode(p.AlphaMode()), textureIndex(p.TextureIndex()),
        polygonOffset(p.PolygonOffset()), shading(p.Shading()), materialIndex(p.MaterialIndex()),
        color(p.GetColor()), blendColor(p.GetBlendColor()),
        vertices(p.Vertices(), p.Vertices() + p.NumberOfVertices()),
        texCoords(p.TextureCoordinates(), p.TextureCoordinates() + p.TextureCoordinateCount()),
        normals(p.Normals(), p.Normals() + p.NumberOfVertices()) {
    std::copy(p.DCSMatrix().Data(), p.DCSMatrix().Data() + 16, dcs);
    std::copy(p.GetTexturePoints(), p.GetTexturePoints() + 4, texturePoints);
  }
};

using PlainPolygons = std::vector<PlainPolygon>;

void WriteColor(std::ostream& os, const vesColor& c) {
  os << int(c.red) << ' ' << int(c.green) << ' ' << int(c.blue) << ' ' << int(c.alpha);
}
void WriteVector(std::ostream& os, const Vector& v) { os << v.x << ' ' << v.y << ' ' << v.z; }
void WriteVectors(std::ostream& os, const std::vector<Vector>& vs) {
  os << vs.size();
  for (const Vector& v : vs) WriteVector(os << '\n', v);
  os << '\n';
}

std::string WriteBaseline(const PlainPolygons& polygons) {
  std::ostringstream os;
  os.setf(std::ios::fixed, std::ios::floatfield);
  os.precision(10);
  for (const auto& p : polygons) {
    os << "Name: " << p.name << '\n' << "Location: ";
    WriteVector(os, p.location);
    os << '\n' << "Visible: " << p.visible << '\n' << "Pickable: " << int(p.pickable) << '\n' << "RotationOrigin: ";
    WriteVector(os, p.rotationOrigin);
    os << '\n' << "Rotation: ";
    WriteVector(os, p.rotation);
    os << '\n' << "DynamicTranslate: ";
    WriteVector(os, p.translate);
    os << '\n' << "DynamicScale: ";
    WriteVector(os, p.scale);
    os << '\n' << "DCSMatrix:";
    for (double d : p.dcs) os << ' ' << d;
    os << '\n' << "LineWidth: " << p.lineWidth << '\n' << "CullBackFace: " << int(p.cullBackFace) << '\n';
    os << "AlphaMode: " << p.alphaMode << '\n' << "AntiAlias: " << p.antiAlias << '\n';
    os << "DepthTest: " << int(p.depthTest) << '\n' << "Color: ";
    WriteColor(os, p.color);
    os << '\n' << "TextureIndex: " << p.textureIndex << '\n' << "TextureRepeat: " << int(p.textureRepeat) << '\n';
    os << "TextureMap: " << int(p.textureMap) << '\n' << "BlendColor: ";
    WriteColor(os, p.blendColor);
    os << '\n' << "TextureMinFilter: " << int(p.minFilter) << '\n' << "TextureMagFilter: " << int(p.magFilter) << '\n';
    os << "PolygonMode: " << int(p.polygonMode) << '\n' << "PolygonEnd: " << int(p.polygonEnd) << '\n';
    os << "PolygonOffset: " << p.polygonOffset << '\n' << "Shading: " << p.shading << '\n';
    os << "ColorMaterialMode: " << int(p.colorMaterialMode) << '\n';
    os << "LineStippleMultiplier: " << int(p.stippleMultiplier) << '\n';
    os << "LineStipplePattern: " << p.stipplePattern << '\n' << "Blink: " << p.blink << '\n';
    os << "BlinkRate: " << p.blinkRate << '\n' << "LightingEnabled: " << p.lighting << '\n';
    os << "MaterialIndex: " << p.materialIndex << '\n' << "Vertices: " << p.vertices.size();
    for (const Vertex& v : p.vertices) {
      WriteVector(os << '\n', v);
      WriteColor(os << ' ', v.color);
    }
    os << '\n' << "TexturePoints:";
    for (const Vector& v : p.texturePoints) WriteVector(os << '\n', v);
    os << '\n' << "TextureCoords: ";
    WriteVectors(os, p.texCoords);
    os << "Normals: ";
    WriteVectors(os, p.normals);
    os << "}\n";
  }
  return os.str();
}

void ReadColor(std::istream& is, vesColor& c) {
  int r = 0, g = 0, b = 0, a = 0;
  is >> r >> g >> b >> a;
  c = vesColor(static_cast<unsigned char>(r), static_cast<unsigned char>(g), static_cast<unsigned char>(b),
               static_cast<unsigned char>(a));
}
void ReadVector(std::istream& is, Vector& v) { is >> v.x >> v.y >> v.z; }
template <typename Small>
void ReadSmall(std::istream& is, Small& v) {
  int read = 0;
  is >> read;
  v = static_cast<Small>(read);
}
void ReadVectors(std::istream& is, std::vector<Vector>& vs) {
  std::size_t count = 0;
  is >> count;
  vs.resize(count);
  for (Vector& v : vs) ReadVector(is, v);
}

void ReadBaseline(PlainPolygons& polygons, const std::string& text) {
  std::istringstream is(text);
  std::string label;
  for (auto& p : polygons) {
    auto skip = [&] { std::getline(is >> std::ws, label, ':'); };
    skip();
    is.get();
    std::getline(is, p.name);
    skip(); ReadVector(is, p.location);
    skip(); is >> p.visible;
    skip(); ReadSmall(is, p.pickable);
    skip(); ReadVector(is, p.rotationOrigin);
    skip(); ReadVector(is, p.rotation);
    skip(); ReadVector(is, p.translate);
    skip(); ReadVector(is, p.scale);
    skip(); for (double& d : p.dcs) is >> d;
    skip(); is >> p.lineWidth;
    skip(); ReadSmall(is, p.cullBackFace);
    skip(); is >> p.alphaMode;
    skip(); is >> p.antiAlias;
    skip(); ReadSmall(is, p.depthTest);
    skip(); ReadColor(is, p.color);
    skip(); is >> p.textureIndex;
    skip(); ReadSmall(is, p.textureRepeat);
    skip(); ReadSmall(is, p.textureMap);
    skip(); ReadColor(is, p.blendColor);
    skip(); ReadSmall(is, p.minFilter);
    skip(); ReadSmall(is, p.magFilter);
    skip(); ReadSmall(is, p.polygonMode);
    skip(); ReadSmall(is, p.polygonEnd);
    skip(); is >> p.polygonOffset;
    skip(); is >> p.shading;
    skip(); ReadSmall(is, p.colorMaterialMode);
    skip(); ReadSmall(is, p.stippleMultiplier);
    skip(); is >> p.stipplePattern;
    skip(); is >> p.blink;
    skip(); is >> p.blinkRate;
    skip(); is >> p.lighting;
    skip(); is >> p.materialIndex;
    skip();
    std::size_t count = 0;
    is >> count;
    p.vertices.resize(count);
    for (Vertex& v : p.vertices) {
      ReadVector(is, v);
      ReadColor(is, v.color);
    }
    skip(); for (Vector& v : p.texturePoints) ReadVector(is, v);
    skip(); ReadVectors(is, p.texCoords);
    skip(); ReadVectors(is, p.normals);
    std::getline(is >> std::ws, label);  // the closing "}"
  }
}

double Seconds(const std::chrono::steady_clock::time_point& since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Best of several rounds of writing all polygons and reading the text into a second set, both
// ways in the same run.
void CompareWithBaseline() {
  Polygons polygons, copies;
  PlainPolygons plain, plainCopies;
  for (int i = 0; i < kPolygons; ++i) {
    polygons.push_back(MakePolygon(i));
    copies.push_back(std::make_unique<GLPolygon>());
    plain.emplace_back(*polygons.back());
    plainCopies.emplace_back(*copies.back());
  }
  // Seconds to write and to read, with attributes [0] and plain [1].
  double write[2] = {1e9, 1e9}, read[2] = {1e9, 1e9};
  std::size_t bytes[2] = {0, 0};
  std::string text;
  for (int round = 0; round < 5; ++round) {
    auto start = std::chrono::steady_clock::now();
    text = WriteWithAttributes(polygons);
    write[0] = std::min(write[0], Seconds(start));
    start = std::chrono::steady_clock::now();
    ReadWithAttributes(copies, text);
    read[0] = std::min(read[0], Seconds(start));
    bytes[0] = text.size();

    start = std::chrono::steady_clock::now();
    const std::string baseline = WriteBaseline(plain);
    write[1] = std::min(write[1], Seconds(start));
    start = std::chrono::steady_clock::now();
    ReadBaseline(plainCopies, baseline);
    read[1] = std::min(read[1], Seconds(start));
    bytes[1] = baseline.size();
  }
  // The copies must write what was read, or the rates mean nothing.
  const bool same = WriteWithAttributes(copies) == text;
  const double total[2] = {write[0] + read[0], write[1] + read[1]};
  std::printf("Resource text of %d polygons (%d attributes, %u vertices each), best of 5:\n", kPolygons,
              static_cast<int>(polygons.front()->Attributes()->Count()), kVerticesPerPolygon);
  std::printf("  attributes:           write %6.1f ms, read %6.1f ms, %8.0f polygons/s, %5.1f MB text%s\n",
              write[0] * 1e3, read[0] * 1e3, kPolygons / total[0], static_cast<double>(bytes[0]) / 1e6,
              same ? "" : "  (COPIES DIFFER)");
  std::printf("  plain string streams: write %6.1f ms, read %6.1f ms, %8.0f polygons/s, %5.1f MB text\n",
              write[1] * 1e3, read[1] * 1e3, kPolygons / total[1], static_cast<double>(bytes[1]) / 1e6);
  std::printf("  ratio (attributes / plain): %.2f (target <= 2.5)\n\n", total[0] / total[1]);
}

void BM_AttributeNameCreationExisting(benchmark::State& state) {
  AttributeName("LineStipplePattern");
  for (auto _ : state) {
    AttributeName name("LineStipplePattern");
    benchmark::DoNotOptimize(name);
  }
}
BENCHMARK(BM_AttributeNameCreationExisting);

void BM_AttributeNameCreationNew(benchmark::State& state) {
  std::vector<std::string> texts;
  for (int i = 0; i < 1 << 16; ++i) texts.push_back("BenchName" + std::to_string(i));
  std::size_t i = 0;
  for (auto _ : state) {
    AttributeName name(texts[i++ % texts.size()]);  // new only on the first pass over the texts
    benchmark::DoNotOptimize(name);
  }
}
BENCHMARK(BM_AttributeNameCreationNew);

void BM_DictionaryLookup(benchmark::State& state) {
  auto polygon = MakePolygon(1);
  const AttributeName names[3] = {"AlphaMode", "TextureMap", "Normals"};
  int i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(polygon->Attributes()->Get(names[i++ % 3]));
}
BENCHMARK(BM_DictionaryLookup);

void BM_DictionaryLookupByText(benchmark::State& state) {
  auto polygon = MakePolygon(1);
  for (auto _ : state) benchmark::DoNotOptimize(polygon->Attributes()->Get("TextureMap"));
}
BENCHMARK(BM_DictionaryLookupByText);

// The look-up the container's attribute access ends in: a name from outside, never interned.
void BM_ObjectResourceByName(benchmark::State& state) {
  auto polygon = MakePolygon(1);
  for (auto _ : state) benchmark::DoNotOptimize(polygon->Resource("TextureMap"));
}
BENCHMARK(BM_ObjectResourceByName);

void BM_WritePolygon(benchmark::State& state) {
  auto polygon = MakePolygon(7);
  VesResourceFilter bare;
  bare.QualificationLevels(0);
  for (auto _ : state) {
    std::ostringstream os;
    polygon->GetResources(os, &bare);
    benchmark::DoNotOptimize(os.str().size());
  }
}
BENCHMARK(BM_WritePolygon);

void BM_ReadPolygon(benchmark::State& state) {
  auto polygon = MakePolygon(7);
  VesResourceFilter bare;
  bare.QualificationLevels(0);
  std::ostringstream os;
  polygon->GetResources(os, &bare);
  const std::string text = os.str();
  for (auto _ : state) {
    std::istringstream is(text);
    benchmark::DoNotOptimize(polygon->Attributes()->Read(is));
  }
}
BENCHMARK(BM_ReadPolygon);

}  // namespace

int main(int argc, char** argv) {
  CompareWithBaseline();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
