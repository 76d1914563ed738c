#pragma once
// Re-applies the style sheet to a widget after a property its style rules select on changed
// (e.g. [lightControl="0"]), keeping the font of its "fontId".

class QWidget;

namespace md {

void repolish(QWidget* w);

}  // namespace md
