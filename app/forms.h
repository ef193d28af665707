#pragma once
// The twenty windows of the program, reached directly by every other
// window. The program entry creates them in this order, the main window first.
// Beside each: the unit that holds it, and its caption.

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
class TForm18;
class TForm19;
class TForm20;

extern TForm1* Form1;    // Unit1:       main window "Telefika 2003 v2.0"
extern TForm2* Form2;    // about:       Hakkında
extern TForm3* Form3;    // tum:         Tüm Kayıtlar
extern TForm4* Form4;    // yazdir:      Yazdırım
extern TForm5* Form5;    // bilgi:       Veri Tabanı Araştırılıyor
extern TForm6* Form6;    // grup:        Rehber Grubu
extern TForm7* Form7;    // isim:        Grup Adı Girin
extern TForm8* Form8;    // Unit8:       Yazdırılacak Grup
extern TForm9* Form9;    // birles:      Grup Silme Onay?
extern TForm10* Form10;  // kullanim:    Kullanım Esasları
extern TForm11* Form11;  // onay:        Silme Onay?
extern TForm12* Form12;  // isimsirala:  Grup Birleştirici
extern TForm13* Form13;  // veriekle:    Veri Tabanı Dosyası Seçin
extern TForm14* Form14;  // yeniisim:    Yeni İsim
extern TForm15* Form15;  // ALFABE:      Alfabetik İçerik
extern TForm16* Form16;  // isimlistesi: İsim Listesi
extern TForm17* Form17;  // yedek:       Yedek Al
extern TForm18* Form18;  // iceaktar:    Kişileri İçe Aktar
extern TForm19* Form19;  // disaktar:    Kişileri Dışa Aktar
extern TForm20* Form20;  // karekod:     Karekod

// Creates the windows in order; creating the main window runs its start-up.
void createForms();
// Destroys them all (the end of the program, or of a test).
void destroyForms();
