// Start-up of the viewer: the welcome screen, the reader of the drawing file,
// the message flash and the tagging of polygon vertices.
#pragma once

#include <istream>

#include "editor/types.h"

namespace mivlet {

using korvane::PointArray;
using korvane::TagArray;

// The blocks of the drawing file as read; never changed after loading.
struct StoredBlocks {
  PointArray VERTEX_;   // contour
  int I_ = 0;
  PointArray VERTEX0_;  // offset contour, first rotation
  int J_ = 0;
  PointArray U_;        // polygon, first rotation
  TagArray E_;
  int K_ = 0;
  PointArray WERTEX0_;  // offset contour, second rotation
  int JJ_ = 0;
  PointArray UU_;       // polygon, second rotation
  TagArray EE_;
  int KK_ = 0;
};

enum class Loaded {
  Damaged,      // unreadable: nothing of it may be used
  OneRotation,  // four blocks: the editor ended after its first pass
  TwoRotations  // all seven blocks
};

// Welcome and help text for 5 s, then erased.
int InitScreen3();

// Reads the blocks from a stream of whitespace-separated tokens and judges
// the whole file before anything of it is used.
Loaded ReadBlocks(std::istream& fin, StoredBlocks& blocks);

// Opens "DataMyDrawing.txt" in the working directory and reads it.
Loaded LoadDrawing(StoredBlocks& blocks);

// Three yellow showings of text in the message line, 300 ms each with 300 ms
// dark between them; the third showing stays.
int FlashMessage(const char* text);

// 'b' for a vertex on the contour or stored as 'b', 'r' for any other.
int Tagging(const PointArray& VERTEX, int I, const PointArray& U, TagArray& E, int K);

}  // namespace mivlet
