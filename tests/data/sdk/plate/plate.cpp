#include "plate.h"

#include "orvan/gl_polygon.h"
#include "orvan/texture_palette.h"
#include "plate_face.h"

void Plate::Initialize() {
  orvan::GLPolygon* plate = new orvan::GLPolygon;
  plate->SetValue(1, const_cast<char*>("plate"), 18, 3, 31, 0, 35, 0, 36, 0, 0);
  plate->SetVertices(4, 0, 200, 0, 255, 0.0, 0.0, 0.0, 0, 200, 0, 255, 100.0, 0.0, 0.0, 0, 200, 0, 255, 100.0, 100.0,
                     0.0, 0, 200, 0, 255, 0.0, 100.0, 0.0);
  InsertObject(plate, true, false);
  // A compiled-in picture in the palette; the plate itself stays untextured.
  Palette()->Resize(1);
  Palette()->SetImage(0, &plate_face);
  DesignSize(100, 100);
  FinishConstruction();
  PostInitialize();
}
