// Cost of drawing a component through the contract against drawing it directly.
//
// The component is built on the runtime: 1,000 filled quads, a tenth of them turning each frame.
// One instance sits in a root group directly; the other is exposed through the contract adapter
// and wrapped by the player's wrapper (wrapper → KeshInterface1 → adapter → component), as a
// loaded component is. Both run Calculate, PreDraw and Draw in the same context, frame by frame
// and interleaved; the medians are compared.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bridge/ves_kesh_wrapper.h"
#include "orvan/component_base.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "bench/bench_support.h"
#include "sdk/kesh_component_adapter.h"

namespace {

constexpr int kSize = 512;
constexpr int kPolygons = 1000;


// The component: a field of quads, every tenth turning with time.
class Field : public orvan::ComponentBase {
public:
    void Initialize() override {
        for (int n = 0; n < kPolygons; ++n) {
            const float x = static_cast<float>(n % 40) * 12.0f + 8.0f;
            const float y = static_cast<float>(n / 40) * 12.0f + 8.0f;
            const orvan::vesColor c(static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 2), 180, 255);
            const orvan::Vertex v[4] = {orvan::Vertex(x, y, 0, c), orvan::Vertex(x + 9, y, 0, c),
                                        orvan::Vertex(x + 9, y + 9, 0, c), orvan::Vertex(x, y + 9, 0, c)};
            auto* quad = new orvan::GLPolygon(4, v);
            quad->PolygonMode(3);
            if (n % 10 == 0) {
                quad->WorldRotationPoint(orvan::Vector(x + 4.5f, y + 4.5f, 0));
                moving.push_back(quad);
            }
            InsertObject(quad, true, false);
        }
        FinishConstruction();
    }
    void Calculate(double time) override {
        for (orvan::GLPolygon* quad : moving) quad->DynamicRotate(0, 0, static_cast<float>(time * 20.0));
        Group::Calculate(time);
    }

private:
    std::vector<orvan::GLPolygon*> moving;
};

// A root group as the rendering host keeps one, holding either the component or its wrapper.
struct Scene {
    explicit Scene(orvan::DisplayObject* drawn) { root.InsertObject(drawn, true, false); }
    ~Scene() { root.DeleteAllChildren(); }

    void Frame(double t) {
        bench::SetUpFrame(kSize, 0.0f, 50000);
        root.Calculate(t);
        bench::DrawScene(root);
    }

    orvan::Group root;
};


}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(5, std::atoi(argv[1])) : 200;
    bench::EglContext context(kSize);
    if (!context.Open("wrapper")) return 0;
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    auto* field = new Field;
    field->Initialize();
    Scene direct(field);
    Scene wrapped(vessant::VesKeshWrapper::NewWrapper(orvan::KeshComponentAdapter::Create<Field>()));

    for (int i = 0; i < 10; ++i) {  // warm up both paths
        direct.Frame(i * 0.02);
        wrapped.Frame(i * 0.02);
    }
    std::vector<double> throughWrapper, directly;
    for (int i = 0; i < frames; ++i) {
        const double t = 0.2 + i * 0.02;
        // Alternate which goes first, so neither always finds the caches as the other left them.
        if (i % 2 == 0) {
            throughWrapper.push_back(bench::Milliseconds([&] { wrapped.Frame(t); }));
            directly.push_back(bench::Milliseconds([&] { direct.Frame(t); }));
        } else {
            directly.push_back(bench::Milliseconds([&] { direct.Frame(t); }));
            throughWrapper.push_back(bench::Milliseconds([&] { wrapped.Frame(t); }));
        }
    }
    const double w = bench::Median(throughWrapper), d = bench::Median(directly);
    std::printf(
        "%d polygons, %d frames, median per frame: through the wrapper %.3f ms, direct %.3f ms, "
        "ratio %.3f (target <= 1.05)\n",
        kPolygons, frames, w, d, w / d);
    return 0;
}
