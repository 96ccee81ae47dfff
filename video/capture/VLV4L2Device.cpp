#include "video/capture/VLV4L2Device.h"

#include <fcntl.h>
#include <libv4l2.h>
#include <linux/videodev2.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace video {

namespace {

int Ioctl(int fd, unsigned long request, void* arg) {
  int r;
  do {
    r = v4l2_ioctl(fd, request, arg);
  } while (r == -1 && errno == EINTR);
  return r;
}

QString SystemReason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

bool IsCaptureDevice(const QString& path) {
  int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  v4l2_capability cap{};
  bool ok = ::ioctl(fd, VIDIOC_QUERYCAP, &cap) == 0;
  ::close(fd);
  if (!ok) return false;
  uint32_t caps = (cap.capabilities & V4L2_CAP_DEVICE_CAPS) ? cap.device_caps : cap.capabilities;
  return (caps & V4L2_CAP_VIDEO_CAPTURE) && (caps & V4L2_CAP_STREAMING);
}

}  // namespace

TVLV4L2Device::TVLV4L2Device(QString path) : path_(std::move(path)) {}
TVLV4L2Device::~TVLV4L2Device() { Close(); }

std::vector<QString> TVLV4L2Device::CaptureDevices() {
  QStringList names = QDir("/dev").entryList({"video*"}, QDir::System | QDir::Files);
  std::vector<std::pair<int, QString>> numbered;
  for (const QString& n : names) {
    bool ok = false;
    int number = n.mid(5).toInt(&ok);
    if (ok) numbered.emplace_back(number, "/dev/" + n);
  }
  std::sort(numbered.begin(), numbered.end());
  std::vector<QString> out;
  for (auto& [number, path] : numbered)
    if (IsCaptureDevice(path)) out.push_back(path);
  return out;
}

void TVLV4L2Device::Fail(const QString& what, int err) const {
  throw EVLDeviceError(path_, err ? what + " (" + SystemReason(err) + ")" : what);
}

void TVLV4L2Device::Open(const TVLCaptureFormat& format) {
  Close();
  if (path_.isEmpty()) {
    std::vector<QString> devices = CaptureDevices();
    if (devices.empty())
      throw EVLDeviceError(QStringLiteral("/dev/video*"), QStringLiteral("устройство видеозахвата не найдено"));
    path_ = devices.front();
  }
  fd_ = v4l2_open(QFile::encodeName(path_).constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) Fail(QStringLiteral("не удалось открыть устройство"), errno);
  try {
    v4l2_capability cap{};
    if (Ioctl(fd_, VIDIOC_QUERYCAP, &cap) != 0) Fail(QStringLiteral("это не устройство V4L2"), errno);
    uint32_t caps = (cap.capabilities & V4L2_CAP_DEVICE_CAPS) ? cap.device_caps : cap.capabilities;
    if (!(caps & V4L2_CAP_VIDEO_CAPTURE) || !(caps & V4L2_CAP_STREAMING))
      Fail(QStringLiteral("устройство не умеет снимать видео"), 0);

    // The height is fixed, the width keeps the device's current aspect ratio.
    v4l2_format fmt{};
    fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (Ioctl(fd_, VIDIOC_G_FMT, &fmt) != 0) Fail(QStringLiteral("не удалось прочитать формат кадра"), errno);
    int curW = int(fmt.fmt.pix.width), curH = int(fmt.fmt.pix.height);
    int width = curW > 0 && curH > 0 ? int(std::lround(double(format.height) * curW / curH)) : format.height * 4 / 3;
    width = std::max(2, width & ~1);
    fmt = v4l2_format{};
    fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    fmt.fmt.pix.width = uint32_t(width);
    fmt.fmt.pix.height = uint32_t(format.height);
    fmt.fmt.pix.pixelformat = V4L2_PIX_FMT_RGB24;
    fmt.fmt.pix.field = V4L2_FIELD_ANY;
    if (Ioctl(fd_, VIDIOC_S_FMT, &fmt) != 0) Fail(QStringLiteral("не удалось установить формат кадра"), errno);
    if (fmt.fmt.pix.pixelformat != V4L2_PIX_FMT_RGB24)
      Fail(QStringLiteral("устройство не отдаёт кадры в формате RGB24"), 0);
    width_ = int(fmt.fmt.pix.width);
    height_ = int(fmt.fmt.pix.height);
    lineBytes_ = std::max(int(fmt.fmt.pix.bytesperline), width_ * 3);
    if (width_ <= 0 || height_ <= 0) Fail(QStringLiteral("устройство вернуло пустой размер кадра"), 0);

    // A fixed frame rate; a device that cannot set it keeps its own.
    v4l2_streamparm parm{};
    parm.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    parm.parm.capture.timeperframe.numerator = 1;
    parm.parm.capture.timeperframe.denominator = uint32_t(format.frameRate);
    Ioctl(fd_, VIDIOC_S_PARM, &parm);

    v4l2_requestbuffers req{};
    req.count = 4;
    req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    req.memory = V4L2_MEMORY_MMAP;
    if (Ioctl(fd_, VIDIOC_REQBUFS, &req) != 0 || req.count < 1)
      Fail(QStringLiteral("не удалось получить буферы кадров"), errno);
    for (uint32_t i = 0; i < req.count; ++i) {
      v4l2_buffer buf{};
      buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
      buf.memory = V4L2_MEMORY_MMAP;
      buf.index = i;
      if (Ioctl(fd_, VIDIOC_QUERYBUF, &buf) != 0) Fail(QStringLiteral("не удалось получить буферы кадров"), errno);
      void* p = v4l2_mmap(nullptr, buf.length, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, buf.m.offset);
      if (p == MAP_FAILED) Fail(QStringLiteral("не удалось отобразить буферы кадров"), errno);
      buffers_.push_back({p, buf.length});
      if (Ioctl(fd_, VIDIOC_QBUF, &buf) != 0) Fail(QStringLiteral("не удалось поставить буфер в очередь"), errno);
    }
    v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (Ioctl(fd_, VIDIOC_STREAMON, &type) != 0) Fail(QStringLiteral("не удалось запустить поток кадров"), errno);
    streaming_ = true;
  } catch (...) {
    Close();
    throw;
  }
}

