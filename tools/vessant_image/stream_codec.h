#pragma once
// Whole-buffer zlib and baseline JPEG encoding and the chunk table of stored data: what the
// record encoder uses, and what benchmarks and tests use to make records of their own.
#include <zlib.h>

#include <cstdio>  // before jpeglib.h, which needs FILE and size_t
#include <jpeglib.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace vessant_image {

// The zlib stream of raw at the best compression; empty when zlib fails.
inline std::vector<std::uint8_t> Deflate(const std::vector<std::uint8_t>& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<std::uint8_t> out(size);
  if (compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK) return {};
  out.resize(size);
  return out;
}

// A baseline JPEG of packed pixels of 1 (grey), 3 or 4 components (RGB, alpha left out). At
// qualities of 90 and more the colour keeps full resolution too: halving it blurs sharp colour
// edges more than the quality asked for promises.
inline std::vector<std::uint8_t> EncodeJpeg(const std::uint8_t* pixels, int width, int height, int components,
                                            int quality) {
  const int stored = components == 1 ? 1 : 3;
  jpeg_compress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = stored;
  cinfo.in_color_space = stored == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (quality >= 90) {
    for (int i = 0; i < cinfo.num_components; ++i) cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
  }
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * stored);
  while (cinfo.next_scanline < cinfo.image_height) {
    const std::uint8_t* source = pixels + static_cast<std::size_t>(cinfo.next_scanline) * width * components;
    for (int x = 0; x < width; ++x) {
      for (int k = 0; k < stored; ++k) row[static_cast<std::size_t>(x) * stored + k] = source[x * components + k];
    }
    JSAMPROW pointer = row.data();
    jpeg_write_scanlines(&cinfo, &pointer, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

// The table of chunks a record points at: one pointer into data every chunkSize bytes.
inline std::vector<const unsigned char*> Chunks(const std::vector<std::uint8_t>& data, int chunkSize) {
  std::vector<const unsigned char*> table;
  for (std::size_t at = 0; at < data.size(); at += static_cast<std::size_t>(chunkSize)) table.push_back(&data[at]);
  return table;
}

}  // namespace vessant_image
