// Every window as a screen reader, a keyboard and a dark desktop meet it:
// what the accessibility interfaces expose, the Tab order and the focus drawn
// at every stop, and the contrast of every text against its background.

#include "app/forms.h"
#include "app/Unit1.h"
#include "platform/keyring.h"
#include "store/datafolder.h"
#include "sync/synclink.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
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

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QUrl>
#include <QtTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

const QStringList Contacts = {u"Ayşe"_s, u"Öztürk"_s, u"05321112233"_s, u"Mehmet"_s, u"Çelik"_s, u"05334445566"_s};

QWidget* form(int n) {
    const QList<QWidget*> forms = {Form1,  Form2,  Form3,  Form4,  Form5,  Form6,  Form7,  Form8,  Form9,  Form10,
                                   Form11, Form12, Form13, Form14, Form15, Form16, Form17, importWindow, exportWindow, qrCodeWindow,
                                   syncSettingsWindow, syncWindow};
    return forms.at(n - 1);
}

bool activate(QWidget* window) {
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window)) {
        QTest::qFail(qPrintable(window->windowTitle() + u" never became active"_s), __FILE__, __LINE__);
        return false;
    }
    return true;
}

// A file of two cards for the import window, in the home folder.
QString contactsFile() {
    const QString path = QDir::homePath() + u"/rehber.vcf"_s;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Kaya;Ahmet;;;\r\nTEL:05351234567\r\nEND:VCARD\r\n"
                "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Öztürk;Ayşe;;;\r\nTEL:05321112233\r\nEND:VCARD\r\n") < 0)
        qFatal("cannot write the contacts file");
    return path;
}

using Inside = std::function<void(QWidget*)>;

void modal(const std::function<void()>& execute, const Inside& inside) {
    testhooks::onNextModal([&](QDialog* d) {
        if (activate(d)) inside(d);
    });
    execute();
}

void modeless(QWidget* window, const Inside& inside) {
    if (activate(window)) inside(window);
    window->close();
}

// Opens window n as the program does, with two contacts in the active group,
// and runs `inside` while it is open and holds the keyboard.
void withWindowOpen(int n, const Inside& inside) {
    switch (n) {
    case 1: Form1->show(); return modeless(Form1, inside);
    case 2: return modal([] { Form2->execute(); }, inside);
    case 3: Form3->execute(); return modeless(Form3, inside);
    case 4:
        return modal([] { Form4->execute(); }, [&](QWidget* w) {
            // the print-out composed to its end, the progress window gone
            QTRY_VERIFY(Form4->exitButton->isEnabled() && !Form5->isVisible());
            if (activate(w)) inside(w);
        });
    case 5: Form5->execute(Form1); return modeless(Form5, inside);
    case 6: return modal([] { Form6->execute(); }, inside);
    case 7: return modal([] { Form7->execute({}); }, inside);
    case 8: return modal([] { Form8->execute(); }, inside);
    case 9: return modal([] { Form9->execute(datafolder::DefaultGroup, false); }, inside);
    case 10: return modal([] { Form10->execute(); }, inside);
    case 11: return modal([] { Form11->execute(u"Ayşe"_s, u"Öztürk"_s, u"05321112233"_s, {}); }, inside);
    case 12: Form12->execute(); return modeless(Form12, inside);
    case 13: return modal([] { Form13->execute(); }, inside);
    case 14: return modal([] { Form14->execute(QString()); }, inside);
    case 15: return modal([] { Form15->execute(Book->activeGroup(), Book->recordLines()); }, inside);
    case 16: return modal([] { Form16->execute(Book->activeGroup()); }, inside);
    case 17: return modal([] { Form17->execute(); }, inside);
    case 18: return modal([] { importWindow->execute(contactsFile()); }, inside);
    case 19: return modal([] { exportWindow->execute(); }, inside);
    case 20: return modal([] { qrCodeWindow->execute(u"Ayşe"_s, u"Öztürk"_s, u"05321112233"_s); }, inside);
    case 21: return modal([] { syncSettingsWindow->execute(); }, inside);
    case 22:
        // linked to a server that is not there: the window asks for the password
        synclink::keep(datafolder::DefaultGroup, QUrl(u"http://127.0.0.1:9/ayse/rehber/"_s), u"ayse"_s);
        return modal([] { syncWindow->execute(); }, [&](QWidget* w) {
            QTRY_VERIFY(syncWindow->startButton->isEnabled());
            inside(w);
        });
    }
}

