// What each control's tooltip says: for a button that posts, its lines as the room shows them,
// in order, taken from the catalogue of lines so that a changed line changes its tooltip too;
// then what else it does. The words around the lines are the layout's.
#pragma once

#include <string>

namespace quillow::tips {

// The tooltip of the control with the layout's id (Command<n> is n, Text1 is layout::kText1Id),
// in UTF-8 with one line a row, rows ending in "\n" but the last; empty for any other id.
std::string TipText(int id);

}  // namespace quillow::tips
