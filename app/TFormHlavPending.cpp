// Handlers whose behaviour arrives with later work; each moves to its concern's file then.
#include "app/TFormHlav.h"

namespace kordana {

void TFormHlav::MenuNewClick() {}
void TFormHlav::MenuOpenClick() {}
void TFormHlav::MenuSaveClick() {}
void TFormHlav::SpeedButtonPrintClick() {}
void TFormHlav::MenuCom1Click() {}
void TFormHlav::MenuReadClick() {}
void TFormHlav::MenuVerifyClick() {}
void TFormHlav::MenuProgramClick() {}
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
void TFormHlav::Timer1Timer() {}
void TFormHlav::PageControl1Change(int) {
    PageRefresh();
}
void TFormHlav::PageHarvest() {}
void TFormHlav::PageRefresh() {}
void TFormHlav::ShowCouplingIndicators() {}
void TFormHlav::OpenComPort() {}
void TFormHlav::CloseComPort() {}
void TFormHlav::StartProgramming() {}

} // namespace kordana