void addWindowRows() {
    QTest::addColumn<int>("window");
    for (int n = 1; n <= 22; ++n) QTest::addRow("Form%d", n) << n;
}

QString className(const QObject* o) { return QString::fromLatin1(o->metaObject()->className()); }

// The name a screen reader says for a widget.
QAccessibleInterface* accessible(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }
QString spokenName(QWidget* w) {
    QAccessibleInterface* a = accessible(w);
    return a ? a->text(QAccessible::Name) : QString();
}

// The name assistive technology gives a control: its own, else that of the
// label it is labelled by (on Linux a drop-down's name is its current item).
QString heardName(QAccessibleInterface* a) {
    QString name = a->text(QAccessible::Name);
    for (const auto& r : a->relations(QAccessible::Label))
        if (name.trimmed().isEmpty()) name = r.first->text(QAccessible::Name);
    return name;
}

// The name a Tab stop is known by in the tests: the one given to it, else the one heard.
QString stopName(QWidget* w) {
    if (!w) return QStringLiteral("(none)");
    return w->accessibleName().isEmpty() ? spokenName(w) : w->accessibleName();
}

// The text a widget shows, for the widgets that show one.
QString shownText(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* t = qobject_cast<QTextEdit*>(w)) return t->toPlainText();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) return t->toPlainText();
    return QString();
}

bool isReadOnly(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->isReadOnly();
    if (auto* t = qobject_cast<QTextEdit*>(w)) return t->isReadOnly();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) return t->isReadOnly();
    return false;
}

bool showsText(QWidget* w) {
    return qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) ||
           qobject_cast<QPlainTextEdit*>(w);
}

// The faults of one interface: a shown text that neither its name, nor its
// value nor its text carries; a focusable control without a name; a
// read-only field that does not say so.
QStringList faultsOf(QAccessibleInterface* a, QWidget* w) {
    QStringList faults;
    const QString where = className(w) + u" \""_s + (shownText(w).isEmpty() ? spokenName(w) : shownText(w)) + u"\""_s;
    const QString shown = shownText(w).simplified();
    if (!shown.isEmpty()) {
        QStringList heard = {a->text(QAccessible::Name), a->text(QAccessible::Value)};
        if (QAccessibleTextInterface* t = a->textInterface()) heard << t->text(0, t->characterCount());
        bool found = false;
        for (const QString& h : std::as_const(heard)) found = found || h.simplified() == shown;
        if (!found) faults << where + u" is heard as \""_s + heard.join(u"\" / \""_s) + u"\""_s;
    }
    if (w->focusPolicy() != Qt::NoFocus && heardName(a).trimmed().isEmpty())
        faults << where + u" takes the focus and has no name"_s;
    if (isReadOnly(w) && !a->state().readOnly) faults << where + u" does not say it is read-only"_s;
    return faults;
}

// The tree below an interface, as assistive technology walks it; the rows
// and cells of lists are not followed.
void walk(QAccessibleInterface* a, QStringList& faults, QSet<QWidget*>& reached) {
    if (!a) return;
    auto* w = qobject_cast<QWidget*>(a->object());
    if (w && !w->isVisible()) return;
    if (w) {
        reached << w;
        faults << faultsOf(a, w);
        if (qobject_cast<QAbstractItemView*>(w)) return;
    }
    for (int i = 0; i < a->childCount(); ++i) walk(a->child(i), faults, reached);
}

