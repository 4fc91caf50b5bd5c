// Small X11 helper for the window tests.
//   xwin find TITLE TIMEOUT_MS   prints the id of the viewable top-level window with that title
//   xwin capture WINDOW FILE     writes the window's client area as an RGB PNG
//   xwin shows WINDOW FILE TIMEOUT_MS
//                                waits until the client area shows exactly the pixels of the PNG FILE;
//                                when time runs out, exit code 1 and the last capture in FILE.window.png
//   xwin close WINDOW            sends the window manager's close request (WM_DELETE_WINDOW)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

int usage() {
  std::fputs("usage: xwin find TITLE TIMEOUT_MS | xwin capture WINDOW FILE | xwin shows WINDOW FILE TIMEOUT_MS | "
             "xwin close WINDOW\n",
             stderr);
  return 2;
}

bool hasTitle(Display* display, Window window, const std::string& title) {
  XTextProperty property;
  if (XGetWMName(display, window, &property) == 0 || property.value == nullptr) return false;
  const bool same = std::string(reinterpret_cast<const char*>(property.value), property.nitems) == title;
  XFree(property.value);
  return same;
}

Window findWindow(Display* display, const std::string& title) {
  Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (XQueryTree(display, root, &root, &parent, &children, &count) == 0) return 0;
  for (unsigned i = 0; i < count && found == 0; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, children[i], &attributes) != 0 && attributes.map_state == IsViewable &&
        hasTitle(display, children[i], title)) {
      found = children[i];
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

int find(Display* display, const std::string& title, long timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    if (Window window = findWindow(display, title)) {
      std::printf("%lu\n", static_cast<unsigned long>(window));
      return 0;
    }
    if (std::chrono::steady_clock::now() >= end) return 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

int channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  const unsigned long max = mask >> shift;
  return static_cast<int>(((pixel & mask) >> shift) * 255 / max);
}

struct Picture {
  png_uint_32 width = 0, height = 0;
  std::vector<png_byte> rgb;
  bool operator==(const Picture&) const = default;
};

// The window's client area as RGB; empty when it cannot be read.
Picture grab(Display* display, Window window) {
  Picture picture;
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, window, &attributes) == 0) return picture;
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return picture;
  picture.width = static_cast<png_uint_32>(image->width);
  picture.height = static_cast<png_uint_32>(image->height);
  picture.rgb.reserve(static_cast<std::size_t>(picture.width) * picture.height * 3);
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      picture.rgb.push_back(static_cast<png_byte>(channel(pixel, image->red_mask)));
      picture.rgb.push_back(static_cast<png_byte>(channel(pixel, image->green_mask)));
      picture.rgb.push_back(static_cast<png_byte>(channel(pixel, image->blue_mask)));
    }
  }
  XDestroyImage(image);
  return picture;
}

bool writePicture(const Picture& picture, const std::string& path) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = picture.width;
  image.height = picture.height;
  image.format = PNG_FORMAT_RGB;
  return !picture.rgb.empty() &&
         png_image_write_to_file(&image, path.c_str(), 0, picture.rgb.data(), 0, nullptr) != 0;
}

bool readPicture(const std::string& path, Picture& picture) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return false;
  image.format = PNG_FORMAT_RGB;
  picture.width = image.width;
  picture.height = image.height;
  picture.rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0;
}

int capture(Display* display, Window window, const char* path) {
  return writePicture(grab(display, window), path) ? 0 : 1;
}

int shows(Display* display, Window window, const std::string& path, long timeoutMs) {
  Picture expected, got;
  if (!readPicture(path, expected)) {
    std::fprintf(stderr, "xwin: cannot read %s\n", path.c_str());
    return 2;
  }
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    got = grab(display, window);
    if (got == expected) return 0;
    if (std::chrono::steady_clock::now() >= end) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  writePicture(got, path + ".window.png");
  std::fprintf(stderr, "xwin: the window does not show %s\n", path.c_str());
  return 1;
}

int close(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return usage();
  const std::string command = argv[1];
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fputs("xwin: cannot open the display\n", stderr);
    return 1;
  }
  int result = 2;
  if (command == "find" && argc == 4) {
    result = find(display, argv[2], std::strtol(argv[3], nullptr, 10));
  } else if (command == "capture" && argc == 4) {
    result = capture(display, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)), argv[3]);
  } else if (command == "shows" && argc == 5) {
    result = shows(display, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)), argv[3],
                   std::strtol(argv[4], nullptr, 10));
  } else if (command == "close" && argc == 3) {
    result = close(display, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)));
  } else {
    usage();
  }
  XCloseDisplay(display);
  return result;
}
