// Every window as a light and a dark desktop paint it: the contrast of every
// text against its background.

#include "app/forms.h"
#include "app/Unit1.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"
#include "windows/ALFABE.h"
#include "windows/Unit8.h"
#include "windows/about.h"
#include "windows/bilgi.h"
#include "windows/birles.h"
#include "windows/grup.h"
#include "windows/isim.h"
#include "windows/isimlistesi.h"
#include "windows/isimsirala.h"
#include "windows/kullanim.h"
#include "windows/onay.h"
#include "windows/tum.h"
#include "windows/veriekle.h"
#include "windows/yazdir.h"
#include "windows/yedek.h"
#include "windows/yeniisim.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
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
    const QList<QWidget*> forms = {Form1,  Form2,  Form3,  Form4,  Form5,  Form6,  Form7,  Form8, Form9,
                                   Form10, Form11, Form12, Form13, Form14, Form15, Form16, Form17};
    return forms.at(n - 1);
}

QString className(const QObject* o) { return QString::fromLatin1(o->metaObject()->className()); }

// The name a screen reader says for a widget.
QAccessibleInterface* accessible(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }
QString spokenName(QWidget* w) {
    QAccessibleInterface* a = accessible(w);
    return a ? a->text(QAccessible::Name) : QString();
}

// The text a widget shows, for the widgets that show one.
QString shownText(QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* t = qobject_cast<QTextEdit*>(w)) return t->toPlainText();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) return t->toPlainText();
    return QString();
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

class TestAccessibility : public ProgramTest {
    Q_OBJECT

private slots:
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
