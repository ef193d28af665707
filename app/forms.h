#pragma once
// The seventeen windows of the program, reached directly by every other
// window. The program entry creates them in this order, the main window first.

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;
class TForm11;
class TForm12;
class TForm13;
class TForm14;
class TForm15;
class TForm16;
class TForm17;

extern TForm1* Form1;    // main window
extern TForm2* Form2;    // Hakkında
extern TForm3* Form3;    // Tüm Kayıtlar
extern TForm4* Form4;    // Yazdırım
extern TForm5* Form5;    // Veri Tabanı Araştırılıyor
extern TForm6* Form6;    // Rehber Grubu
extern TForm7* Form7;    // Grup Adı Girin
extern TForm8* Form8;    // Yazdırılacak Grup
extern TForm9* Form9;    // Grup Silme Onay?
extern TForm10* Form10;  // Kullanım Esasları
extern TForm11* Form11;  // Silme Onay?
extern TForm12* Form12;  // Grup Birleştirici
extern TForm13* Form13;  // Veri Tabanı Dosyası Seçin
extern TForm14* Form14;  // Yeni İsim
extern TForm15* Form15;  // Alfabetik İçerik
extern TForm16* Form16;  // İsim Listesi
extern TForm17* Form17;  // Yedek Al

// Creates the windows in order; creating the main window runs its start-up.
void createForms();
// Destroys them all (the end of the program, or of a test).
void destroyForms();
