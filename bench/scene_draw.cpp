// Cost of drawing a scene through the scene graph against drawing the same quads directly.
//
// 10,000 quads in 10 groups of 10 subgroups of 100; every third subgroup and every tenth quad
// move by a dynamic rotation that changes each frame. Each frame runs Calculate, PreDraw and
// Draw on the root group; the baseline issues the same immediate-mode geometry (with the same
// per-quad translation and the same matrices for the moving parts) in the same context. Both
// are timed frame by frame, interleaved, and the medians compared.
//
// It also counts operator new calls while a frame of static objects is pre-drawn and drawn:
// objects without dynamic motion must not allocate anything per frame.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "bench/bench_support.h"

namespace {

unsigned long long allocations = 0;

}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
// The runtime's arrays allocate without exceptions: counted too, and from the same heap as the
// delete below (AddressSanitizer reports a mismatch otherwise).
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  ++allocations;
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return operator new(size, std::nothrow); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int kSize = 512;
constexpr int kGroups = 10;
constexpr int kSubgroups = 10;
constexpr int kQuads = 100;


struct Scene {
  orvan::Group root;
  std::vector<orvan::Group*> movingGroups;
  std::vector<orvan::GLPolygon*> movingQuads;

  explicit Scene(bool dynamic) {
    int n = 0;
    for (int g = 0; g < kGroups; ++g) {
      auto* group = new orvan::Group;
      for (int s = 0; s < kSubgroups; ++s) {
        auto* sub = new orvan::Group;
        for (int q = 0; q < kQuads; ++q, ++n) {
          const float x = static_cast<float>(n % 100) * 5.0f + 4.0f;
          const float y = static_cast<float>(n / 100) * 5.0f + 4.0f;
          const orvan::vesColor c(static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 3), 200, 255);
          const orvan::Vertex v[4] = {orvan::Vertex(x, y, 0, c), orvan::Vertex(x + 3, y, 0, c),
                                      orvan::Vertex(x + 3, y + 3, 0, c), orvan::Vertex(x, y + 3, 0, c)};
          auto* quad = new orvan::GLPolygon(4, v);
          quad->PolygonMode(3);
          if (dynamic && n % 10 == 0) {
            quad->WorldRotationPoint(orvan::Vector(x + 1.5f, y + 1.5f, 0));
            movingQuads.push_back(quad);
          }
          sub->InsertObject(quad, true, false);
        }
        sub->RecalculateBoundingBox();
        if (dynamic && s % 3 == 0) {
          float x0, y0, z0, x1, y1, z1;
          sub->GetExtents(x0, y0, z0, x1, y1, z1);
          sub->WorldRotationPoint(orvan::Vector((x0 + x1) * 0.5f, (y0 + y1) * 0.5f, 0));
          movingGroups.push_back(sub);
        }
        group->InsertObject(sub, true, false);
      }
      group->RecalculateBoundingBox();
      root.InsertObject(group, true, false);
    }
    root.RecalculateBoundingBox();
  }
  ~Scene() { root.DeleteAllChildren(); }

  void Animate(double t) {
    for (orvan::Group* g : movingGroups) g->DynamicRotate(0, 0, static_cast<float>(t * 3.0));
    for (orvan::GLPolygon* q : movingQuads) q->DynamicRotate(0, 0, static_cast<float>(t * 20.0));
  }
};

// Where a scene-graph frame spends its time: set-up and motion, Calculate, PreDraw, Draw (the
// calls issued), and glFinish (the driver drawing them).
struct Phases {
  std::vector<double> setUp, calculate, preDraw, draw, finish;
};

void DrawThroughSceneGraph(Scene& scene, double t, Phases* phases = nullptr) {
  using Clock = std::chrono::steady_clock;
  const auto since = [](Clock::time_point& from) {
    const auto now = Clock::now();
    const double ms = std::chrono::duration<double, std::milli>(now - from).count();
    from = now;
    return ms;
  };
  auto mark = Clock::now();
  bench::SetUpFrame(kSize, 0.0f, 50000);
  scene.Animate(t);
  const double setUp = since(mark);
  scene.root.Calculate(t);
  const double calculate = since(mark);
  scene.root.CaptureMatrices();
  orvan::ViewMatrices view;
  view.GetCurrent();
  orvan::FrustumCuller culler(false);
  culler.FromMatrices(view);
  scene.root.PreDraw(view, culler);
  const double preDraw = since(mark);
  scene.root.Draw();
  const double draw = since(mark);
  glFinish();
  const double finish = since(mark);
  if (!phases) return;
  phases->setUp.push_back(setUp);
  phases->calculate.push_back(calculate);
  phases->preDraw.push_back(preDraw);
  phases->draw.push_back(draw);
  phases->finish.push_back(finish);
}

