// Resource text of many polygon-like attribute sets through the attribute system, against the
// same numbers written and parsed with plain string streams; plus the cost of creating an
// attribute name and of a dictionary look-up.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "orvan/attrib_dict.h"
#include "orvan/attribute.h"
#include "orvan/attribute_arrays.h"
#include "orvan/attribute_string.h"
#include "orvan/enum_attributes.h"

namespace {

using namespace orvan;

constexpr int kPolygons = 10000;
constexpr int kVerticesPerPolygon = 4;

// The fields a polygon publishes, with the attribute types it publishes them through.
struct PolygonFields {
  int alphaMode = 3;
  bool antiAlias = false;
  bool blinking = false;
  float blinkRate = 2.0f;
  vesColor color{0, 0, 0, 255};
  unsigned char cullBackFace = 0;
  unsigned char depthTest = 2;
  unsigned char lineStippleMultiplier = 1;
  unsigned short lineStipplePattern = 0xFFFF;
  float lineWidth = 1.0f;
  Vertex location;
  int materialIndex = 0;
  unsigned char polygonEnd = 1;
  unsigned char polygonMode = 2;
  int polygonOffset = 0;
  unsigned char shading = 0;
  vesColor blendColor{255, 255, 255, 255};
  int textureIndex = -1;
  unsigned char textureMagFilter = 1;
  unsigned char textureMinFilter = 1;
  unsigned char textureMap = 3;
  unsigned char textureRepeat = 1;
  bool visible = true;
  unsigned char colorMaterialMode = 0;
  bool lightingEnabled = false;
  unsigned int vertexCount = 0;
  Vertex* vertices = nullptr;
  OrvanAttribDict dict;

