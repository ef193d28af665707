#pragma once
// The secondary windows, each made once by the program and shown on demand.
// A window opens the windows that belong to its own work through these
// (the group window its name, delete and file windows; the print windows
// each other); the main window opens the rest from its menus. Beside each:
// the unit that holds it, and its caption.

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
class ImportWindow;
class ExportWindow;
class QrCodeWindow;
class SyncSettingsWindow;
class SyncWindow;

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
extern ImportWindow* importWindow;  // iceaktar: Kişileri İçe Aktar
extern ExportWindow* exportWindow;  // disaktar: Kişileri Dışa Aktar
extern QrCodeWindow* qrCodeWindow;  // karekod:  Karekod
extern SyncSettingsWindow* syncSettingsWindow;  // syncsettings: Eşitleme Ayarları
extern SyncWindow* syncWindow;                  // syncwindow:   Şimdi Eşitle
