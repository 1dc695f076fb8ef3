// Handlers whose behaviour arrives with later work; each moves to its concern's file then.
#include "app/TFormHlav.h"

namespace kordana {

void TFormHlav::MenuNewClick() {}
void TFormHlav::MenuOpenClick() {}
void TFormHlav::MenuSaveClick() {}
void TFormHlav::SpeedButtonPrintClick() {}
void TFormHlav::Menu_Ign123NormalClick() {}
void TFormHlav::Menu_Ign123CoupledClick() {}
void TFormHlav::Menu_Ign123StejnyClick() {}
void TFormHlav::Menu_Jet123NormalClick() {}
void TFormHlav::Menu_Jet123CoupledClick() {}
void TFormHlav::Menu_Jet123StejnyClick() {}
void TFormHlav::MenuToolsMinusClick() {}
void TFormHlav::MenuToolsPlusClick() {}
void TFormHlav::MenuContensClick() {}
void TFormHlav::MenuAboutClick() {}
void TFormHlav::PageControl1Change(int) {
    PageRefresh();
}
void TFormHlav::PageHarvest() {}
void TFormHlav::PageRefresh() {}
void TFormHlav::ShowCouplingIndicators() {}

} // namespace kordana
