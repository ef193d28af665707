#include "app/forms.h"

#include "app/Unit1.h"
#include "book/phonebook.h"
#include "platform/keyring.h"
#include "store/storeerror.h"
#include "sync/synclink.h"
#include "ui/dialogs.h"
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
#include "windows/syncsettings.h"
#include "windows/syncwindow.h"
#include "windows/tum.h"
#include "windows/Unit8.h"
#include "windows/veriekle.h"
#include "windows/yazdir.h"
#include "windows/yedek.h"
#include "windows/yeniisim.h"

PhoneBook* Book = nullptr;
TForm1* Form1 = nullptr;

namespace {

// A removed group's link to its address book goes with it, and its password
// from the keyring; the server's address book stays as it is.
void forgetSyncLink(const QString& group) {
    try {
        if (!synclink::of(group)) return;
        synclink::forget(group);
    } catch (const StoreError& e) {
        ShowError(e.message());
        return;
    }
    keyring().forget(Keyring::keyFor(group), [](Keyring::Outcome, const QString&) {});
}

}  // namespace

void createForms() {
    Book = new PhoneBook();
    PhoneBook& book = *Book;
    Form1 = new TForm1(book);
    Form2 = new TForm2(Form1);
    Form3 = new TForm3(book, Form1);
    Form4 = new TForm4(book, Form1);
    Form5 = new TForm5(Form1);
    Form6 = new TForm6(book, Form1);
    Form7 = new TForm7(book, Form1);
    Form8 = new TForm8(Form1);
    Form9 = new TForm9(book, Form1);
    Form10 = new TForm10(Form1);
    Form11 = new TForm11(Form1);
    Form12 = new TForm12(book, Form1);
    Form13 = new TForm13(book, Form1);
    Form14 = new TForm14(book, Form1);
    Form15 = new TForm15(book, Form1);
    Form16 = new TForm16(book, Form1);
    Form17 = new TForm17(Form1);
    importWindow = new ImportWindow(book, Form1);
    exportWindow = new ExportWindow(book, Form1);
    qrCodeWindow = new QrCodeWindow(Form1);
    syncSettingsWindow = new SyncSettingsWindow(book, Form1);
    syncWindow = new SyncWindow(book, Form1);
    QObject::connect(Book, &PhoneBook::groupFileRemoved, Book, &forgetSyncLink);
}

void destroyForms() {
    delete Form1;  // the other windows are its children
    delete Book;
    Book = nullptr;
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
    importWindow = nullptr;
    exportWindow = nullptr;
    qrCodeWindow = nullptr;
    syncSettingsWindow = nullptr;
    syncWindow = nullptr;
}
