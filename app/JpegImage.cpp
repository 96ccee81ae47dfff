#include "app/JpegImage.h"

#include <QFile>
#include <QFileInfo>
#include <csetjmp>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace jpeg {

namespace {

// The error manager: a fatal error jumps back to the decoder instead of ending
// the program; messages are not printed.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf back;
  bool damaged = false;  // a warning that the picture data is damaged
};

[[noreturn]] void OnError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(err->back, 1);
}

void OnMessage(j_common_ptr) {}

// Warnings (level -1) that mean the coded picture itself is damaged: what comes
// out would be partly garbage, so the picture is refused. Harmless warnings (an
// unknown marker version, stray bytes between markers) are let through.
void OnEmit(j_common_ptr cinfo, int level) {
  if (level != -1) return;
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  switch (cinfo->err->msg_code) {
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_TOO_MUCH_DATA:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_JPEG_EOF:
      err->damaged = true;
      break;
    default:
      break;
  }
  ++cinfo->err->num_warnings;
}

// A source over bytes in memory. The end of the data is an error: a truncated
// file is refused instead of being shown half grey.
void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
  ERREXIT(cinfo, JERR_INPUT_EOF);
  return FALSE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* src = cinfo->src;
  if (static_cast<size_t>(count) > src->bytes_in_buffer) FillInputBuffer(cinfo);
  src->next_input_byte += count;
  src->bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

// Everything the jumping part touches lives here, outside the function that
// calls setjmp, so that no destructor is skipped by a jump.
struct Job {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  jpeg_source_mgr src;
  QSize area;
  QImage* out = nullptr;
};

inline uchar Clamp255(int v) { return static_cast<uchar>(v < 0 ? 0 : (v > 255 ? 255 : v)); }

// Runs the decoder; false when libjpeg reported a fatal error.
bool Run(Job& job) {
  j_decompress_ptr cinfo = &job.cinfo;
  if (setjmp(job.err.back)) return false;

  if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) return false;

  J_COLOR_SPACE out_space;
  int channels;
  switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
      out_space = JCS_GRAYSCALE;
      channels = 1;
      break;
    case JCS_YCbCr:
    case JCS_RGB:
      out_space = JCS_RGB;
      channels = 3;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      out_space = JCS_CMYK;
      channels = 4;
      break;
    default:
      return false;
  }
  cinfo->out_color_space = out_space;
  cinfo->scale_num = 1;
  cinfo->scale_denom =
      ScaleDenominator(QSize(static_cast<int>(cinfo->image_width), static_cast<int>(cinfo->image_height)), job.area);
  jpeg_calc_output_dimensions(cinfo);
  const qint64 pixels = qint64(cinfo->output_width) * qint64(cinfo->output_height);
  if (pixels <= 0 || pixels > kMaxPixels) return false;

  *job.out =
      QImage(static_cast<int>(cinfo->output_width), static_cast<int>(cinfo->output_height), QImage::Format_RGB888);
  if (job.out->isNull()) return false;

  jpeg_start_decompress(cinfo);
  if (cinfo->output_components != channels) return false;

  // Grey and CMYK rows go through a row of libjpeg's own memory (freed with the
  // decoder) and are converted; RGB rows are written straight into the picture.
  JSAMPARRAY row = nullptr;
  if (channels != 3) {
    row = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                      cinfo->output_width * static_cast<JDIMENSION>(channels), 1);
  }
  // Adobe writes CMYK inverted; files without its marker hold plain ink values.
  const bool inverted = cinfo->saw_Adobe_marker;
  const int width = static_cast<int>(cinfo->output_width);
  while (cinfo->output_scanline < cinfo->output_height) {
    uchar* line = job.out->scanLine(static_cast<int>(cinfo->output_scanline));
    if (channels == 3) {
      JSAMPROW dest = line;
      jpeg_read_scanlines(cinfo, &dest, 1);
      if (job.err.damaged) return false;
      continue;
    }
    jpeg_read_scanlines(cinfo, row, 1);
    if (job.err.damaged) return false;
    const JSAMPLE* s = row[0];
    if (channels == 1) {
      for (int x = 0; x < width; ++x) line[3 * x] = line[3 * x + 1] = line[3 * x + 2] = s[x];
    } else {
      for (int x = 0; x < width; ++x) {
        int c = s[4 * x], m = s[4 * x + 1], y = s[4 * x + 2], k = s[4 * x + 3];
        if (!inverted) {
          c = 255 - c;
          m = 255 - m;
          y = 255 - y;
          k = 255 - k;
        }
        // Here c, m, y, k are the amounts of paper left uncovered (255 = none).
        line[3 * x] = Clamp255((c * k + 127) / 255);
        line[3 * x + 1] = Clamp255((m * k + 127) / 255);
        line[3 * x + 2] = Clamp255((y * k + 127) / 255);
      }
    }
  }
  jpeg_finish_decompress(cinfo);
  return !job.err.damaged;
}

}  // namespace

int ScaleDenominator(QSize picture, QSize area) {
  if (area.width() <= 0 || area.height() <= 0) return 1;
  for (int d : {8, 4, 2}) {
    if (qint64(picture.width()) >= qint64(d) * area.width() && qint64(picture.height()) >= qint64(d) * area.height())
      return d;
  }
  return 1;
}

QImage DecodeBytes(const QByteArray& data, QSize area) {
  if (data.isEmpty()) return QImage();
  QImage image;
  Job job{};
  job.area = area;
  job.out = &image;
  job.cinfo.err = jpeg_std_error(&job.err.pub);
  job.err.pub.error_exit = OnError;
  job.err.pub.output_message = OnMessage;
  job.err.pub.emit_message = OnEmit;
  if (setjmp(job.err.back)) {
    // The decoder could not even be created.
    jpeg_destroy_decompress(&job.cinfo);
    return QImage();
  }
  jpeg_create_decompress(&job.cinfo);
  // The decoder's own memory is bounded: a progressive picture keeps all of its
  // coefficients, which for a huge (or lying) header would be gigabytes. Past
  // the bound the decoder stops with an error instead of the program hanging.
  job.cinfo.mem->max_memory_to_use = kMaxDecoderBytes;
  job.src.init_source = InitSource;
  job.src.fill_input_buffer = FillInputBuffer;
  job.src.skip_input_data = SkipInputData;
  job.src.resync_to_restart = jpeg_resync_to_restart;
  job.src.term_source = TermSource;
  job.src.next_input_byte = reinterpret_cast<const JOCTET*>(data.constData());
  job.src.bytes_in_buffer = static_cast<size_t>(data.size());
  job.cinfo.src = &job.src;

  const bool ok = Run(job);
  jpeg_destroy_decompress(&job.cinfo);
  if (!ok) return QImage();
  return image;
}

QImage Decode(const QString& path, QSize area) {
  // A folder named like a picture, a device or a pipe is no picture.
  const QFileInfo info(path);
  if (!info.isFile()) return QImage();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QImage();
  // A JPEG picture within the pixel limit is far smaller than this.
  constexpr qint64 kMaxFileBytes = 512ll * 1024 * 1024;
  if (file.size() > kMaxFileBytes) return QImage();
  return DecodeBytes(file.readAll(), area);
}

}  // namespace jpeg
