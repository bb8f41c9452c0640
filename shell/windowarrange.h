#pragma once

#include <QList>
#include <QRect>

class QMdiArea;

// Rectangles for n windows stacked one above the other in area, each as wide as
// the area; the last one takes the pixels left over by the division.
QList<QRect> stackedTiles(const QRect& area, int n);

// Tiles the open children of the area stacked horizontally (one above the other).
// Minimised children stay where they are, and the tiles leave room for them.
void tileStacked(QMdiArea* area);

// Cascades the open children from the area's top left corner, each one title bar
// lower and to the right of the one before, frontmost last. Every child keeps its
// design size (its current size when none was recorded): panels have no size hint
// to go by. Minimised children stay where they are.
void cascadeAtDesignSizes(QMdiArea* area);
