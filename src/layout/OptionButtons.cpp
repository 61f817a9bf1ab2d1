// The option buttons above the memories.
#include "app/Main.h"

namespace korvane {

// No option button is made yet: the toolkit has no image button so far, and with none made the
// layout and the tab order simply skip their groups.
void TForm1::CreateOptionButton() {}

void TForm1::DeleteOptionButton() {}

}  // namespace korvane