// The same geometry with the minimum of immediate-mode calls: the per-quad translation, the
// fill colour and vertices, and the model-view of each moving part (taken from the scene graph's
// own matrices of this frame, so both draw the same picture).
void DrawDirectly(Scene& scene, std::vector<double>* calls = nullptr) {
  const auto start = std::chrono::steady_clock::now();
  bench::SetUpFrame(kSize, 0.0f, 50000);
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  glShadeModel(GL_FLAT);
  for (unsigned int g = 0; g < scene.root.Count(); ++g) {
    auto* group = static_cast<orvan::Group*>(scene.root.Item(g));
    for (unsigned int s = 0; s < group->Count(); ++s) {
      auto* sub = static_cast<orvan::Group*>(group->Item(s));
      const bool subMoves = sub->ModelViewMatrix() != nullptr;
      if (subMoves) {
        glPushMatrix();
        glLoadMatrixd(sub->ModelViewMatrix()->data);
      }
      for (unsigned int q = 0; q < sub->Count(); ++q) {
        orvan::DisplayObject* quad = sub->Item(q);
        const bool quadMoves = quad->ModelViewMatrix() != nullptr;
        if (quadMoves) {
          glPushMatrix();
          glLoadMatrixd(quad->ModelViewMatrix()->data);
        }
        const orvan::Vertex& at = quad->Location();
        const orvan::Vertex* v = quad->Vertices();
        glTranslatef(at.x, at.y, at.z);
        glBegin(GL_POLYGON);
        glColor4ubv(v[0].color.Bytes());
        for (unsigned int i = 0; i < quad->NumberOfVertices(); ++i) glVertex3fv(&v[i].x);
        glEnd();
        if (quadMoves) {
          glPopMatrix();
        } else {
          glTranslatef(-at.x, -at.y, -at.z);
        }
      }
      if (subMoves) glPopMatrix();
    }
  }
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  if (calls) calls->push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  glFinish();
}


}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(5, std::atoi(argv[1])) : 60;
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  bench::EglContext context(kSize);
  if (!context.Open("scene_draw")) return 0;
  std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

  // Allocations of static frames: after the first frame, pre-drawing and drawing allocate nothing.
  {
    Scene still(false);
    DrawThroughSceneGraph(still, 0.0);
    orvan::ViewMatrices view;
    view.GetCurrent();
    orvan::FrustumCuller culler(false);
    const unsigned long long before = allocations;
    for (int i = 0; i < 10; ++i) {
      still.root.PreDraw(view, culler);
      still.root.Draw();
    }
    glFinish();
    std::printf("static scene: %llu operator new calls in 10 frames of PreDraw and Draw\n", allocations - before);
  }
  {
    Scene moving(true);
    DrawThroughSceneGraph(moving, 0.05);  // the first motion allocates the matrices
    orvan::ViewMatrices view;
    view.GetCurrent();
    orvan::FrustumCuller culler(false);
    const unsigned long long afterRecord = allocations;
    for (int i = 1; i <= 10; ++i) {
      moving.Animate(i * 0.1);
      moving.root.PreDraw(view, culler);
      moving.root.Draw();
    }
    glFinish();
    std::printf("moving scene (%zu moving groups, %zu moving quads): %llu operator new calls in 10 frames "
                "after the first moving frame\n",
                moving.movingGroups.size(), moving.movingQuads.size(), allocations - afterRecord);
  }

  Scene scene(true);
  for (int i = 0; i < 5; ++i) {  // warm up both paths
    DrawThroughSceneGraph(scene, i * 0.02);
    DrawDirectly(scene);
  }
  // Several runs; in each, frames of both kinds alternate, so a pair meets the same load on a
  // shared machine, and the ratio of each pair is taken as well as the ratio of the medians.
  std::vector<double> graph, direct, directCalls, runRatios;
  Phases phases;
  for (int run = 0; run < runs; ++run) {
    std::vector<double> g, d, pairs;
    for (int i = 0; i < frames; ++i) {
      const double t = 0.1 + i * 0.02;
      g.push_back(bench::Milliseconds([&] { DrawThroughSceneGraph(scene, t, &phases); }));
      d.push_back(bench::Milliseconds([&] { DrawDirectly(scene, &directCalls); }));
      pairs.push_back(g.back() / d.back());
    }
    const double gm = bench::Median(g), dm = bench::Median(d);
    std::printf("run %d: %d frames, median per frame: scene graph %.2f ms, direct %.2f ms, ratio %.3f; "
                "median ratio of frame pairs %.3f\n",
                run + 1, frames, gm, dm, gm / dm, bench::Median(pairs));
    runRatios.push_back(bench::Median(pairs));
    graph.insert(graph.end(), g.begin(), g.end());
    direct.insert(direct.end(), d.begin(), d.end());
  }
  const double g = bench::Median(graph), d = bench::Median(direct);
  std::printf("10000 quads, median of the %d runs' pair ratios %.3f (target <= 1.05); all frames: scene graph "
              "%.2f ms, direct %.2f ms\n",
              runs, bench::Median(runRatios), g, d);
  std::printf("scene graph by phase (medians): set-up and motion %.2f ms, Calculate %.2f ms, PreDraw %.2f ms, "
              "Draw calls %.2f ms, glFinish %.2f ms; direct: calls %.2f ms, glFinish %.2f ms\n",
              bench::Median(phases.setUp), bench::Median(phases.calculate), bench::Median(phases.preDraw),
              bench::Median(phases.draw), bench::Median(phases.finish), bench::Median(directCalls),
              d - bench::Median(directCalls));
  return 0;
}
