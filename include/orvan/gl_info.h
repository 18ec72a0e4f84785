#pragma once

#include <GL/gl.h>

namespace orvan {

// The leading number of GL_VERSION, read once a context is current and the string is
// available, then cached; 1.1 until then.
float OpenGLVersion();

// True when name (not empty, without blanks) is a whole blank-separated word of GL_EXTENSIONS
// of the current context.
bool OpenGLExtensionAvailable(const char* name);

// The word test of OpenGLExtensionAvailable on a given extension string (null gives false).
bool ExtensionListContains(const char* extensions, const char* name);

// The leading number of a version text such as "2.1 Mesa 23.0"; 0 when there is none.
float ParseGLVersion(const char* text);

}  // namespace orvan
