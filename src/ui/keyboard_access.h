#pragma once
// Keyboard and screen-reader access to the skin's controls, for every window at once:
//
//   - names: an interactive control's accessible name is the text of "acc_<objectName>" when
//     the language files have one (for an indexed name "x_3" also "acc_x_" with %1 = 4), else
//     its visible text (Qt's own rule), else the label in front of it (its form's label, or a
//     label just before it in its layout, made its buddy), else its tool tip. Applied with the
//     texts (ResourceManager), so the names follow the language.
//   - Tab reaches every option of an exclusive group too (Qt's rule stops at the checked one).
//   - focus: a control the skin keeps out of the focus (Qt::NoFocus) takes it from Tab
//     (Qt::TabFocus, so clicks keep the focus where it was); applied after a layout is built.
//   - order: Tab and Shift+Tab go through the window's controls in reading order: each
//     container's children top to bottom, left to right in a row, a container's contents as
//     one block. The control reached so shows the window's focus ring ("focus_ring" in the
//     skin's style sheet); a click elsewhere or the control going away hides it.
//
// A window opts in by calling moveFocusInReadingOrder() from its focusNextPrevChild().

#include <QList>

class QString;
class QWidget;

namespace md {

// Buttons, options, sliders (not scroll bars), combo boxes, edits, spin boxes, item views, tab
// bars; a widget's property "keyboardControl" decides for it when set (false: a part of a
// control that takes the keys itself); never the ones whose property "indicator" is true
// (lamps that only show a colour; they are named like controls all the same).
bool isInteractiveControl(const QWidget* w);

// Gives w its accessible name by the rules above, unless code named it itself.
void applyAccessibleName(QWidget* w);
// Tab focus for the interactive controls of root (root included) that have none.
void enableKeyboardFocus(QWidget* root);

// The controls of window that Tab reaches now, in reading order.
QList<QWidget*> readingOrderFocusChain(QWidget* window);
// Moves the focus to the next (previous) control of the chain, wrapping; false when the
// chain is empty.
bool moveFocusInReadingOrder(QWidget* window, bool next);
// The window's focus ring, or nullptr before the first keyboard move.
QWidget* focusRing(QWidget* window);

}  // namespace md
