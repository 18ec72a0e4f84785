// The wrapper that makes a component object an ordinary node of the scene graph: its mirrored
// properties, attribute look-up, extents, events in both directions, and its survival of a
// component that throws from every operation.
#include "support/log_capture.h"
#include "bridge/ves_kesh_wrapper.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <string>

#include "bridge/attribute_wrapper.h"
#include "bridge/recording_component.h"
#include "orvan/attrib_dict.h"
#include "orvan/callback_method_caller.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "orvan/keyboard_event.h"
#include "orvan/mouse_event.h"
#include "orvan/object_event.h"
#include "orvan/resource_filter.h"
#include "support/headless_control.h"

namespace vessant {
namespace {

using orvan::Vector;
using test::ComponentRecord;
using test::RecordingComponent;

// A wrapper around a recording component.
struct Wrapped {
    Wrapped() : wrapper(VesKeshWrapper::NewWrapper(new RecordingComponent(&record))) {}
    ~Wrapped() {
        if (wrapper != nullptr) wrapper->DeleteInstance();
    }
    ComponentRecord record;
    VesKeshWrapper* wrapper;
};

// A root group that lets go of its children without deleting them.
struct RootListener {
    ~RootListener() {
        while (root.Count() > 0) root.Objects().RemoveAt(0);
    }
    orvan::Group root;
};

TEST(VesKeshWrapperProperties, SettersMirrorAsTextGettersFallBackAndExtentsComeFromTheComponentOrTheLocation) {
    Wrapped w;
    w.wrapper->LineWidth(2.5f);
    ASSERT_FALSE(w.record.sets.empty());
    EXPECT_EQ(w.record.sets.back(), std::make_pair(std::string("LineWidth"), std::string("2.5")));
    EXPECT_FLOAT_EQ(w.wrapper->LineWidth(), 2.5f);  // the component answers ""
    w.record.values["LineWidth"] = "4";
    EXPECT_FLOAT_EQ(w.wrapper->LineWidth(), 4.0f);
    w.record.values["LineWidth"] = "wide";  // does not parse: the wrapper's own value
    EXPECT_FLOAT_EQ(w.wrapper->LineWidth(), 2.5f);

    w.wrapper->SetColor(orvan::vesColor(10, 20, 30, 255));
    EXPECT_EQ(w.record.sets.back().second, "10 20 30 255");
    w.record.values["Color"] = "1 2 3 4";
    EXPECT_EQ(w.wrapper->GetColor(), orvan::vesColor(1, 2, 3, 4));
    w.wrapper->AntiAlias(true);
    EXPECT_EQ(w.record.sets.back(), std::make_pair(std::string("AntiAlias"), std::string("1")));
    // Enumerated getters take names and numbers.
    w.record.values["AlphaMode"] = "ALPHA_MODE_OPAQUE";
    EXPECT_EQ(w.wrapper->AlphaMode(), 1);
    w.record.values["AlphaMode"] = "2";
    EXPECT_EQ(w.wrapper->AlphaMode(), 2);

    // A null answer counts as no answer.
    w.record.answerNull = true;
    EXPECT_EQ(w.wrapper->GetColor(), orvan::vesColor(10, 20, 30, 255));

    VesKeshWrapper* bare = VesKeshWrapper::NewWrapper(nullptr);
    bare->LineWidth(3.0f);
    EXPECT_FLOAT_EQ(bare->LineWidth(), 3.0f);
    bare->DeleteInstance();

    Wrapped boxed;
    boxed.wrapper->Location(5, 6, 7);
    Vector min, max;
    const orvan::VesMatrix<double, 4> m;
    boxed.wrapper->GetTransformedExtents(min, max, m, true);
    EXPECT_EQ(min, Vector(5, 6, 7));
    EXPECT_EQ(max, Vector(5, 6, 7));
    boxed.wrapper->UpdateBoundingVolume();
    EXPECT_EQ(boxed.wrapper->BoundingRadius(), 0.0f);

    boxed.record.hasExtents = true;
    const float lo[3] = {0, 1, 2}, hi[3] = {10, 11, 12};
    std::copy(lo, lo + 3, boxed.record.minimum);
    std::copy(hi, hi + 3, boxed.record.maximum);
    boxed.record.hasSphere = true;
    boxed.record.radius = 8;
    boxed.record.centre[0] = 5;
    boxed.wrapper->RecalculateBoundingBox();
    EXPECT_EQ(boxed.wrapper->WorldVertex(0).Position(), Vector(0, 1, 2));
    EXPECT_EQ(boxed.wrapper->WorldVertex(6).Position(), Vector(10, 11, 12));
    EXPECT_EQ(boxed.wrapper->WorldVertex(3).Position(), Vector(0, 11, 2));
    EXPECT_EQ(boxed.wrapper->BoundingRadius(), 8.0f);
    EXPECT_EQ(boxed.wrapper->BoundingCenter(), Vector(5, 0, 0));
    // Merged into what is already there, the matrix not applied.
    min = Vector(-1, 5, 5);
    max = Vector(1, 5, 20);
    boxed.wrapper->GetTransformedExtents(min, max, m, false);
    EXPECT_EQ(min, Vector(-1, 1, 2));
    EXPECT_EQ(max, Vector(10, 11, 20));
}

TEST(VesKeshWrapperAttributes, OwnNamesStayWithTheWrapperEverythingElseReachesTheComponent) {
    Wrapped w;
    orvan::OrvanAttributeBase* first = w.wrapper->Resource("Panel.Needle.Rotation");
    EXPECT_EQ(w.wrapper->Resource("Panel.Needle.Rotation"), first);
    EXPECT_EQ(first->NameText(), ".Rotation");
    EXPECT_EQ(w.wrapper->Resource("Plain")->NameText(), "Plain");

    w.record.values["Panel.Needle.Rotation"] = "0 0 45";
    EXPECT_EQ(w.wrapper->GetResource("Panel.Needle.Rotation"), "0 0 45");
    w.wrapper->SetResource("Panel.Needle.Rotation", "0 0 90");
    EXPECT_EQ(w.record.sets.back(), std::make_pair(std::string("Panel.Needle.Rotation"), std::string("0 0 90")));

    // "Location" is the wrapper's own; the rendering names were handed to the component.
    w.wrapper->Location(5, 6, 7);
    EXPECT_EQ(w.wrapper->GetResource("Location").substr(0, 2), "5 ");
    // The rendering and geometry rows (from "LineWidth" on) are the component's, but for blinking
    // and the colour-material mode.
    orvan::GLPolygon polygon;
    bool components = false;
    for (std::size_t i = 0; i < polygon.Attributes()->Count(); ++i) {
        const std::string name = polygon.Attributes()->At(i)->NameText();
        components = components || name == "LineWidth";
        const bool wrapped = dynamic_cast<AttributeWrapper*>(w.wrapper->Resource(name.c_str())) != nullptr;
        EXPECT_EQ(wrapped, components && name.rfind("Blink", 0) != 0 && name != "ColorMaterialMode") << name;
    }
    w.record.values["AlphaMode"] = "ALPHA_MODE_2_LEVEL";
    EXPECT_EQ(w.wrapper->GetResource("AlphaMode"), "ALPHA_MODE_2_LEVEL");
    EXPECT_EQ(w.wrapper->Resource(""), &orvan::OrvanEmptyAttribute::Instance());

    // The frame's resource text is the component's.
    w.record.resources = "Value: 3\n";
    orvan::VesResourceFilter filter;
    filter.QualificationLevels(2);
    filter.LevelsDown(-1);
    char* text = w.wrapper->GetResources(&filter);
    EXPECT_STREQ(text, "Value: 3\n");
    w.wrapper->FreeResources(text);
    EXPECT_EQ(w.record.filterDepth, 2);
    EXPECT_EQ(w.record.filterLevels, -1);
}

// Mouse, key and leave translation as the control sends them is read back through the contract
// probe in the control's loading tests; here the cases the control does not produce.
TEST(VesKeshWrapperEvents, InputIsTranslatedByType) {
    Wrapped w;
    const ComponentRecord::Input& in = w.record.input;
    orvan::MouseEvent press(orvan::MOUSE_DOWN, orvan::MOUSE_LBUTTON, orvan::SHIFT_STATE);
    press.location = Vector(1, 2, 3);
    EXPECT_EQ(w.wrapper->HandleFrameEvent(&press), w.wrapper);
    EXPECT_EQ(in.modifiers, orvan::SHIFT_STATE);
    EXPECT_EQ(in.location[2], 3.0f);

    // A release carries its type and subtype only.
    orvan::KeyboardEvent release(orvan::EVENT_KEYBOARD_UP, 'a', 'a', orvan::CTRL_STATE);
    release.eventSubtype = 7;
    release.location = Vector(4, 5, 6);
    w.wrapper->HandleFrameEvent(&release);
    EXPECT_EQ(in.type, 4);
    EXPECT_EQ(in.subtype, 7);
    EXPECT_EQ(in.keysym, 0);
    EXPECT_EQ(in.modifiers, 0);
    EXPECT_EQ(in.location[0], 0.0f);

    orvan::ObjectEvent object(nullptr, "Name");
    w.wrapper->HandleFrameEvent(&object);
    EXPECT_EQ(in.type, 3);

    // A plain event of the mouse type has no mouse fields to copy.
    orvan::DisplayEvent plain(orvan::EVENT_MOUSE, orvan::MOUSE_MOVE);
    w.wrapper->HandleFrameEvent(&plain);
    EXPECT_EQ(in.type, 0);
    EXPECT_EQ(in.button, 0);

    const size_t inputs = w.record.calls.size();
    for (unsigned short type : {2, 5, 9}) {
        orvan::DisplayEvent other(type, 0);
        EXPECT_EQ(w.wrapper->HandleFrameEvent(&other), nullptr) << type;
    }
    EXPECT_EQ(w.record.calls.size(), inputs);

    w.record.consumes = false;
    EXPECT_EQ(w.wrapper->HandleFrameEvent(&press), nullptr);
}

TEST(VesKeshWrapperLifetime, ChangingTheObjectDestroysTheOldOneOnlyWhenAskedAndMatricesAreCopies) {
    ComponentRecord first, second, third;
    VesKeshWrapper* wrapper = VesKeshWrapper::NewWrapper(new RecordingComponent(&first));
    KeshInterface1* kept = wrapper->KeshInterface();
    wrapper->ChangeKeshInterface(kept);  // the same object: nothing happens
    EXPECT_EQ(first.destroyed, 0);
    wrapper->ChangeKeshInterface(new RecordingComponent(&second));
    EXPECT_EQ(first.destroyed, 1);
    EXPECT_NE(second.handler, nullptr);

    KeshInterface1* previous = wrapper->KeshInterface();
    wrapper->ChangeKeshInterface(new RecordingComponent(&third), false);
    EXPECT_EQ(second.destroyed, 0);
    previous->Destroy();

    auto* clone = dynamic_cast<VesKeshWrapper*>(wrapper->CloneObject(true));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(third.clones, 1);
    EXPECT_NE(clone->KeshInterface(), wrapper->KeshInterface());
    EXPECT_STRNE(clone->InstanceName(), "");
    clone->DeleteInstance();
    wrapper->DeleteInstance();
    EXPECT_EQ(third.destroyed, 2);

    orvan::MethodDescriptionList* list = VesKeshWrapper(nullptr).GetMethodDescriptions(nullptr);
    EXPECT_EQ(list->First()->data->signature, "------ VesKeshWrapper ------");
    delete list;

    Wrapped w;
    int viewport[4] = {0, 0, 64, 48};
    orvan::VesMatrix<double, 4> projection, modelView;
    modelView.data[12] = 3.0;
    const orvan::ViewMatrices parent(viewport, &projection, &modelView);
    orvan::FrustumCuller culler(true);
    w.wrapper->PreDraw(parent, culler);
    EXPECT_EQ(w.record.viewport[2], 64);
    EXPECT_EQ(w.record.modelView[12], 3.0);
    EXPECT_TRUE(w.record.cullTest);
    EXPECT_TRUE(culler.enabled);
    EXPECT_EQ(w.wrapper->ModelViewMatrix()->data[12], 3.0);

    w.record.picks = true;
    Vector hit;
    EXPECT_EQ(w.wrapper->Pick3D(Vector(1, 2, 0), Vector(), 1.0f, Vector(0, 0, -1), hit, parent), w.wrapper);
    EXPECT_EQ(hit, Vector(1, 1, 1));
    w.record.picks = false;
    EXPECT_EQ(w.wrapper->Pick3D(Vector(1, 2, 0), Vector(), 1.0f, Vector(0, 0, -1), hit, parent), nullptr);
    // Missing matrices arrive as the identity and an empty viewport, never as null.
    const orvan::ViewMatrices none;
    w.wrapper->Pick3D(Vector(), Vector(), 1.0f, Vector(), hit, none);
    EXPECT_EQ(w.record.viewport[2], 0);
}

// Every forwarding operation against a component that throws from all of them.
TEST(VesKeshWrapperFailures, AThrowingComponentIsReportedOnceAndNeitherExceptionsNorAFailedDrawLeakAcross) {
    ComponentRecord record;
    vessant::test::CaptureLog();
    {
        VesKeshWrapper* wrapper = VesKeshWrapper::NewWrapper(new RecordingComponent(&record));
        record.throws = true;
        RootListener listener;
        listener.root.InsertObject(wrapper, true, false);
        wrapper->Location(1, 2, 3);
        wrapper->Calculate(0.5);
        orvan::FrustumCuller culler(false);
        wrapper->PreDraw(orvan::ViewMatrices(), culler);
        wrapper->LineWidth(2.0f);
        EXPECT_FLOAT_EQ(wrapper->LineWidth(), 2.0f);
        EXPECT_EQ(wrapper->GetResource("Panel.Value"), "");
        wrapper->SetResource("Panel.Value", "1");
        char* text = wrapper->GetResources(nullptr);
        EXPECT_STREQ(text, "");
        wrapper->FreeResources(text);
        orvan::MouseEvent press(orvan::MOUSE_DOWN, orvan::MOUSE_LBUTTON);
        EXPECT_EQ(wrapper->HandleFrameEvent(&press), nullptr);
        Vector hit;
        EXPECT_EQ(wrapper->Pick3D(Vector(), Vector(), 1, Vector(), hit, orvan::ViewMatrices()), nullptr);
        float x, y, z, x2, y2, z2;
        wrapper->GetExtents(x, y, z, x2, y2, z2);
        EXPECT_EQ(x2, 1.0f);
        wrapper->RecalculateBoundingBox();
        EXPECT_EQ(wrapper->BoundingRadius(), 0.0f);
        orvan::DisplayObject* clone = wrapper->CloneObject();
        EXPECT_EQ(static_cast<VesKeshWrapper*>(clone)->KeshInterface(), nullptr);
        clone->Destroy();
        wrapper->ChangeKeshInterface(new RecordingComponent(&record));  // Destroy throws, then registering does
        EXPECT_GE(wrapper->FailureCount(), 12u);
        wrapper->DeleteInstance();
    }
    const std::string out = vessant::test::TakeCapturedLog();
    size_t reports = 0;
    for (size_t at = out.find("Error: "); at != std::string::npos; at = out.find("Error: ", at + 1)) ++reports;
    EXPECT_EQ(reports, 1u) << out;
    EXPECT_NE(out.find("The component failed in "), std::string::npos) << out;
    EXPECT_EQ(record.destroyed, 2);

    // A handler in the scene graph that throws must not unwind into the component.
    struct Throwing {
        int OnEvent(orvan::DisplayObject*, orvan::DisplayEvent*) { throw std::runtime_error("container"); }
    } throwing;
    Wrapped w;
    orvan::Group root;
    root.CallbackCaller(new orvan::CallbackMethodCallerTemplate<Throwing>(&throwing, &Throwing::OnEvent));
    root.InsertObject(w.wrapper, true, false);
    vessant::test::CaptureLog();
    EXPECT_EQ(w.record.Emit("button", "Click", "pressed"), -1);
    vessant::test::TakeCapturedLog();
    EXPECT_EQ(w.wrapper->FailureCount(), 1u);
    root.Objects().RemoveAt(0);

    // A component that fails half way through drawing, with matrices pushed: the next frame starts
    // from the same stack depth.
    test::HeadlessControl hc(32, 32);
    if (!hc.Ok()) GTEST_SKIP() << "no EGL";
    ComponentRecord drawRecord;
    VesKeshWrapper* drawn = VesKeshWrapper::NewWrapper(new RecordingComponent(&drawRecord));
    hc.SetDrawnObject(drawn);
    hc.RenderFrame();
    const int depth = drawRecord.drawDepth;
    ASSERT_GT(depth, 0);
    drawRecord.throws = true;
    drawRecord.pushesBeforeThrow = 3;
    vessant::test::CaptureLog();
    hc.RenderFrame();
    hc.RenderFrame();
    vessant::test::TakeCapturedLog();
    EXPECT_EQ(drawRecord.drawDepth, depth);
    drawRecord.throws = false;
    hc.SetDrawnObject(nullptr);
    drawn->DeleteInstance();
}

}  // namespace
}  // namespace vessant
