// The backward pass: reversal, duplicate merge, concave and convex exams,
// removal of straight polygon vertices.
#pragma once

#include "editor/types.h"

namespace korvane {

int BackwardTransform(char t, int J, int W, PointArray& VERTEX, PointArray& VERTEX0, PointArray& Z, IntArray& I,
                      TagArray& C);
int CleanMultVert(char t, int J, int SrcLast, const PointArray& SrcP, const IntArray& SrcI, const TagArray& SrcC,
                  PointArray& DstP, IntArray& DstI, TagArray& DstC, int& DstLast);
// Also replaces the source by its duplicate-free copy.
int ConcaveAngleExam(char t, int& Iter, int J, int SrcLast, const PointArray& VERTEX0, PointArray& SrcP,
                     IntArray& SrcI, TagArray& SrcC, PointArray& DstP, IntArray& DstI, TagArray& DstC, int& DstLast);
int ConvexAngleExam(char t, int J, int SrcLast, const PointArray& VERTEX, const PointArray& SrcP,
                    const IntArray& SrcI, const TagArray& SrcC, PointArray& DstP, IntArray& DstI, TagArray& DstC,
                    int& DstLast);
int MinNumVert(char t, int J, int SrcLast, const PointArray& SrcP, const IntArray& SrcI, const TagArray& SrcC,
               PointArray& DstP, IntArray& DstI, TagArray& DstC, int& DstLast);

}  // namespace korvane
