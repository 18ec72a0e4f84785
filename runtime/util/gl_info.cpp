#include "orvan/gl_info.h"

#include <cstring>

namespace orvan {

float ParseGLVersion(const char* text) {
  if (text == nullptr) return 0.0f;
  // "OpenGL ES 3.2 ..." carries a prefix before its number.
  while (*text != '\0' && (*text < '0' || *text > '9')) ++text;
  double value = 0.0;
  for (; *text >= '0' && *text <= '9'; ++text) value = value * 10.0 + (*text - '0');
  if (*text == '.') {
    double scale = 0.1;
    for (++text; *text >= '0' && *text <= '9'; ++text, scale *= 0.1) value += (*text - '0') * scale;
  }
  return static_cast<float>(value);
}

float OpenGLVersion() {
  static bool cached = false;
  static float version = 1.1f;
  if (!cached) {
    const char* text = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (text != nullptr) {
      const float parsed = ParseGLVersion(text);
      if (parsed > 0.0f) version = parsed;
      cached = true;
    }
  }
  return version;
}

bool ExtensionListContains(const char* extensions, const char* name) {
  if (extensions == nullptr || name == nullptr || name[0] == '\0' || std::strchr(name, ' ') != nullptr) {
    return false;
  }
  const std::size_t length = std::strlen(name);
  for (const char* at = std::strstr(extensions, name); at != nullptr; at = std::strstr(at + 1, name)) {
    const bool startsWord = at == extensions || at[-1] == ' ';
    const bool endsWord = at[length] == ' ' || at[length] == '\0';
    if (startsWord && endsWord) return true;
  }
  return false;
}

bool OpenGLExtensionAvailable(const char* name) {
  return ExtensionListContains(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name);
}

}  // namespace orvan
