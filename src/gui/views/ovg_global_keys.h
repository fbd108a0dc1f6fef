#pragma once

#include <Qt>

// Keys that act on the whole program, not on the focused table: Space with
// any modifiers; Left, Right or Tab with exactly Ctrl. Table views forward
// them to the main window instead of handling them.
inline bool ovg_is_global_key(int key, Qt::KeyboardModifiers modifiers) {
  if (key == Qt::Key_Space) return true;
  const bool ctrl_only = (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier;
  return ctrl_only && (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Tab);
}