// The focus as Tab moves it, from the widget holding it on opening round to
// it again: the widgets in order, the last the first again. A focus that
// never comes back stops after 40 steps.
QList<QWidget*> tabRound(QWidget* window) {
    QWidget* first = QApplication::focusWidget();
    if (!first) {
        QTest::keyClick(window, Qt::Key_Tab);
        first = QApplication::focusWidget();
    }
    QList<QWidget*> round;
    for (int step = 0; step < 40 && first; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        round << QApplication::focusWidget();
        if (round.last() == first) break;
    }
    return round;
}

// The widget a stop stands for: an editable drop-down, not its own edit.
QWidget* control(QWidget* w) {
    if (w && qobject_cast<QLineEdit*>(w) && qobject_cast<QComboBox*>(w->parentWidget())) return w->parentWidget();
    return w;
}

// The contrast of two colours, as WCAG 2 defines it.
double luminance(const QColor& c) {
    auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// A text colour and the background it is drawn on, as a widget's palette
// gives them to the style.
struct Pair {
    QString where;
    QColor text, back;
};

QList<Pair> colourPairs(QWidget* window) {
    QList<Pair> pairs;
    for (QWidget* w : QList<QWidget*>{window} + window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) && w != window) continue;
        if (!w->isEnabled()) continue;
        const QPalette& p = w->palette();
        const QString where = className(w) + u" \""_s + (shownText(w).isEmpty() ? spokenName(w) : shownText(w)) + u"\""_s;
        auto add = [&](QPalette::ColorRole text, QPalette::ColorRole back) {
            pairs << Pair{where, p.color(QPalette::Active, text), p.color(QPalette::Active, back)};
        };
        auto* label = qobject_cast<QLabel*>(w);
        auto* button = qobject_cast<QPushButton*>(w);
        auto* box = qobject_cast<QComboBox*>(w);
        auto* groupBox = qobject_cast<QGroupBox*>(w);
        if (label && label->pixmap().isNull()) {
            add(QPalette::WindowText, QPalette::Window);
        } else if (button) {
            add(QPalette::ButtonText, button->isFlat() ? QPalette::Window : QPalette::Button);
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w) || groupBox) {
            add(QPalette::WindowText, QPalette::Window);
        } else if (qobject_cast<QAbstractButton*>(w)) {  // the letter tabs
            add(QPalette::WindowText, QPalette::Window);
            add(QPalette::WindowText, QPalette::Button);
        } else if (box) {
            if (box->isEditable()) add(QPalette::Text, QPalette::Base);
            else add(QPalette::ButtonText, QPalette::Button);
        } else if ((qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parentWidget())) ||
                   qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                   qobject_cast<QAbstractItemView*>(w) || qobject_cast<QProgressBar*>(w)) {
            add(QPalette::Text, QPalette::Base);
            add(QPalette::HighlightedText, QPalette::Highlight);
        }
    }
    return pairs;
}

