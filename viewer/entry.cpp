// The viewer: loads the drawing file, tags the polygon and shows it in the
// mode that each key selects.
#include "bgi/bgi.h"
#include "editor/types.h"
#include "viewer/loader.h"
#include "viewer/mivlet.h"
#include "viewer/modes.h"

namespace mivlet {

namespace {

// Copies one rotation's offset contour, polygon and tags into the working set.
void CopyRotation(const PointArray& offset, int offsetLast, const PointArray& polygon, const TagArray& tags,
                  int polygonLast, PointArray& VERTEX0, int& J, PointArray& U, TagArray& E, int& K) {
  J = offsetLast;
  for (int k = 0; k <= J; ++k) VERTEX0[k] = offset[k];
  K = polygonLast;
  for (int k = 0; k <= K; ++k) {
    U[k] = polygon[k];
    E[k] = tags[k];
  }
}

// Copies the first rotation into the working set.
void FirstSet(const StoredBlocks& b, PointArray& VERTEX, int& I, PointArray& VERTEX0, int& J, PointArray& U,
              TagArray& E, int& K) {
  I = b.I_;
  for (int k = 0; k <= I; ++k) VERTEX[k] = b.VERTEX_[k];
  CopyRotation(b.VERTEX0_, b.J_, b.U_, b.E_, b.K_, VERTEX0, J, U, E, K);
}

// Copies the second rotation into the working set: the stored contour runs
// backwards there.
void SecondSet(const StoredBlocks& b, PointArray& VERTEX, int I, PointArray& VERTEX0, int& J, PointArray& U,
               TagArray& E, int& K) {
  for (int k = 0; k <= I; ++k) VERTEX[k] = b.VERTEX_[I - k];
  CopyRotation(b.WERTEX0_, b.JJ_, b.UU_, b.EE_, b.KK_, VERTEX0, J, U, E, K);
}

}  // namespace

int main() {
  initwindow(1900, 1000, "Windows BGI", 0, 0, false, true);
  InitScreen3();

  StoredBlocks blocks;
  const Loaded loaded = LoadDrawing(blocks);
  if (loaded == Loaded::Damaged) {
    FlashMessage(" The drawing file DataMyDrawing.txt cannot be read. \n");
    return 0;
  }
  if (blocks.I_ == 0) {
    FlashMessage(" No cirquit to be drawn from the empty input. \n");
    return 0;
  }
  if (blocks.I_ < 0) return 0;

  // The working set.
  PointArray VERTEX;
  int I = 0;
  PointArray VERTEX0;
  int J = 0;
  PointArray U;
  TagArray E;
  int K = 0;
  // Edge tables of the polygon, refilled by every overlap highlight.
  PointArray XYmin;
  PointArray XYmax;
  SlopeArray Slope;

  FirstSet(blocks, VERTEX, I, VERTEX0, J, U, E, K);
  Tagging(VERTEX, I, U, E, K);
  char Switch = '1';
  int t = 'b';
  int previous = t;

  while (IsModeLetter(t)) {
    const int key = getch();
    if (key == '@') {
      EraseMosaic(VERTEX, I, VERTEX0, J, U, K, true);
      // A file of one rotation has no other set: the first one stays.
      if (Switch == '0' || loaded == Loaded::OneRotation) {
        FirstSet(blocks, VERTEX, I, VERTEX0, J, U, E, K);
        Switch = '1';
      } else {
        SecondSet(blocks, VERTEX, I, VERTEX0, J, U, E, K);
        Switch = '0';
      }
      Tagging(VERTEX, I, U, E, K);
      t = 'b';
      EraseMosaic(VERTEX, I, VERTEX0, J, U, K, false);
    } else {
      previous = t;
      t = key;
      if ((previous == 'M' || previous == 'm') && t != 'M' && t != 'm') EraseMosaic(VERTEX, I, VERTEX0, J, U, K, false);
    }
    Redraw(t, VERTEX, I, VERTEX0, J, U, E, K, XYmin, XYmax, Slope);
  }
  return 0;
}

}  // namespace mivlet
