// Handlers whose behaviour arrives with later work; each moves to its concern's file then.
#include "app/TFormHlav.h"

namespace kordana {

void TFormHlav::SpeedButtonPrintClick() {}
void TFormHlav::MenuToolsMinusClick() {}
void TFormHlav::MenuToolsPlusClick() {}

} // namespace kordana
