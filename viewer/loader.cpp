// Start-up of the viewer: welcome screen, reading of the drawing file,
// message flash and tagging.
#include "viewer/loader.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <limits>
#include <string>

#include "bgi/bgi.h"

namespace mivlet {

namespace {

const char* const kTitle = "Display my TALPRA mapped in *DataMyDrawing* file \n";
const char* const kHelp =
    " You can use B/b resp. P/p resp M/m resp C/c to switch drawing into Border mode resp. Pin mode resp. Mosaic "
    "mode resp. Circuit mode \n";
const char* const kRotationHelp = "  To change a rotation press '@' symbol on your keyboard \n";

// Highest last index that the arrays can hold.
constexpr int kMaxCount = korvane::kCapacity - 1;

// The next whitespace-separated token as a whole number in [low, high].
bool ReadNumber(std::istream& fin, long low, long high, long& value) {
  std::string s;
  if (!(fin >> s)) return false;
  const char* first = s.data();
  const char* last = s.data() + s.size();
  const auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last && value >= low && value <= high;
}

// A count: the last index of the block's entries.
bool ReadCount(std::istream& fin, int& n) {
  long value = 0;
  if (!ReadNumber(fin, std::numeric_limits<int>::min(), kMaxCount, value)) return false;
  n = static_cast<int>(value);
  return true;
}

// Any word stands as a separator; its text is not looked at.
bool ReadSeparator(std::istream& fin) {
  std::string s;
  return static_cast<bool>(fin >> s);
}

bool ReadCoordinate(std::istream& fin, std::int16_t& c) {
  long value = 0;
  if (!ReadNumber(fin, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max(), value)) {
    return false;
  }
  c = static_cast<std::int16_t>(value);
  return true;
}

bool ReadPointBlock(std::istream& fin, PointArray& A, int& n) {
  if (!ReadCount(fin, n)) return false;
  for (int i = 0; i <= n; ++i) {
    if (!ReadCoordinate(fin, A[i].x) || !ReadSeparator(fin)) return false;
    if (!ReadCoordinate(fin, A[i].y) || !ReadSeparator(fin)) return false;
  }
  return true;
}

// A tag is a token of one character.
bool ReadTagBlock(std::istream& fin, TagArray& T, int& n) {
  if (!ReadCount(fin, n)) return false;
  for (int i = 0; i <= n; ++i) {
    std::string s;
    if (!(fin >> s) || s.size() != 1) return false;
    T[i] = s[0];
    if (!ReadSeparator(fin)) return false;
  }
  return true;
}

// Offset contour, polygon and tags of one rotation; the tag block's count
// must repeat the polygon's.
bool ReadRotation(std::istream& fin, int I_, PointArray& offset, int& J, PointArray& polygon, TagArray& tags,
                  int& K) {
  if (!ReadPointBlock(fin, offset, J) || J != I_) return false;
  int polygonCount = 0;
  if (!ReadPointBlock(fin, polygon, polygonCount)) return false;
  if (!ReadTagBlock(fin, tags, K) || K != polygonCount) return false;
  return true;
}

}  // namespace

int InitScreen3() {
  setcolor(11);
  settextstyle(6, 0, 5);
  outtextxy(312, 412, kTitle);
  setcolor(15);
  settextstyle(6, 0, 3);
  outtextxy(42, 712, kHelp);
  setcolor(10);
  outtextxy(462, 812, kRotationHelp);
  delay(5000);
  setcolor(0);
  settextstyle(6, 0, 5);
  outtextxy(312, 412, kTitle);
  settextstyle(6, 0, 3);
  outtextxy(42, 712, kHelp);
  outtextxy(462, 812, kRotationHelp);
  return 0;
}

Loaded ReadBlocks(std::istream& fin, StoredBlocks& b) {
  if (!ReadPointBlock(fin, b.VERTEX_, b.I_)) return Loaded::Damaged;
  if (!ReadRotation(fin, b.I_, b.VERTEX0_, b.J_, b.U_, b.E_, b.K_)) return Loaded::Damaged;
  // Nothing but whitespace after the first rotation: the editor stopped there.
  fin >> std::ws;
  if (fin.peek() == std::char_traits<char>::eof()) return Loaded::OneRotation;
  if (!ReadRotation(fin, b.I_, b.WERTEX0_, b.JJ_, b.UU_, b.EE_, b.KK_)) return Loaded::Damaged;
  return Loaded::TwoRotations;
}

Loaded LoadDrawing(StoredBlocks& blocks) {
  std::ifstream fin("DataMyDrawing.txt");
  if (!fin.is_open()) return Loaded::Damaged;
  std::cout << "\n";
  const Loaded loaded = ReadBlocks(fin, blocks);
  fin.close();
  return loaded;
}

int FlashMessage(const char* text) {
  for (int showing = 0; showing < 3; ++showing) {
    setcolor(14);
    settextstyle(8, 0, 3);
    outtextxy(korvane::xtext + 50, korvane::ytext, text);
    delay(300);
    if (showing < 2) {
      setcolor(0);
      settextstyle(8, 0, 3);
      outtextxy(korvane::xtext + 50, korvane::ytext, text);
      delay(300);
    }
  }
  return 0;
}

int Tagging(const PointArray& VERTEX, int I, const PointArray& U, TagArray& E, int K) {
  for (int k = 0; k <= K; ++k) {
    for (int i = 0; i <= I; ++i) {
      if (U[k] == VERTEX[i]) {
        E[k] = 'b';
        break;
      }
    }
    if (E[k] != 'b') E[k] = 'r';
  }
  return 0;
}

}  // namespace mivlet
