#include "ui/control_placeholder.h"

namespace md {

ControlPlaceholder::ControlPlaceholder(QWidget* parent) : QWidget(parent) {}

}  // namespace md