// Two desktops, a light one and a dark one, no colour of one in the other:
// each role's active and disabled colour.
QPalette desktopPalette(bool dark) {
    struct Role {
        QPalette::ColorRole role;
        const char *light, *lightDisabled, *dark, *darkDisabled;
    };
    static const Role roles[] = {
        {QPalette::Window, "#eeeeee", "#eeeeee", "#2b2b2b", "#2b2b2b"},
        {QPalette::WindowText, "#000001", "#bebebe", "#f0f0f0", "#7f7f7f"},
        {QPalette::Base, "#fefefe", "#eeeeee", "#1e1e1e", "#2b2b2b"},
        {QPalette::AlternateBase, "#f7f7f7", "#f7f7f7", "#262626", "#262626"},
        {QPalette::Text, "#000001", "#bebebe", "#f0f0f0", "#7f7f7f"},
        {QPalette::Button, "#eeeeee", "#eeeeee", "#353535", "#353535"},
        {QPalette::ButtonText, "#000001", "#bebebe", "#f0f0f0", "#7f7f7f"},
        {QPalette::Highlight, "#1f5c99", "#919191", "#2f65ca", "#505050"},
        {QPalette::HighlightedText, "#fefefe", "#bebebe", "#ffffff", "#7f7f7f"},
        {QPalette::Light, "#fefefe", "#fefefe", "#505050", "#505050"},
        {QPalette::Midlight, "#cacaca", "#cacaca", "#404040", "#404040"},
        {QPalette::Mid, "#b8b8b8", "#b8b8b8", "#252525", "#252525"},
        {QPalette::Dark, "#9f9f9f", "#bebebe", "#1a1a1a", "#1a1a1a"},
        {QPalette::Shadow, "#767676", "#b1b1b1", "#000000", "#000000"},
        {QPalette::ToolTipBase, "#ffffdc", "#ffffdc", "#353535", "#353535"},
        {QPalette::ToolTipText, "#000001", "#bebebe", "#f0f0f0", "#7f7f7f"},
        {QPalette::PlaceholderText, "#606060", "#bebebe", "#a0a0a0", "#7f7f7f"},
        {QPalette::Link, "#0000fe", "#bebebe", "#8ab4f8", "#7f7f7f"},
    };
    QPalette p;
    for (const Role& r : roles) {
        p.setColor(r.role, QColor::fromString(QLatin1String(dark ? r.dark : r.light)));
        p.setColor(QPalette::Disabled, r.role, QColor::fromString(QLatin1String(dark ? r.darkDisabled : r.lightDisabled)));
    }
    return p;
}

struct DesktopPalette {
    QPalette before = QApplication::palette();
    explicit DesktopPalette(bool dark) { QApplication::setPalette(desktopPalette(dark)); }
    ~DesktopPalette() { QApplication::setPalette(before); }
};

QString ratio(double r) { return QString::number(std::floor(r * 100) / 100, 'f', 2); }

}  // namespace

// Records the web addresses the program asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toString(); }
};

class TestAccessibility : public ProgramTest {
    Q_OBJECT
    MemoryKeyring keys;  // the sync windows ask it for a password it does not hold

private slots:
    void initTestCase() { setKeyring(&keys); }
    void cleanupTestCase() { setKeyring(nullptr); }

    // Every visible label and edit is heard with the text it shows; every
    // control that takes the focus has a name; read-only fields say so.
    void everyShownTextIsHeard_data() { addWindowRows(); }
    void everyShownTextIsHeard() {
        QFETCH(int, window);
        STOP_IF_FAILED(startWithContacts(Contacts));
        QStringList faults;
        withWindowOpen(window, [&](QWidget* w) {
            QSet<QWidget*> reached;
            walk(accessible(w), faults, reached);
            for (QWidget* child : w->findChildren<QWidget*>())
                if (child->isVisible() && showsText(child) && !shownText(child).trimmed().isEmpty() && !reached.contains(child))
                    faults << className(child) + u" \""_s + shownText(child) + u"\" is not in the accessible tree"_s;
        });
        STOP_IF_FAILED(testPassing());
        QVERIFY2(faults.isEmpty(), qPrintable(form(window)->windowTitle() + u": "_s + faults.join(u"; "_s)));
    }

