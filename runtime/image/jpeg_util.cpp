// The glue between compiled-in JPEG data and libjpeg: a memory source that ends a truncated
// stream safely and an error handler that turns every libjpeg error into a false result.
#include "orvan/jpeg_util.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "orvan/log_sink.h"

namespace orvan {

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf recovery;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
  ErrorManager* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
  // Kept for a debugger; the user sees the one line of the recovery point.
  (*cinfo->err->format_message)(cinfo, manager->message);
  std::longjmp(manager->recovery, 1);
}

// libjpeg's warnings and traces are not shown.
void OnMessage(j_common_ptr) {}

struct MemorySource {
  jpeg_source_mgr pub;
  const JOCTET* data;
  std::size_t size;
  bool exhausted;
};

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

void InitSource(j_decompress_ptr cinfo) {
  MemorySource* source = reinterpret_cast<MemorySource*>(cinfo->src);
  source->pub.next_input_byte = source->data;
  source->pub.bytes_in_buffer = source->size;
}

// Only asked for once the whole block is used up: a truncated stream ends at an end-of-image
// marker instead of reading past the block.
boolean FillInput(j_decompress_ptr cinfo) {
  MemorySource* source = reinterpret_cast<MemorySource*>(cinfo->src);
  source->exhausted = true;
  source->pub.next_input_byte = kEndOfImage;
  source->pub.bytes_in_buffer = sizeof kEndOfImage;
  return TRUE;
}

void SkipInput(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* source = cinfo->src;
  if (static_cast<unsigned long>(count) >= source->bytes_in_buffer) {
    FillInput(cinfo);
    return;
  }
  source->next_input_byte += count;
  source->bytes_in_buffer -= static_cast<std::size_t>(count);
}

void TermSource(j_decompress_ptr) {}

// Every failure ends here; the struct is destroyed by the caller's recovery point.
[[noreturn]] void Fail(j_decompress_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->recovery, 1); }

}  // namespace

bool JpegDecompress(int width, int height, unsigned char* destination, const unsigned char* data, std::size_t size,
                    int pixelSize, std::size_t rowStride) {
  if (destination == nullptr || data == nullptr || size == 0 || width < 1 || height < 1 ||
      (pixelSize != 3 && pixelSize != 4)) {
    LogText("JPEG Decompress Error!!!!\n");
    return false;
  }

  jpeg_decompress_struct cinfo;
  ErrorManager errors;
  MemorySource source;
  cinfo.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = OnError;
  errors.pub.output_message = OnMessage;
  if (setjmp(errors.recovery)) {
    jpeg_destroy_decompress(&cinfo);
    LogText("JPEG Decompress Error!!!!\n");
    return false;
  }
  jpeg_create_decompress(&cinfo);
  source.pub.init_source = InitSource;
  source.pub.fill_input_buffer = FillInput;
  source.pub.skip_input_data = SkipInput;
  source.pub.resync_to_restart = jpeg_resync_to_restart;
  source.pub.term_source = TermSource;
  source.pub.next_input_byte = nullptr;
  source.pub.bytes_in_buffer = 0;
  source.data = data;
  source.size = size;
  source.exhausted = false;
  cinfo.src = &source.pub;

  jpeg_read_header(&cinfo, TRUE);
  // A picture of another size would over-read or under-fill the destination.
  if (cinfo.image_width != static_cast<JDIMENSION>(width) || cinfo.image_height != static_cast<JDIMENSION>(height)) {
    Fail(&cinfo);
  }
  cinfo.out_color_space = pixelSize == 4 ? JCS_EXT_RGBX : JCS_RGB;
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_width != static_cast<JDIMENSION>(width) ||
      cinfo.output_height != static_cast<JDIMENSION>(height) || cinfo.output_components != pixelSize) {
    Fail(&cinfo);
  }
  // Arguments are only read after setjmp: a changed one could be lost by the jump back.
  const std::size_t stride = rowStride != 0 ? rowStride : static_cast<std::size_t>(width) * pixelSize;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = destination + stride * cinfo.output_scanline;
    if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) Fail(&cinfo);
  }
  jpeg_finish_decompress(&cinfo);
  if (source.exhausted) Fail(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace orvan
