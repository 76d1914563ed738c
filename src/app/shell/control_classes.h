#pragma once
// Registers the application's control classes with the layout builder, in the program's order.
// Classes not implemented yet are registered as ControlPlaceholder; the subsystem that brings a
// class registers its real factory under the same name.

namespace md {

void registerApplicationControls();

}  // namespace md
