// CTessaryCtrl's frame cycle: the window messages, one frame (object, contexts, background,
// projection) and offscreen (snapshot) rendering. The pieces with state of their own are
// FrameClock, RenderContexts and ContainerBackground.

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>

#include "control/gl_locks.h"
#include "control/projection.h"
#include "control/tessary_ctrl.h"
#include "splash/ActiveXSplash.h"
#include "orvan/eye_point.h"
#include "orvan/component_base.h"
#include "orvan/display_object.h"
#include "orvan/frustum_culler.h"
#include "orvan/group.h"
#include "orvan/render_state.h"
#include "orvan/view_matrices.h"

#ifndef GL_BGR
#define GL_BGR 0x80E0
#endif

namespace vessant {

namespace {
constexpr float kByteToFloat = 0.003921569f;
}  // namespace

bool CTessaryCtrl::CreateContext(RenderSurface* surface, int index) { return m_contexts.Create(surface, index); }

void CTessaryCtrl::StartFrameTimer() {
    m_clock.Stop();
    if (!m_host || !m_host->HasWindow()) return;
    if (m_props.targetFrameRate == 0) m_props.targetFrameRate = 1;
    m_clock.Arm();
}

void CTessaryCtrl::OnTimer(unsigned) {
    m_clock.Tick(m_props.targetFrameRate, [this] {
        if (m_props.drawBackground)
            m_host->Invalidate(true);
        else
            m_host->InvalidateRect(ScreenRect{0, 0, 1, 1}, true);
    });
}

void CTessaryCtrl::OnPaint(const ScreenRect& invalid) {
    if (!m_host) return;
    const PixelSize size = m_host->ClientSize();
    const ScreenRect bounds{0, 0, size.width, size.height};
    DrawOverride(bounds, invalid);
}

void CTessaryCtrl::DrawOverride(const ScreenRect& bounds, const ScreenRect& invalid) {
    m_clock.FollowRate(m_props.targetFrameRate, m_host->HasWindow());
    if (!m_props.drawBackground) CaptureBackground(bounds, invalid);
    if (!m_host->HasWindow()) return;
    RenderSurface* surface = m_host->WindowSurface();
    if (!surface) return;
    RenderToDC(*surface, 0, bounds);
    if (m_contexts.Context(0)) {
        glFlush();
        m_host->SwapBuffers(*surface);
        glFinish();
    }
}

void CTessaryCtrl::PlaceInRootGroup(orvan::DisplayObject* object) {
    if (m_rootGroup->Count() > 0) {
        if (m_rootGroup->Item(0) == object) return;
        m_rootGroup->DeleteObject(m_rootGroup->Item(0));
    }
    m_rootGroup->InsertObject(object, true, false, 0);
}

void CTessaryCtrl::RenderToDC(RenderSurface& surface, int index, const ScreenRect& bounds) {
    if (index == 0) {
        const ScreenRect rect = m_host->WindowScreenRect();
        if (rect != m_lastWindowRect) {
            // The container repaints what the control used to cover after a move or resize.
            m_host->InvalidateParent(true);
            m_host->Validate();
            m_lastWindowRect = rect;
        }
    }

    if (!m_currentObject) LoadComponent();
    // While nothing is loaded (or a load runs) the splash stands in for this frame only.
    orvan::DisplayObject* const saved = m_currentObject;
    const bool substituted = !m_currentObject || m_loader.Loading();
    if (substituted) m_currentObject = m_splash;
    orvan::DisplayObject* object = m_currentObject;
    // The splash is shown only until the first component was created in this control.
    if (object == m_splash && m_loader.LoadedCount() >= 1) object = nullptr;
    if (object) {
        PlaceInRootGroup(object);
        const double time = m_host->AmbientUserMode() ? m_clock.ElapsedTime() : 0.0;
        try {
            object->Calculate(time);
        } catch (...) {
            // A failing object loses this frame only; the next tick draws again.
        }
    }

    {
        ScopedLock lock(GlLock());
        if (CreateContext(&surface, index) && m_contexts.Context(index) &&
            m_host->MakeCurrent(surface, m_contexts.Context(index))) {
            glDrawBuffer(GL_BACK);
            RenderScene(bounds, object != nullptr);
            ++m_framesDrawn;
        }
    }
    if (substituted) m_currentObject = saved;
}

void CTessaryCtrl::RenderScene(const ScreenRect& bounds, bool drawObject) {
    const int cx = bounds.Width();
    const int cy = bounds.Height();
    if (m_firstDraw) {
        m_firstDraw = false;
        if (m_host->AmbientUIDead()) m_host->SyntheticClick(cx / 2, cy / 2);
    }
    try {
        orvan::ResetRenderState(false);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glViewport(0, 0, cx, cy);
        DrawClearBackground();
        SetupProjection(cx, cy);
        glMatrixMode(GL_MODELVIEW);
        glScalef(m_props.scaleX, m_props.scaleY, 1.0f);
        glTranslatef(m_props.offsetX, m_props.offsetY, m_props.offsetZ);

        // Without an object the frame still shows the background rather than stale pixels.
        if (drawObject) {
            m_rootGroup->CaptureMatrices();
            orvan::ViewMatrices view;
            view.GetCurrent();
            orvan::FrustumCuller culler(false);
            culler.FromMatrices(view);
            m_rootGroup->PreDraw(view, culler);
            m_rootGroup->Draw();
        }
        glFlush();
    } catch (...) {
        // An exception ends the frame unreported; the next tick draws again.
    }
}

void CTessaryCtrl::DrawClearBackground() {
    if (m_props.drawBackground) {
        const std::uint32_t rgb = m_props.useContainerBackground ? m_host->AmbientBackColor() : m_props.backgroundColor;
        glClearColor(((rgb >> 16) & 0xFF) * kByteToFloat, ((rgb >> 8) & 0xFF) * kByteToFloat, (rgb & 0xFF) * kByteToFloat,
                     1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    glClear(GL_DEPTH_BUFFER_BIT);
    if (!m_background.Draw()) {
        // Opaque red is also the transparency key of offscreen rendering.
        glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
}

float CTessaryCtrl::WorldWidth(int cx) const {
    float width = 0.0f;
    if (m_currentObject && m_props.useExtents) {
        float x, y, z, x2, y2, z2;
        m_currentObject->GetExtents(x, y, z, x2, y2, z2);
        width = x2 - x;
    }
    // An object without extents (or no frame yet) would give a degenerate view: use pixels.
    return width > 0.0f ? width : static_cast<float>(cx);
}

bool CTessaryCtrl::ApplyNamedEyePoint(int cx, int cy) {
    orvan::ComponentBase* component = CurrentComponent();
    if (!component) return false;
    orvan::DisplayFrame* frame = component;
    const std::string modelViewName = m_props.eyePoint + ".GetModelViewMatrix";
    frame->SetResource(modelViewName, "1");
    const std::string modelViewText = frame->GetResource(modelViewName);
    if (modelViewText.empty()) return false;
    const std::string projectionName = m_props.eyePoint + ".GetProjectionMatrix";
    frame->SetResource(projectionName, std::to_string(cx) + " " + std::to_string(cy));
    double projection[16], modelView[16];
    if (!ParseRowOrderMatrix(frame->GetResource(projectionName), projection) ||
        !ParseRowOrderMatrix(modelViewText, modelView))
        return false;
    glLoadMatrixd(projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(modelView);
    return true;
}

void CTessaryCtrl::SetupProjection(int cx, int cy) {
    if (cx <= 0 || cy <= 0) return;
    if (m_currentObject && m_currentObject == m_splash) {
        if (m_splash->MainEye()) m_splash->MainEye()->ApplyView();
        return;
    }
    if (!m_props.eyePoint.empty() && ApplyNamedEyePoint(cx, cy)) return;
    const ViewSize view = ComputeViewSize(WorldWidth(cx), cx, cy);
    if (m_props.perspective) {
        const PerspectiveView p = ComputePerspective(view, cx, cy, m_props.depthFactor, m_props.fieldOfView);
        gluPerspective(p.fovy, p.aspect, p.zNear, p.zFar);
        glMatrixMode(GL_MODELVIEW);
        glTranslatef(-view.width * 0.5f, -view.height * 0.5f, -1000.0f);
    } else {
        glOrtho(0.0, view.width, 0.0, view.height, -50000.0, 50000.0);
        glMatrixMode(GL_MODELVIEW);
    }
}

void CTessaryCtrl::CaptureBackground(const ScreenRect& bounds, const ScreenRect& invalid) {
    m_background.Capture(*m_host, bounds, invalid);
}

bool CTessaryCtrl::RenderMetafile(RgbaImage& target) {
    if (!m_host || target.width <= 0 || target.height <= 0) return false;
    if (target.pixels.size() != static_cast<size_t>(target.width) * target.height * 4)
        target.pixels.assign(static_cast<size_t>(target.width) * target.height * 4, 0);
    if (!m_props.drawBackground) m_background.Free();
    if (!m_workingWindow) {
        m_workingWindow = m_host->CreateWorkingSurface(target.width, target.height);
        if (!m_workingWindow) return false;
    }
    if (!m_workingWindow->Resize(target.width, target.height)) return false;
    const ScreenRect bounds{0, 0, target.width, target.height};
    const unsigned before = m_framesDrawn;
    RenderToDC(*m_workingWindow, 1, bounds);
    if (m_framesDrawn == before) return false;
    glFlush();
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    const int w = target.width, h = target.height;
    const size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
    std::vector<std::uint8_t> bgr(stride * h);
    glReadPixels(0, 0, w, h, GL_BGR, GL_UNSIGNED_BYTE, bgr.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = &bgr[stride * static_cast<size_t>(h - 1 - y)];
        for (int x = 0; x < w; ++x) {
            const std::uint8_t r = row[x * 3 + 2], g = row[x * 3 + 1], b = row[x * 3 + 0];
            // The red key stays transparent: the target keeps what it had there.
            if (!m_props.drawBackground && r == 255 && g == 0 && b == 0) continue;
            std::uint8_t* out = &target.pixels[(static_cast<size_t>(y) * w + x) * 4];
            out[0] = r;
            out[1] = g;
            out[2] = b;
            out[3] = 255;
        }
    }
    return true;
}

bool CTessaryCtrl::SnapshotFrame(RgbaImage& target) {
    // Offscreen rendering leaves the container's pixels out; a frame drawn over them cannot stand in.
    if (!m_props.drawBackground && !m_background.Empty()) return false;
    RgbaImage frame;
    if (m_framesDrawn == 0 || !ReadFramePixels(frame) || frame.width != target.width ||
        frame.height != target.height)
        return false;
    if (target.pixels.size() != frame.pixels.size()) target.pixels.assign(frame.pixels.size(), 0);
    for (size_t i = 0; i < frame.pixels.size(); i += 4) {
        const std::uint8_t* p = &frame.pixels[i];
        // The red key stays transparent, as in offscreen rendering.
        if (!m_props.drawBackground && p[0] == 255 && p[1] == 0 && p[2] == 0) continue;
        std::memcpy(&target.pixels[i], p, 3);
        target.pixels[i + 3] = 255;
    }
    return true;
}

bool CTessaryCtrl::ReadFramePixels(RgbaImage& out) {
    RenderSurface* surface = m_host ? m_host->WindowSurface() : nullptr;
    if (!surface || !m_contexts.Context(0)) return false;
    ScopedLock lock(GlLock());
    if (!m_host->MakeCurrent(*surface, m_contexts.Context(0))) return false;
    const PixelSize size = surface->Size();
    out.width = size.width;
    out.height = size.height;
    out.pixels.assign(static_cast<size_t>(size.width) * size.height * 4, 0);
    std::vector<std::uint8_t> rows(out.pixels.size());
    // Swaps copy the back buffer out and keep it, so it still holds the last frame; the front
    // buffer of a window is not readable under every X server.
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size.width, size.height, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
    const size_t rowBytes = static_cast<size_t>(size.width) * 4;
    for (int y = 0; y < size.height; ++y)
        std::memcpy(&out.pixels[rowBytes * y], &rows[rowBytes * (size.height - 1 - y)], rowBytes);
    return true;
}

void CTessaryCtrl::OnCreate() {
    m_input.WindowCreated();
    StartFrameTimer();
}

void CTessaryCtrl::OnSize(int, int) {
    m_background.Free();
    m_workingWindow.reset();
    m_contexts.DeleteWorking();
    if (m_host) m_host->Invalidate(true);
}

bool CTessaryCtrl::OnEraseBackground() {
    return true;
}

void CTessaryCtrl::OnClose() {
    m_clock.Stop();
    m_input.SendLeaveEvent();
    m_contexts.DeleteAll();
}

// A host may destroy the window without closing it first: the component is still told the
// pointer left, once per window.
void CTessaryCtrl::OnDestroy() {
    m_clock.Stop();
    m_input.SendLeaveEvent();
    m_contexts.DeleteAll();
    m_workingWindow.reset();
}

}  // namespace vessant