  explicit PolygonFields(int seed) {
    const float s = static_cast<float>(seed);
    blinkRate = 0.5f + static_cast<float>(seed % 7);
    color = vesColor(static_cast<unsigned char>(seed), 128, 64, 255);
    lineWidth = 1.0f + 0.25f * static_cast<float>(seed % 4);
    location = Vertex(s * 0.5f, -s * 0.25f, 0.125f);
    materialIndex = seed % 5;
    polygonMode = static_cast<unsigned char>(seed % 5);
    textureIndex = seed % 9 - 1;
    vertexCount = kVerticesPerPolygon;
    vertices = new Vertex[kVerticesPerPolygon];
    for (int i = 0; i < kVerticesPerPolygon; ++i) {
      vertices[i] = Vertex(s + static_cast<float>(i) * 1.5f, s * 0.1f - static_cast<float>(i), 0.0f,
                           vesColor(static_cast<unsigned char>(i * 60), 200, 10, 255));
    }
    dict.Add(new OrvanAttributeAlphaModeEnum(nullptr, "AlphaMode", &alphaMode));
    dict.Add(new OrvanAttribute<bool>(nullptr, "AntiAlias", &antiAlias));
    dict.Add(new OrvanAttribute<bool>(nullptr, "Blink", &blinking));
    dict.Add(new OrvanAttribute<float>(nullptr, "BlinkRate", &blinkRate));
    dict.Add(new OrvanAttribute<vesColor>(nullptr, "Color", &color));
    dict.Add(new OrvanAttributeUCharOrBool(nullptr, "CullBackFace", &cullBackFace));
    dict.Add(new OrvanAttributeUCharOrBool(nullptr, "DepthTest", &depthTest));
    dict.Add(new OrvanAttribute<unsigned char>(nullptr, "LineStippleMultiplier", &lineStippleMultiplier));
    dict.Add(new OrvanAttribute<unsigned short>(nullptr, "LineStipplePattern", &lineStipplePattern));
    dict.Add(new OrvanAttribute<float>(nullptr, "LineWidth", &lineWidth));
    dict.Add(new OrvanAttributeLocation(nullptr, "Location", &location));
    dict.Add(new OrvanAttribute<int>(nullptr, "MaterialIndex", &materialIndex));
    dict.Add(new OrvanAttributePolyEndEnum(nullptr, "PolygonEnd", &polygonEnd));
    dict.Add(new OrvanAttributePolyModeEnum(nullptr, "PolygonMode", &polygonMode));
    dict.Add(new OrvanAttribute<int>(nullptr, "PolygonOffset", &polygonOffset));
    dict.Add(new OrvanAttributeShadingEnum(nullptr, "Shading", &shading));
    dict.Add(new OrvanAttribute<vesColor>(nullptr, "BlendColor", &blendColor));
    dict.Add(new OrvanAttribute<int>(nullptr, "TextureIndex", &textureIndex));
    dict.Add(new OrvanAttributeTextureFilterEnum(nullptr, "TextureMagFilter", &textureMagFilter));
    dict.Add(new OrvanAttributeTextureFilterEnum(nullptr, "TextureMinFilter", &textureMinFilter));
    dict.Add(new OrvanAttributeTextureModeEnum(nullptr, "TextureMap", &textureMap));
    dict.Add(new OrvanAttribute<unsigned char>(nullptr, "TextureRepeat", &textureRepeat));
    dict.Add(new OrvanAttributeVertexArray<Vertex>(nullptr, "Vertices", &vertices, &vertexCount));
    dict.Add(new OrvanAttribute<bool>(nullptr, "Visible", &visible));
    dict.Add(new OrvanAttributeColorMaterialModeEnum(nullptr, "ColorMaterialMode", &colorMaterialMode));
    dict.Add(new OrvanAttribute<bool>(nullptr, "LightingEnabled", &lightingEnabled));
  }
  ~PolygonFields() {
    dict.Clear();
    delete[] vertices;
  }
};

using Polygons = std::vector<std::unique_ptr<PolygonFields>>;

Polygons MakePolygons(int count) {
  Polygons polygons;
  for (int i = 0; i < count; ++i) polygons.push_back(std::make_unique<PolygonFields>(i));
  return polygons;
}

// The attribute system: each set written by its dictionary and closed by a "}" line, which is
// where a dictionary's reading stops.
std::string WriteWithAttributes(Polygons& polygons) {
  std::ostringstream os;
  os.setf(std::ios::fixed, std::ios::floatfield);
  for (auto& polygon : polygons) {
    polygon->dict.Write(os, false);
    os << "}\n";
  }
  return os.str();
}

void ReadWithAttributes(Polygons& polygons, const std::string& text) {
  std::istringstream is(text);
  for (auto& polygon : polygons) polygon->dict.Read(is);
}

// The baseline: the same lines, names and numbers (enumerations as numbers), with no
// attribute objects in between.
void WriteColor(std::ostream& os, const vesColor& c) {
  os << int(c.red) << ' ' << int(c.green) << ' ' << int(c.blue) << ' ' << int(c.alpha);
}

std::string WriteBaseline(const Polygons& polygons) {
  std::ostringstream os;
  os.setf(std::ios::fixed, std::ios::floatfield);
  os.precision(10);
  for (const auto& p : polygons) {
    os << "AlphaMode: " << p->alphaMode << '\n' << "AntiAlias: " << p->antiAlias << '\n';
    os << "Blink: " << p->blinking << '\n' << "BlinkRate: " << p->blinkRate << '\n';
    os << "Color: ";
    WriteColor(os, p->color);
    os << '\n' << "CullBackFace: " << int(p->cullBackFace) << '\n' << "DepthTest: " << int(p->depthTest) << '\n';
    os << "LineStippleMultiplier: " << int(p->lineStippleMultiplier) << '\n';
    os << "LineStipplePattern: " << p->lineStipplePattern << '\n' << "LineWidth: " << p->lineWidth << '\n';
    os << "Location: " << p->location.x << ' ' << p->location.y << ' ' << p->location.z << '\n';
    os << "MaterialIndex: " << p->materialIndex << '\n' << "PolygonEnd: " << int(p->polygonEnd) << '\n';
    os << "PolygonMode: " << int(p->polygonMode) << '\n' << "PolygonOffset: " << p->polygonOffset << '\n';
    os << "Shading: " << int(p->shading) << '\n' << "BlendColor: ";
    WriteColor(os, p->blendColor);
    os << '\n' << "TextureIndex: " << p->textureIndex << '\n';
    os << "TextureMagFilter: " << int(p->textureMagFilter) << '\n';
    os << "TextureMinFilter: " << int(p->textureMinFilter) << '\n' << "TextureMap: " << int(p->textureMap) << '\n';
    os << "TextureRepeat: " << int(p->textureRepeat) << '\n' << "Vertices: " << p->vertexCount;
    for (unsigned int i = 0; i < p->vertexCount; ++i) {
      const Vertex& v = p->vertices[i];
      os << '\n' << v.x << ' ' << v.y << ' ' << v.z << ' ';
      WriteColor(os, v.color);
    }
    os << '\n' << "Visible: " << p->visible << '\n' << "ColorMaterialMode: " << int(p->colorMaterialMode) << '\n';
    os << "LightingEnabled: " << p->lightingEnabled << '\n' << "}\n";
  }
  return os.str();
}

void ReadBaselineColor(std::istream& is, vesColor& c) {
  int r, g, b, a;
  is >> r >> g >> b >> a;
  c = vesColor(static_cast<unsigned char>(r), static_cast<unsigned char>(g), static_cast<unsigned char>(b),
               static_cast<unsigned char>(a));
}

template <typename Small>
void ReadSmall(std::istream& is, Small& v) {
  int read = 0;
  is >> read;
  v = static_cast<Small>(read);
}

void ReadBaseline(Polygons& polygons, const std::string& text) {
  std::istringstream is(text);
  std::string name;
  for (auto& p : polygons) {
    auto skip = [&] { std::getline(is >> std::ws, name, ':'); };
    skip(); is >> p->alphaMode;
    skip(); is >> p->antiAlias;
    skip(); is >> p->blinking;
    skip(); is >> p->blinkRate;
    skip(); ReadBaselineColor(is, p->color);
    skip(); ReadSmall(is, p->cullBackFace);
    skip(); ReadSmall(is, p->depthTest);
    skip(); ReadSmall(is, p->lineStippleMultiplier);
    skip(); is >> p->lineStipplePattern;
    skip(); is >> p->lineWidth;
    skip(); is >> p->location.x >> p->location.y >> p->location.z;
    skip(); is >> p->materialIndex;
    skip(); ReadSmall(is, p->polygonEnd);
    skip(); ReadSmall(is, p->polygonMode);
    skip(); is >> p->polygonOffset;
    skip(); ReadSmall(is, p->shading);
    skip(); ReadBaselineColor(is, p->blendColor);
    skip(); is >> p->textureIndex;
    skip(); ReadSmall(is, p->textureMagFilter);
    skip(); ReadSmall(is, p->textureMinFilter);
    skip(); ReadSmall(is, p->textureMap);
    skip(); ReadSmall(is, p->textureRepeat);
    skip();
    unsigned int count = 0;
    is >> count;
    delete[] p->vertices;
    p->vertices = new Vertex[count];
    p->vertexCount = count;
    for (unsigned int i = 0; i < count; ++i) {
      Vertex& v = p->vertices[i];
      is >> v.x >> v.y >> v.z;
      ReadBaselineColor(is, v.color);
    }
    skip(); is >> p->visible;
    skip(); ReadSmall(is, p->colorMaterialMode);
    skip(); is >> p->lightingEnabled;
    std::getline(is >> std::ws, name);  // the closing "}"
  }
}

double Seconds(const std::chrono::steady_clock::time_point& since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Best of several rounds of writing and reading back all sets, both ways in the same run.
void CompareWithBaseline() {
  Polygons polygons = MakePolygons(kPolygons);
  double best[2] = {1e9, 1e9};
  std::size_t bytes[2] = {0, 0};
  for (int round = 0; round < 5; ++round) {
    auto start = std::chrono::steady_clock::now();
    const std::string text = WriteWithAttributes(polygons);
    ReadWithAttributes(polygons, text);
    best[0] = std::min(best[0], Seconds(start));
    bytes[0] = text.size();

    start = std::chrono::steady_clock::now();
    const std::string plain = WriteBaseline(polygons);
    ReadBaseline(polygons, plain);
    best[1] = std::min(best[1], Seconds(start));
    bytes[1] = plain.size();
  }
  std::printf("Resource text of %d polygon-like attribute sets (%d attributes, %d vertices each), "
              "written and read back, best of 5:\n",
              kPolygons, static_cast<int>(polygons.front()->dict.Count()), kVerticesPerPolygon);
  std::printf("  attribute dictionaries: %8.1f ms, %9.0f sets/s, %5.1f MB text\n", best[0] * 1e3, kPolygons / best[0],
              static_cast<double>(bytes[0]) / 1e6);
  std::printf("  plain string streams:   %8.1f ms, %9.0f sets/s, %5.1f MB text\n", best[1] * 1e3, kPolygons / best[1],
              static_cast<double>(bytes[1]) / 1e6);
  std::printf("  ratio (attributes / plain): %.2f (target <= 2.5)\n\n", best[0] / best[1]);
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
  PolygonFields polygon(1);
  const AttributeName names[3] = {"AlphaMode", "TextureMap", "LightingEnabled"};
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(polygon.dict.Get(names[i++ % 3]));
  }
}
BENCHMARK(BM_DictionaryLookup);

void BM_DictionaryLookupByText(benchmark::State& state) {
  PolygonFields polygon(1);
  for (auto _ : state) benchmark::DoNotOptimize(polygon.dict.Get("TextureMap"));
}
BENCHMARK(BM_DictionaryLookupByText);

void BM_WritePolygonSet(benchmark::State& state) {
  PolygonFields polygon(7);
  for (auto _ : state) {
    std::ostringstream os;
    polygon.dict.Write(os, false);
    benchmark::DoNotOptimize(os.str().size());
  }
}
BENCHMARK(BM_WritePolygonSet);

void BM_ReadPolygonSet(benchmark::State& state) {
  PolygonFields polygon(7);
  std::ostringstream os;
  polygon.dict.Write(os, false);
  const std::string text = os.str();
  for (auto _ : state) {
    std::istringstream is(text);
    benchmark::DoNotOptimize(polygon.dict.Read(is));
  }
}
BENCHMARK(BM_ReadPolygonSet);

}  // namespace

int main(int argc, char** argv) {
  CompareWithBaseline();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
