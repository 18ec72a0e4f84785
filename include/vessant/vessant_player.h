/* The Vessant Player control for hosts that do not write C++: scripting hosts (through ctypes,
 * cffi, FFI), other languages and test harnesses. Every text crosses as NUL-terminated UTF-8;
 * texts returned into a caller's buffer are cut to fit and always terminated, and the call
 * returns the length the whole text needs (without the terminating NUL). */
#ifndef VESSANT_PLAYER_H
#define VESSANT_PLAYER_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define VESSANT_API __attribute__((visibility("default")))
#else
#define VESSANT_API
#endif

typedef struct VessantControl VessantControl;

/* Called synchronously, on the thread that runs frames, for each ObjectEvent of the component. */
typedef void (*VessantObjectEventCallback)(void* user, const char* eventName, const char* initiatorName,
                                           const char* eventData);

/* A control rendering offscreen (EGL) at width x height; its clock advances only in
 * vessant_run_frames. NULL on failure, with the reason in error (when given). */
VESSANT_API VessantControl* vessant_create_headless(int width, int height, char* error, size_t errorSize);
/* A control in an X11 window: a child of parentXid, or a top-level window when it is 0. */
VESSANT_API VessantControl* vessant_create_window(unsigned long parentXid, int width, int height, char* error,
                                                  size_t errorSize);
VESSANT_API void vessant_destroy(VessantControl* control);

/* Properties by name or dispatch id, values as text (booleans TRUE/FALSE/1/0, numbers decimal or
 * 0x hexadecimal). Set returns 0 on success, -1 with the reason in error; setting
 * ComponentFileName or ClassName loads the component at once and returns -1 with the reason
 * when it could not be loaded. Get returns the length of the value text, or -1 for an unknown
 * property. */
VESSANT_API int vessant_set_property(VessantControl* control, const char* name, const char* value, char* error,
                                     size_t errorSize);
VESSANT_API int vessant_get_property(VessantControl* control, const char* name, char* value, size_t valueSize);
VESSANT_API int vessant_set_property_id(VessantControl* control, int dispId, const char* value, char* error,
                                        size_t errorSize);
VESSANT_API int vessant_get_property_id(VessantControl* control, int dispId, char* value, size_t valueSize);

/* The component's attributes by resource name (dotted). Before a component exists, a set waits
 * as pending text and a get answers the empty text. */
VESSANT_API int vessant_get_attrib(VessantControl* control, const char* name, char* value, size_t valueSize);
VESSANT_API int vessant_set_attrib(VessantControl* control, const char* name, const char* value);

VESSANT_API void vessant_set_object_event_callback(VessantControl* control, VessantObjectEventCallback callback,
                                                   void* user);

/* Input as the window would deliver it. message: "ldown", "lup", "ldbl", "mdown", "mup", "mdbl",
 * "rdown", "rup", "rdbl" or "move"; x, y: window pixels from the top left; flags: VESSANT_SHIFT,
 * VESSANT_CTRL and, for a move with a button held, VESSANT_LEFT, VESSANT_MIDDLE or VESSANT_RIGHT.
 * keysym: an X keysym name ("a", "KP_5", "Prior", "F1"). Return 0, or -1 for an unknown name. */
#define VESSANT_LEFT 0x1
#define VESSANT_RIGHT 0x2
#define VESSANT_SHIFT 0x4
#define VESSANT_CTRL 0x8
#define VESSANT_MIDDLE 0x10
VESSANT_API int vessant_send_mouse(VessantControl* control, const char* message, int x, int y, unsigned flags);
VESSANT_API int vessant_send_key(VessantControl* control, int down, const char* keysym, unsigned flags);

/* Draws `frames` more frames: headless by stepping the control's clock, in a window by running
 * its event loop. Returns 0, or -1 when the frames could not be drawn (window closed). */
VESSANT_API int vessant_run_frames(VessantControl* control, int frames);

/* The current frame rendered offscreen into rgba (width x height x 4 bytes, top row first).
 * Returns 0, or -1 when the buffer is too small or nothing could be rendered. */
VESSANT_API int vessant_snapshot_rgba(VessantControl* control, unsigned char* rgba, size_t size, int* width,
                                      int* height);
/* The same, written as a PNG file (whole or not at all). */
VESSANT_API int vessant_snapshot_png(VessantControl* control, const char* path, char* error, size_t errorSize);

/* The text the splash display would show: loading progress or the last failure. */
VESSANT_API int vessant_status_message(VessantControl* control, char* text, size_t textSize);

/* The control's type information (library, properties with dispatch ids, methods, events) as one
 * JSON object, the text `vessant-player --describe` prints. Returns its length. */
VESSANT_API int vessant_describe(char* text, size_t textSize);

/* Script safety by interface name ("IDispatch", "IPersistPropertyBag", "IPersistStreamInit",
 * "IPersistStorage", "IPersistMemory"). The query sets *supported to both options and *enabled
 * to the interface's; the request succeeds for mask and enabled both 0, or both equal to the
 * interface's options. Each returns one of the codes below. */
#define VESSANT_SAFE_FOR_UNTRUSTED_CALLER 0x1u
#define VESSANT_SAFE_FOR_UNTRUSTED_DATA 0x2u
#define VESSANT_S_OK 0x00000000u
#define VESSANT_E_NOINTERFACE 0x80004002u
#define VESSANT_E_POINTER 0x80004003u
#define VESSANT_E_FAIL 0x80004005u
VESSANT_API unsigned vessant_get_interface_safety_options(VessantControl* control, const char* interfaceName,
                                                          unsigned* supported, unsigned* enabled);
VESSANT_API unsigned vessant_set_interface_safety_options(VessantControl* control, const char* interfaceName,
                                                          unsigned mask, unsigned enabled);

/* The container's application and document names (either may be NULL: empty), and reading them
 * back. Set returns VESSANT_S_OK (VESSANT_E_POINTER without a control); get returns the length,
 * or -1 without a control. */
VESSANT_API unsigned vessant_set_host_names(VessantControl* control, const char* application, const char* document);
VESSANT_API int vessant_get_host_application(VessantControl* control, char* text, size_t textSize);
VESSANT_API int vessant_get_host_document(VessantControl* control, char* text, size_t textSize);

#ifdef __cplusplus
}
#endif

#endif
