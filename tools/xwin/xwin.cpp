// Small X11 helper for the window tests.
//   xwin find TITLE TIMEOUT_MS   prints the id of the viewable top-level window with that title
//   xwin capture WINDOW FILE     writes the window's client area as an RGB PNG
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
  std::fputs("usage: xwin find TITLE TIMEOUT_MS | xwin capture WINDOW FILE | xwin close WINDOW\n", stderr);
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

int capture(Display* display, Window window, const char* path) {
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display, window, &attributes) == 0) return 1;
  XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return 1;
  std::FILE* file = std::fopen(path, "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (file == nullptr || png == nullptr || info == nullptr || setjmp(png_jmpbuf(png))) {
    if (file != nullptr) std::fclose(file);
    XDestroyImage(image);
    return 1;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image->width), static_cast<png_uint_32>(image->height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> row(static_cast<std::size_t>(image->width) * 3);
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      row[3 * x] = static_cast<png_byte>(channel(pixel, image->red_mask));
      row[3 * x + 1] = static_cast<png_byte>(channel(pixel, image->green_mask));
      row[3 * x + 2] = static_cast<png_byte>(channel(pixel, image->blue_mask));
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
  XDestroyImage(image);
  return 0;
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
  } else if (command == "close" && argc == 3) {
    result = close(display, static_cast<Window>(std::strtoul(argv[2], nullptr, 0)));
  } else {
    usage();
  }
  XCloseDisplay(display);
  return result;
}