    // Tab goes round every control of the window in the order of its layout
    // and comes back to the first: no control left out, no focus trap.
    void tabGoesRoundInLayoutOrder_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("main") << 1 << QStringList{u"Hassas Arama"_s, u"İsme Göre Ara"_s, u"Aranacak Bilgi"_s, u"Ara"_s,
                                                  u"Sonraki"_s, u"Kaydet"_s, u"Ekranı Temizle"_s, u"Çıkış"_s, u"İsim"_s,
                                                  u"Soyad"_s, u"Cep Tel"_s, u"Kullanılan Grubu Değiştir"_s};
        QTest::newRow("about") << 2 << QStringList{u"www.telefika.com.tr"_s, u"Tamam"_s};
        QTest::newRow("browser") << 3 << QStringList{u"İsim"_s, u"Soyad"_s, u"Geri"_s, u"İleri"_s, u"Baş"_s, u"Son"_s,
                                                     u"Ana Ekrana Aktar"_s, u"Çıkış"_s};
        QTest::newRow("print-out") << 4 << QStringList{u"Yazdırım"_s, u"Yazdır"_s, u"Çıkış"_s};
        QTest::newRow("progress") << 5 << QStringList{u"İptal"_s};
        QTest::newRow("groups") << 6 << QStringList{u"Gruplar"_s, u"Kullanılan Grup:"_s, u"Yeni Grup Oluştur"_s, u"Grup Sil"_s,
                                                    u"Grup İçeriğini Sil"_s, u"Veri Tabanı Ekle"_s, u"Çıkış"_s};
        QTest::newRow("group name") << 7 << QStringList{u"Oluşturulacak Grup Adı:"_s, u"İptal"_s};
        QTest::newRow("print chooser") << 8 << QStringList{u"Yazdırılacak Grup"_s, u"Tamam"_s, u"İptal"_s};
        QTest::newRow("group deletion") << 9 << QStringList{u"Evet"_s, u"Hayır"_s};
        QTest::newRow("usage") << 10 << QStringList{u"Kullanım Esasları"_s, u"Tamam"_s};
        QTest::newRow("deletion") << 11 << QStringList{u"Evet"_s, u"Hayır"_s};
        QTest::newRow("merger") << 12 << QStringList{u"Birleştirilecek 1. Grup"_s, u"Birleştirilecek 2. Grup"_s,
                                                     u"Farklı isimde birleştir"_s, u"Soyadlara Ekle"_s, u"hakkında"_s,
                                                     u"Rapor"_s, u"Birleştir"_s, u"Çık"_s};
        QTest::newRow("file picker") << 13 << QStringList{u"Sürücü"_s, u"Klasörler"_s, u"Dosyalar"_s, u"İptal"_s};
        QTest::newRow("new name") << 14
                                  << QStringList{u"Aynı isimde başka bir dosya Telefika Klasöründe bulundu!!Başka bir isim girin"_s,
                                                 u"İptal"_s};
        QTest::newRow("alphabetic index") << 15 << QStringList{u"Harfe Git"_s, u"A"_s, u"A"_s, u"İsim"_s, u"Soyad"_s, u"Çıkış"_s};
        QTest::newRow("name list") << 16 << QStringList{u"İsim Listesi"_s, u"İsim"_s, u"Soyad"_s, u"Çıkış"_s};
        QTest::newRow("backup") << 17 << QStringList{u"Yedeklenecek Veri Tabanı:"_s, u"Al"_s, u"İptal"_s};
        QTest::newRow("import") << 18 << QStringList{u"Grup"_s, u"Okunan Kişiler"_s, u"Aktar"_s, u"İptal"_s};
        QTest::newRow("export") << 19 << QStringList{u"Grup"_s, u"vCard 3.0"_s, u"Kaydet"_s, u"İptal"_s};
        QTest::newRow("QR code") << 20 << QStringList{u"Kapat"_s};
        QTest::newRow("sync settings") << 21 << QStringList{u"Sunucu adresi:"_s, u"Kullanıcı adı:"_s, u"Parola:"_s,
                                                            u"Bağlantıyı Dene"_s, u"Kapat"_s, u"Grup"_s};
        QTest::newRow("sync") << 22 << QStringList{u"Parola:"_s, u"Eşitle"_s, u"Eşitleme Raporu"_s, u"Kapat"_s};
    }
    void tabGoesRoundInLayoutOrder() {
        QFETCH(int, window);
        QFETCH(QStringList, order);
        STOP_IF_FAILED(startWithContacts(Contacts));
        QStringList names;
        withWindowOpen(window, [&](QWidget* w) {
            const QList<QWidget*> round = tabRound(w);
            for (QWidget* stop : round) names << stopName(control(stop));
        });
        STOP_IF_FAILED(testPassing());
        // the round as it went, turned to start where the expected order starts
        const qsizetype start = names.indexOf(order.first());
        QVERIFY2(start >= 0, qPrintable(names.join(u", "_s)));
        QStringList turned = names.mid(start) + names.mid(0, start);
        QCOMPARE(turned, order);
    }

    // Every stop of the Tab round looks different while it holds the focus:
    // the flat and picture buttons and the letter tabs included.
    void theFocusIsDrawnAtEveryStop_data() { addWindowRows(); }
    void theFocusIsDrawnAtEveryStop() {
        QFETCH(int, window);
        STOP_IF_FAILED(startWithContacts(Contacts));
        QStringList unseen;
        withWindowOpen(window, [&](QWidget* w) {
            // the first Tab: from here on the window shows where the keyboard is
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_Tab);
            QWidget* first = control(QApplication::focusWidget());
            for (int step = 0; step < 40 && first; ++step) {
                QWidget* stop = control(QApplication::focusWidget());
                const QImage focused = stop->grab().toImage();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QWidget* next = control(QApplication::focusWidget());
                if (next == stop) stop->clearFocus();  // the only stop
                if (stop->grab().toImage() == focused) unseen << className(stop) + u" \""_s + stopName(stop) + u"\""_s;
                if (next == stop || next == first) break;
            }
        });
        STOP_IF_FAILED(testPassing());
        unseen.removeDuplicates();
        QVERIFY2(unseen.isEmpty(), qPrintable(form(window)->windowTitle() + u": "_s + unseen.join(u", "_s)));
    }

    // A label that acts as a link is reached with Tab and answers Enter,
    // Return and Space as it answers a click.
    void linksAnswerTheKeyboard_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("done");
        const QString web = u"http://www.telefika.com.tr"_s;
        const QString note = u"Bu seçenek işaretli iken metine girdiğiniz yazı ikinci grup dosyasındaki soyadlara "
                             u"eklenecektir ve grupların karışması önlenecektir!"_s;
        QTest::newRow("web address, Return") << 2 << u"www.telefika.com.tr"_s << int(Qt::Key_Return) << web;
        QTest::newRow("web address, Space") << 2 << u"www.telefika.com.tr"_s << int(Qt::Key_Space) << web;
        QTest::newRow("merger's note, Enter") << 12 << u"hakkında"_s << int(Qt::Key_Enter) << note;
        QTest::newRow("merger's note, Space") << 12 << u"hakkında"_s << int(Qt::Key_Space) << note;
    }
    void linksAnswerTheKeyboard() {
        QFETCH(int, window);
        QFETCH(QString, link);
        QFETCH(int, key);
        QFETCH(QString, done);
        STOP_IF_FAILED(startWithContacts(Contacts));
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(u"http"_s, &catcher, "open");
        withWindowOpen(window, [&](QWidget*) {
            for (int step = 0; step < 20 && shownText(QApplication::focusWidget()) != link; ++step)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(shownText(QApplication::focusWidget()), link);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        });
        QDesktopServices::unsetUrlHandler(u"http"_s);
        STOP_IF_FAILED(testPassing());
        QCOMPARE(catcher.opened + testhooks::messages(), QStringList{done});
    }

    // Under a light and a dark desktop, every text keeps its contrast: the
    // colours the desktop gives come in pairs of at least 4.5:1; where the
    // window fixes a colour it fixes the other too, in the pairs listed here.
    void everyTextStandsOutFromItsBackground_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<QStringList>("fixedPairs");
        // the pairs as the windows' design gives them
        const QString blackOnCream = u"#000000 on #fffbf0, 20.30:1"_s;
        const QString redOnCream = u"#ff0000 on #fffbf0, 3.86:1"_s;
        const QString blackOnSkyBlue = u"#000000 on #a6caf0, 12.32:1"_s;  // lists, and the gauges' bars
        const QString redOnFace = u"#ff0000 on #efefef, 3.47:1"_s;
        const QString maroonOnFace = u"#800000 on #efefef, 9.52:1"_s;
        const QString blueOnFace = u"#0000ff on #efefef, 7.47:1"_s;
        QTest::newRow("main") << 1 << QStringList{blackOnCream, u"#000080 on #ffff00, 14.90:1"_s, maroonOnFace, redOnFace,
                                                  u"#ffffff on #0000ff, 8.59:1"_s};
        QTest::newRow("about") << 2 << QStringList{blueOnFace, u"#c00000 on #a6caf0, 3.80:1"_s, u"#ffff00 on #102952, 13.38:1"_s,
                                                   u"#ffffff on #0f3546, 12.97:1"_s, u"#ffffff on #ff0000, 3.99:1"_s};
        QTest::newRow("browser") << 3 << QStringList{blueOnFace, maroonOnFace, redOnFace, redOnCream};
        QTest::newRow("print-out") << 4 << QStringList{redOnFace};
        QTest::newRow("progress") << 5 << QStringList{blackOnSkyBlue};
        QTest::newRow("groups") << 6 << QStringList{};
        QTest::newRow("group name") << 7 << QStringList{};
        QTest::newRow("print chooser") << 8 << QStringList{redOnCream};
        QTest::newRow("group deletion") << 9 << QStringList{};
        QTest::newRow("usage") << 10 << QStringList{blackOnCream, redOnFace};
        QTest::newRow("deletion") << 11 << QStringList{redOnCream};
        QTest::newRow("merger") << 12 << QStringList{blackOnSkyBlue, blackOnCream, redOnFace};
        QTest::newRow("file picker") << 13 << QStringList{};
        QTest::newRow("new name") << 14 << QStringList{};
        QTest::newRow("alphabetic index") << 15 << QStringList{blackOnSkyBlue, blueOnFace, redOnFace, redOnCream};
        QTest::newRow("name list") << 16 << QStringList{blackOnSkyBlue, blueOnFace, u"#808000 on #efefef, 3.64:1"_s, redOnCream};
        QTest::newRow("backup") << 17 << QStringList{blackOnCream};
        QTest::newRow("import") << 18 << QStringList{};
        QTest::newRow("export") << 19 << QStringList{};
        QTest::newRow("QR code") << 20 << QStringList{};
        QTest::newRow("sync settings") << 21 << QStringList{};
        QTest::newRow("sync") << 22 << QStringList{blackOnSkyBlue};
    }
    void everyTextStandsOutFromItsBackground() {
        QFETCH(int, window);
        QFETCH(QStringList, fixedPairs);
        QString title;
        QList<Pair> under[2];
        for (bool dark : {false, true}) {
            DesktopPalette desktop(dark);
            STOP_IF_FAILED(startWithContacts(Contacts));
            if (auto* s = qobject_cast<SecondaryWindow*>(form(window))) s->ensureBuilt();
            title = form(window)->windowTitle();
            under[dark] = colourPairs(form(window));
            destroyForms();
        }
        QCOMPARE(under[0].size(), under[1].size());
        QStringList faults, fixed;
        for (qsizetype i = 0; i < under[0].size(); ++i) {
            const Pair& light = under[0][i];
            const Pair& dark = under[1][i];
            const bool textFixed = light.text == dark.text, backFixed = light.back == dark.back;
            const double r[2] = {contrast(light.text, light.back), contrast(dark.text, dark.back)};
            const QString both = light.text.name() + u" on "_s + light.back.name() + u" / "_s + dark.text.name() +
                                 u" on "_s + dark.back.name();
            if (textFixed && backFixed) {
                fixed << light.text.name() + u" on "_s + light.back.name() + u", "_s + ratio(r[0]) + u":1"_s;
                if (r[0] < 3) faults << light.where + u": "_s + both + u" is below 3:1"_s;
            } else if (textFixed || backFixed) {
                faults << light.where + u": "_s + both + u": the "_s + (textFixed ? u"text"_s : u"background"_s) +
                              u" is fixed, the other the desktop's"_s;
            } else if (r[0] < 4.5 || r[1] < 4.5) {
                faults << light.where + u": "_s + both + u" is below 4.5:1"_s;
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(title + u": "_s + faults.join(u"; "_s)));
        fixed.removeDuplicates();
        fixed.sort();
        QCOMPARE(fixed, fixedPairs);
    }
};

TELEFIKA_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
