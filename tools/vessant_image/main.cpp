// vessant-image: a PNG or JPEG picture in, a C++ source and header defining one compiled-in
// StaticImageInfo record out.
#include <cstdio>
#include <string>

#include "vessant_image/file_output.h"
#include "vessant_image/options.h"
#include "vessant_image/picture.h"
#include "vessant_image/record.h"

using namespace vessant_image;

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "vessant-image: %s\n", message.c_str());
  return 1;
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string error;
  if (!ParseOptions(argc, argv, &options, &error)) {
    std::fprintf(stderr, "vessant-image: %s\n%s", error.c_str(), kUsage);
    return 2;
  }
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }

  Picture picture;
  if (!ReadPicture(options.picture, &picture, &error)) return Fail(error);
  if (options.components != 0) picture = ConvertComponents(picture, options.components);
  if (!options.topRowFirst) FlipRows(&picture);
  if (options.powerOfTwo == PowerOfTwo::Pad) picture = PadToPowerOfTwo(picture);
  if (options.powerOfTwo == PowerOfTwo::Stretch) picture = StretchToPowerOfTwo(picture);

  EncodedRecord record;
  if (!EncodeRecord(picture, options.encode, &record, &error)) return Fail(options.picture + ": " + error);

  SourceNames names;
  names.identifier = options.identifier;
  names.namespaceName = options.namespaceName;
  names.headerInclude = BaseName(options.header);
  names.pictureName = BaseName(options.picture);
  if (!WriteFileAtomically(options.header, HeaderText(record, names), &error)) return Fail(error);
  if (!WriteFileAtomically(options.source, SourceText(record, names), &error)) return Fail(error);
  return 0;
}
