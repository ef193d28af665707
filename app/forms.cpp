#include "app/forms.h"

#include "app/Unit1.h"
#include "windows/about.h"
#include "windows/ALFABE.h"
#include "windows/bilgi.h"
#include "windows/birles.h"
#include "windows/disaktar.h"
#include "windows/grup.h"
#include "windows/iceaktar.h"
#include "windows/isim.h"
#include "windows/isimlistesi.h"
#include "windows/isimsirala.h"
#include "windows/karekod.h"
#include "windows/kullanim.h"
#include "windows/onay.h"
#include "windows/tum.h"
#include "windows/Unit8.h"
#include "windows/veriekle.h"
#include "windows/yazdir.h"
#include "windows/yedek.h"
#include "windows/yeniisim.h"

TForm1* Form1 = nullptr;
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
TForm18* Form18 = nullptr;
TForm19* Form19 = nullptr;
TForm20* Form20 = nullptr;

void createForms() {
    Form1 = new TForm1();
    Form2 = new TForm2(Form1);
    Form3 = new TForm3(Form1);
    Form4 = new TForm4(Form1);
    Form5 = new TForm5(Form1);
    Form6 = new TForm6(Form1);
    Form7 = new TForm7(Form1);
    Form8 = new TForm8(Form1);
    Form9 = new TForm9(Form1);
    Form10 = new TForm10(Form1);
    Form11 = new TForm11(Form1);
    Form12 = new TForm12(Form1);
    Form13 = new TForm13(Form1);
    Form14 = new TForm14(Form1);
    Form15 = new TForm15(Form1);
    Form16 = new TForm16(Form1);
    Form17 = new TForm17(Form1);
    Form18 = new TForm18(Form1);
    Form19 = new TForm19(Form1);
    Form20 = new TForm20(Form1);
}

void destroyForms() {
    delete Form1;  // the other windows are its children
    Form1 = nullptr;
    Form2 = nullptr;
    Form3 = nullptr;
    Form4 = nullptr;
    Form5 = nullptr;
    Form6 = nullptr;
    Form7 = nullptr;
    Form8 = nullptr;
    Form9 = nullptr;
    Form10 = nullptr;
    Form11 = nullptr;
    Form12 = nullptr;
    Form13 = nullptr;
    Form14 = nullptr;
    Form15 = nullptr;
    Form16 = nullptr;
    Form17 = nullptr;
    Form18 = nullptr;
    Form19 = nullptr;
    Form20 = nullptr;
}
