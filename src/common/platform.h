// The font the windows are drawn in, which differs between the systems (as the port numbers do,
// src/link/portmap_*.cpp; the standard streams are in binarystreams.h). One source file per system.
#pragma once

#include <QFont>

namespace tb {

// The sans serif of the forms; the size is the caller's. On Windows it is DejaVu Sans from the file
// beside the program, which Linux draws too (and wine draws the default Windows font as symbols);
// the system's own sans serif elsewhere.
QFont systemSansSerif();

// Gives message boxes and file dialogs the same family as the forms (nothing to do on Linux).
void useSansSerifEverywhere();

} // namespace tb
