// Writer of the drawing file "DataMyDrawing.txt".
//
// The file is never written in place: the new content goes to a temporary
// file in the same directory, which is then renamed over the drawing file,
// so a reader never sees half a file and a failed write keeps the old one.
// When the drawing cannot be saved, the message line says so.
#include "editor/drawing_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "bgi/bgi.h"

namespace korvane {

namespace {

constexpr const char* kDrawingFile = "DataMyDrawing.txt";
constexpr const char* kTempFile = "DataMyDrawing.txt.tmp";
constexpr const char* kNotSaved = " The drawing could not be saved to DataMyDrawing.txt \n";

// Blank line, last index, the points five to a line, final line end.
void PointBlock(std::FILE* out, const PointArray& A, int n) {
  std::fprintf(out, "\n%d\n", n);
  for (int i = 0; i <= n; ++i) {
    std::fprintf(out, "%d , %d , ", A[i].x, A[i].y);
    if ((i + 1) % 5 == 0) std::fputc('\n', out);
  }
  std::fputc('\n', out);
}

// Blank line, last index, the tags ten to a line, final line end. The
// closing-end tag 'g' is stored as 'f'.
void TagBlock(std::FILE* out, const TagArray& E, int n) {
  std::fprintf(out, "\n%d\n", n);
  for (int i = 0; i <= n; ++i) {
    std::fputc(E[i] == 'g' ? 'f' : E[i], out);
    std::fputs(" , ", out);
    if ((i + 1) % 10 == 0) std::fputc('\n', out);
  }
  std::fputc('\n', out);
}

// Copies the current drawing file into out; a missing file copies nothing.
bool CopyExisting(std::FILE* out) {
  std::FILE* in = std::fopen(kDrawingFile, "rb");
  if (in == nullptr) return errno == ENOENT;
  char buffer[4096];
  std::size_t got = 0;
  bool ok = true;
  while (ok && (got = std::fread(buffer, 1, sizeof buffer, in)) > 0) ok = std::fwrite(buffer, 1, got, out) == got;
  ok = ok && !std::ferror(in);
  std::fclose(in);
  return ok;
}

bool WriteAll(const PointArray& VERTEX, const PointArray& VERTEX0, const PointArray& U, const TagArray& E, int I,
              int J, int K, int blick) {
  // A stale temporary file (or a link left in its place) is removed first;
  // O_EXCL then makes sure we write a fresh file of our own.
  if (::unlink(kTempFile) != 0 && errno != ENOENT) return false;
  const int fd = ::open(kTempFile, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  std::FILE* out = ::fdopen(fd, "w");
  if (out == nullptr) {
    ::close(fd);
    ::unlink(kTempFile);
    return false;
  }
  bool ok = true;
  if (blick == 0) {
    PointBlock(out, VERTEX, I);
  } else {
    ok = CopyExisting(out);
  }
  if (ok) {
    PointBlock(out, VERTEX0, J);
    PointBlock(out, U, K);
    TagBlock(out, E, K);
  }
  ok = ok && std::fflush(out) == 0 && !std::ferror(out) && ::fsync(fd) == 0;
  ok = std::fclose(out) == 0 && ok;
  ok = ok && std::rename(kTempFile, kDrawingFile) == 0;
  if (!ok) ::unlink(kTempFile);
  return ok;
}

}  // namespace

int WritePolToFile(const PointArray& VERTEX, const PointArray& VERTEX0, const PointArray& U, const TagArray& E, int I,
                   int J, int K, int blick) {
  if (WriteAll(VERTEX, VERTEX0, U, E, I, J, K, blick)) return 0;
  settextstyle(8, 0, 3);
  setcolor(12);
  outtextxy(xtext + 50, ytext, kNotSaved);
  delay(2000);
  setcolor(0);
  outtextxy(xtext + 50, ytext, kNotSaved);
  return 0;
}

}  // namespace korvane
