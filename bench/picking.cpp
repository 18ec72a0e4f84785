// Picking per mouse event in a component of 10,000 polygons (100 groups of 100), against a
// straight loop that runs the polygon test on every polygon without the sphere pre-test.
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "bench/bench_support.h"
#include "orvan/component_base.h"
#include "orvan/frustum_culler.h"
#include "orvan/gl_polygon.h"
#include "orvan/mouse_event.h"
#include "orvan/view_matrices.h"

namespace {

using namespace orvan;
using Clock = std::chrono::steady_clock;

constexpr int kGroups = 10;        // per side: 100 groups
constexpr int kPolygons = 10;      // per side of a group: 100 polygons each
constexpr float kCell = 10.0f;     // a polygon's cell; the polygon fills 8 x 8 of it
constexpr int kSize = kGroups * kPolygons * 10;  // window and world: 1000 x 1000
constexpr int kPicks = 401;

// Exposes the routing step each mouse event takes.
class Panel : public ComponentBase {
 public:
  using ComponentBase::PickEventTarget;
};

VesMatrix<double, 4> Ortho(double size) {
  VesMatrix<double, 4> m;
  m(0, 0) = 2.0 / size;
  m(1, 1) = 2.0 / size;
  m(2, 2) = -1.0;
  m(0, 3) = -1.0;
  m(1, 3) = -1.0;
  return m;
}

double Micro(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

}  // namespace

int main() {
  Panel panel;
  std::vector<GLPolygon*> polygons;
  for (int gy = 0; gy < kGroups; ++gy) {
    for (int gx = 0; gx < kGroups; ++gx) {
      Group* group = new Group;
      for (int py = 0; py < kPolygons; ++py) {
        for (int px = 0; px < kPolygons; ++px) {
          const float x = (gx * kPolygons + px) * kCell, y = (gy * kPolygons + py) * kCell;
          const Vertex corners[4] = {Vertex(x, y, 0), Vertex(x + 8, y, 0), Vertex(x + 8, y + 8, 0),
                                     Vertex(x, y + 8, 0)};
          GLPolygon* p = new GLPolygon(4, corners);
          group->InsertObject(p, true, false);
          polygons.push_back(p);
        }
      }
      group->RecalculateBoundingBox();
      panel.InsertObject(group, true, false);
    }
  }
  panel.RecalculateBoundingBox();

  int viewport[4] = {0, 0, kSize, kSize};
  VesMatrix<double, 4> projection = Ortho(kSize), modelView;
  ViewMatrices view(viewport, &projection, &modelView);
  FrustumCuller culler(false);
  panel.PreDraw(view, culler);

  std::mt19937 random(12345);
  std::uniform_real_distribution<float> at(0.0f, static_cast<float>(kSize));
  std::vector<Vector> points;
  for (int i = 0; i < kPicks; ++i) points.push_back(Vector(at(random), at(random), 0.5f));

  std::vector<double> picking, straight;
  int hits = 0, straightHits = 0;
  for (const Vector& point : points) {
    MouseEvent ev(MOUSE_MOVE, 0);
    ev.location = point;
    Vector hitPoint;
    Clock::time_point start = Clock::now();
    hits += panel.PickEventTarget(ev, hitPoint) != nullptr ? 1 : 0;
    picking.push_back(Micro(start));

    // The baseline: the same ray, the polygon test on every polygon.
    start = Clock::now();
    Vector origin, direction, collision;
    panel.WindowToObject(point, origin, &direction, view);
    for (GLPolygon* p : polygons) {
      if (p->HitUtil(origin.x, origin.y, origin.z, 1.0f, p->Vertices(), p->NumberOfVertices(), direction, &collision))
        ++straightHits;
    }
    straight.push_back(Micro(start));
  }

  const double pick = bench::Median(picking), loop = bench::Median(straight);
  std::printf("picking %zu polygons (%d groups of %d), %d mouse events (%d hit):\n", polygons.size(),
              kGroups * kGroups, kPolygons * kPolygons, kPicks, hits);
  std::printf("  median per pick (sphere pre-test, group rules):   %10.2f us\n", pick);
  std::printf("  median per straight polygon test of every polygon: %10.2f us (%d hits in all)\n", loop, straightHits);
  std::printf("  ratio: %.4f (target <= 0.5)\n", pick / loop);
  return 0;
}
