#pragma once

class QAbstractItemView;

// The colours both table views share (track list and playlist list), in the
// active and the inactive colour group.
void ovg_apply_table_palette(QAbstractItemView* view);
