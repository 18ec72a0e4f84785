#include "vessant_image/options.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace vessant_image {

const char* const kUsage =
    "usage: vessant-image [options] PICTURE\n"
    "Turns a PNG or JPEG picture into a C++ source and header that define one compiled-in\n"
    "orvan::StaticImageInfo record.\n"
    "  --source FILE          the source to write (default: IDENTIFIER.cpp)\n"
    "  --header FILE          the header to write (default: the source with .h)\n"
    "  --name IDENTIFIER      the record's name (default: from the picture's file name)\n"
    "  --namespace NAME       a namespace for the record (default: none)\n"
    "  --codec raw|lz77|jpeg  how the pixels are stored (default: lz77)\n"
    "  --quality N            JPEG quality, 1 to 100 (default: 75)\n"
    "  --chunk-size N         bytes per stored chunk, 1 to 65536 (default: 240)\n"
    "  --components N         1 luminance, 2 luminance and alpha, 3 RGB, 4 RGBA\n"
    "                         (default: the picture's own)\n"
    "  --power-of-two MODE    none, pad or stretch the sides to powers of two (default: none;\n"
    "                         the runtime then stretches the picture when it first shows it)\n"
    "  --top-row-first        keep the file's row order (default: the bottom row first, the\n"
    "                         order in which OpenGL addresses a texture)\n"
    "  --help                 this text\n";

namespace {

bool Number(const std::string& option, const std::string& text, int low, int high, int* value, std::string* error) {
  char* end = nullptr;
  errno = 0;
  const long parsed = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || parsed < low || parsed > high) {
    *error = option + " takes a number from " + std::to_string(low) + " to " + std::to_string(high) + ", not '" +
             text + "'";
    return false;
  }
  *value = static_cast<int>(parsed);
  return true;
}

// The file name without its folder and extension, made into an identifier.
std::string IdentifierFrom(const std::string& path) {
  std::string name = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
  name = name.substr(0, name.find('.'));
  for (char& c : name) {
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) c = '_';
  }
  if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0]))) name = "picture_" + name;
  return name;
}

}  // namespace

bool IsIdentifier(const std::string& text) {
  if (text.empty() || std::isdigit(static_cast<unsigned char>(text[0]))) return false;
  for (char c : text) {
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) return false;
  }
  return true;
}

bool ParseOptions(int argc, char** argv, Options* options, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help") {
      options->help = true;
      return true;
    }
    if (arg == "--top-row-first") {
      options->topRowFirst = true;
      continue;
    }
    if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      if (i + 1 >= argc) {
        *error = arg + " needs a value";
        return false;
      }
      const std::string value = argv[++i];
      if (arg == "--source") {
        options->source = value;
      } else if (arg == "--header") {
        options->header = value;
      } else if (arg == "--name") {
        options->identifier = value;
      } else if (arg == "--namespace") {
        options->namespaceName = value;
      } else if (arg == "--codec") {
        if (value == "raw") {
          options->encode.codec = orvan::VES_CODEC_RAW;
        } else if (value == "lz77") {
          options->encode.codec = orvan::VES_CODEC_LZ77;
        } else if (value == "jpeg") {
          options->encode.codec = orvan::VES_CODEC_JPEG;
        } else {
          *error = "--codec is raw, lz77 or jpeg, not '" + value + "'";
          return false;
        }
      } else if (arg == "--quality") {
        if (!Number(arg, value, 1, 100, &options->encode.quality, error)) return false;
      } else if (arg == "--chunk-size") {
        if (!Number(arg, value, 1, 65536, &options->encode.chunkSize, error)) return false;
      } else if (arg == "--components") {
        if (!Number(arg, value, 1, 4, &options->components, error)) return false;
      } else if (arg == "--power-of-two") {
        if (value == "none") {
          options->powerOfTwo = PowerOfTwo::None;
        } else if (value == "pad") {
          options->powerOfTwo = PowerOfTwo::Pad;
        } else if (value == "stretch") {
          options->powerOfTwo = PowerOfTwo::Stretch;
        } else {
          *error = "--power-of-two is none, pad or stretch, not '" + value + "'";
          return false;
        }
      } else {
        *error = "unknown option " + arg;
        return false;
      }
      continue;
    }
    if (!options->picture.empty()) {
      *error = "one picture at a time: '" + options->picture + "' and '" + arg + "'";
      return false;
    }
    options->picture = arg;
  }
  if (options->picture.empty()) {
    *error = "no picture given";
    return false;
  }
  if (options->identifier.empty()) options->identifier = IdentifierFrom(options->picture);
  if (!IsIdentifier(options->identifier)) {
    *error = "--name needs a C++ identifier, not '" + options->identifier + "'";
    return false;
  }
  if (!options->namespaceName.empty() && !IsIdentifier(options->namespaceName)) {
    *error = "--namespace needs a C++ identifier, not '" + options->namespaceName + "'";
    return false;
  }
  if (options->source.empty()) options->source = options->identifier + ".cpp";
  if (options->header.empty()) {
    const std::size_t dot = options->source.rfind('.');
    const std::size_t slash = options->source.rfind('/');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    options->header = (hasExtension ? options->source.substr(0, dot) : options->source) + ".h";
  }
  return true;
}

}  // namespace vessant_image