TVLImageBuffer TVLV4L2Device::Next(std::chrono::milliseconds timeout) {
  if (fd_ < 0 || !streaming_) Fail(QStringLiteral("устройство не открыто"), 0);
  pollfd pfd{fd_, POLLIN, 0};
  int r = ::poll(&pfd, 1, int(timeout.count()));
  if (r == 0 || (r < 0 && errno == EINTR)) return {};
  if (r < 0) Fail(QStringLiteral("ошибка ожидания кадра"), errno);
  if (pfd.revents & (POLLERR | POLLHUP | POLLNVAL)) Fail(QStringLiteral("устройство перестало отвечать"), 0);
  v4l2_buffer buf{};
  buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  buf.memory = V4L2_MEMORY_MMAP;
  if (Ioctl(fd_, VIDIOC_DQBUF, &buf) != 0) {
    if (errno == EAGAIN) return {};
    Fail(QStringLiteral("не удалось получить кадр"), errno);
  }
  TVLImageBuffer frame;
  if (buf.index < buffers_.size() && !(buf.flags & V4L2_BUF_FLAG_ERROR) &&
      size_t(buf.bytesused) >= size_t(lineBytes_) * size_t(height_ - 1) + size_t(width_) * 3) {
    frame = TVLImageBuffer(width_, height_, TVLPixelFormat::vfRGB24);
    const auto* src = static_cast<const uint8_t*>(buffers_[buf.index].start);
    uint8_t* dst = frame.Write();
    for (int y = 0; y < height_; ++y)
      std::memcpy(dst + size_t(y) * size_t(width_) * 3, src + size_t(y) * size_t(lineBytes_), size_t(width_) * 3);
  }
  if (Ioctl(fd_, VIDIOC_QBUF, &buf) != 0) Fail(QStringLiteral("не удалось вернуть буфер в очередь"), errno);
  return frame;
}

void TVLV4L2Device::Close() noexcept {
  if (fd_ < 0) return;
  if (streaming_) {
    v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    Ioctl(fd_, VIDIOC_STREAMOFF, &type);
    streaming_ = false;
  }
  for (const Mapped& m : buffers_) v4l2_munmap(m.start, m.length);
  buffers_.clear();
  v4l2_close(fd_);
  fd_ = -1;
}

}  // namespace video
