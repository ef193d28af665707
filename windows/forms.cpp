#include "windows/forms.h"

TForm2* Form2 = nullptr;
TForm3* Form3 = nullptr;
TForm4* Form4 = nullptr;
TForm5* Form5 = nullptr;
TForm6* Form6 = nullptr;
TForm7* Form7 = nullptr;
TForm8* Form8 = nullptr;
TForm9* Form9 = nullptr;
TForm10* Form10 = nullptr;
TForm11* Form11 = nullptr;
TForm12* Form12 = nullptr;
TForm13* Form13 = nullptr;
TForm14* Form14 = nullptr;
TForm15* Form15 = nullptr;
TForm16* Form16 = nullptr;
TForm17* Form17 = nullptr;
ImportWindow* importWindow = nullptr;
ExportWindow* exportWindow = nullptr;
QrCodeWindow* qrCodeWindow = nullptr;
SyncSettingsWindow* syncSettingsWindow = nullptr;
SyncWindow* syncWindow = nullptr;
