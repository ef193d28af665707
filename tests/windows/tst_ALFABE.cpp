// The alphabetic index: the active group on thirty letter pages, the contact
// picked on a page, and its hand-over to the main window, where "Sonraki"
// goes on from it.

#include "app/forms.h"
#include "app/Unit1.h"
#include "store/datafolder.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/contactfields.h"
#include "ui/dialogs.h"
#include "windows/ALFABE.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>

using namespace Qt::StringLiterals;

namespace {
const QString& Default = datafolder::DefaultGroup;
const QString NothingToSplit = QStringLiteral("Veri tabanında İçerik ayrılabilecek bir kayıt bulunmamaktadır!");
const QString End = QStringLiteral("        Kayıtların sonu!       ");

// Three lines per name: the name, "s" and its position, "n" and its position.
QStringList group(const QStringList& names) {
    QStringList lines;
    for (int k = 0; k < names.size(); ++k) lines << names[k] << QStringLiteral("s%1").arg(k) << QStringLiteral("n%1").arg(k);
    return lines;
}

// The alphabetic index from the menu, handed to the actions.
void inIndex(const std::function<void()>& actions) {
    testhooks::onNextModal([=](QDialog*) { actions(); });
    mainWindow().alphabeticAction->trigger();
}

int pageOf(const QString& caption) {
    for (int p = 0; p < alphabet::PageCount; ++p)
        if (alphabet::pageCaption(p) == caption) return p;
    return -1;
}

// The page made active by a click on its tab.
QListWidget* page(const QString& caption) {
    const int p = pageOf(caption);
    QTest::mouseClick(Form15->letterTabs[p], Qt::LeftButton);
    return Form15->letterPages[p];
}

void clickRowAt(QListWidget* list, int row, bool twice = false) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

QStringList nextMatchLines() {
    QStringList out;
    for (int i = 0; i < MainWindowTestAccess::nextMatchLines().count(); ++i) out << MainWindowTestAccess::nextMatchLines().text(i);
    return out;
}

// The pages that hold names, "caption:name,name", and every counter.
QStringList filledPages() {
    QStringList out;
    for (int p = 0; p < alphabet::PageCount; ++p) {
        const QListWidget* list = Form15->letterPages[p];
        const QString counter = Form15->counterLabels[p]->text();
        if (counter != QStringLiteral("Harfte Kayıtlı Kişi: %1").arg(list->count()))
            out << QStringLiteral("wrong counter ") + counter;
        if (list->count() > 0) out << alphabet::pageCaption(p) + u":"_s + rows(list).join(u","_s);
    }
    return out;
}
}  // namespace

class TestAlphabeticIndex : public ProgramTest {
    Q_OBJECT

private slots:
    void anEmptyGroupOpensNoWindow() {
        STOP_IF_FAILED(startWithContacts({}, Window::Exposed));
        mainWindow().alphabeticAction->trigger();
        QCOMPARE(testhooks::messages(), QStringList{NothingToSplit});
        QVERIFY(testhooks::modalWindows().isEmpty());
    }

    void theGroupOnItsPages_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("pages");
        QTest::addColumn<QString>("total");
        QTest::newRow("all on M") << group({u"Mehmet"_s, u"Mert"_s, u"Murat"_s}) << QStringList{u"M:Mehmet,Mert,Murat"_s}
                                  << "Toplam Kayıtlı :3";
        QTest::newRow("digits, I and i")
            << group({u"1nci"_s, u"Ali"_s, u"Hakan"_s, u"Irmak"_s, u"ismail"_s, u"ipek"_s})
            << QStringList{u"A:1nci,Ali"_s, u"H:Hakan"_s, u"I:ismail,ipek"_s} << "Toplam Kayıtlı :6";
        QTest::newRow("all digits") << group({u"1"_s, u"2"_s}) << QStringList{} << "Toplam Kayıtlı :2";
        QTest::newRow("four lines") << QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Veli"_s} << QStringList{u"A:Ali"_s, u"V:Veli"_s}
                                    << "Toplam Kayıtlı :1";
        QTest::newRow("W and X after Z") << group({u"Veli"_s, u"Walter"_s, u"Xavier"_s, u"Yusuf"_s})
                                         << QStringList{u"V:Veli"_s, u"Y:Yusuf"_s, u"W:Walter"_s, u"X:Xavier"_s} << "Toplam Kayıtlı :4";
    }
    void theGroupOnItsPages() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, pages);
        QFETCH(QString, total);
        STOP_IF_FAILED(startWithContacts(lines, Window::Exposed));
        inIndex([&] {
            QCOMPARE(Form15->groupLabel->text(), u"İncelenen Grup: @Kayıtlar@"_s);
            QCOMPARE(Form15->totalLabel->text(), total);
            QCOMPARE(filledPages(), pages);
            QCOMPARE(Form15->currentPage(), 0);
        });
        QCOMPARE(testhooks::modalWindows(), QStringList{u"Alfabetik İçerik"_s});
        QVERIFY(testhooks::messages().isEmpty());
        QCOMPARE(home->read(Default + u".vexo"_s), fileBytes(lines));  // the build writes nothing
    }

    // Thirty tabs, nine a row, every row in sight inside the window, each a
    // page tab to screen readers, reachable by the arrow keys.
    void theTabsStandInRowsOfNine() {
        STOP_IF_FAILED(startWithContacts(group({u"Ali"_s}), Window::Exposed));
        inIndex([&] {
            QStringList captions;
            const QRect window = Form15->rect();
            for (int p = 0; p < alphabet::PageCount; ++p) {
                LetterTab* tab = Form15->letterTabs[p];
                captions << tab->text();
                QVERIFY(tab->isVisible());
                const QRect place(tab->mapTo(Form15, QPoint(0, 0)), tab->size());
                QVERIFY(window.contains(place));
                if (p % TForm15::TabsPerRow != 0) {  // beside the one before it, in the same row
                    const QRect before(Form15->letterTabs[p - 1]->mapTo(Form15, QPoint(0, 0)), tab->size());
                    QCOMPARE(place.top(), before.top());
                    QCOMPARE(place.left(), before.right() + 1);
                } else if (p > 0) {  // a new row under the one before
                    const QRect above(Form15->letterTabs[p - TForm15::TabsPerRow]->mapTo(Form15, QPoint(0, 0)),
                                      tab->size());
                    QCOMPARE(place.top(), above.bottom() + 1);
                    QCOMPARE(place.left(), above.left());
                }
                QAccessibleInterface* a = QAccessible::queryAccessibleInterface(tab);
                QVERIFY(a);
                QCOMPARE(a->role(), QAccessible::PageTab);
                QCOMPARE(a->text(QAccessible::Name), tab->text());
                QCOMPARE(a->state().selected, p == 0);
            }
            QCOMPARE(captions.join(u" "_s), u"A B C Ç D E F G Ğ H I J K L M N O Ö P R S Ş T U Ü V Y Z W X"_s);
            QCOMPARE(QAccessible::queryAccessibleInterface(Form15->tabRows)->role(), QAccessible::PageTabList);
            QCOMPARE(Form15->letterChooser->count(), alphabet::PageCount);
            QCOMPARE(Form15->letterChooser->itemText(3), u"Ç"_s);
            // a screen reader's press selects the tab
            QAccessibleInterface* g = QAccessible::queryAccessibleInterface(Form15->letterTabs[8]);
            g->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QCOMPARE(Form15->currentPage(), 8);
        });
    }

    void theArrowKeysMoveBetweenTabs_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("reached");
        QTest::newRow("right") << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right} << "Ç";
        QTest::newRow("down a row") << QList<int>{Qt::Key_Right, Qt::Key_Down} << "I";
        QTest::newRow("down to the last row") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down} << "Z";
        QTest::newRow("no row under X's column") << QList<int>{Qt::Key_End, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down}
                                                 << "Ş";
        QTest::newRow("left of A stays") << QList<int>{Qt::Key_Left, Qt::Key_Up} << "A";
        QTest::newRow("end and back") << QList<int>{Qt::Key_End, Qt::Key_Left} << "W";
    }
    void theArrowKeysMoveBetweenTabs() {
        QFETCH(QList<int>, keys);
        QFETCH(QString, reached);
        STOP_IF_FAILED(startWithContacts(group({u"Ali"_s}), Window::Exposed));
        inIndex([&] {
            Form15->letterTabs[0]->setFocus();
            for (int key : keys) QTest::keyClick(Form15->focusWidget(), Qt::Key(key));
            const int p = pageOf(reached);
            QCOMPARE(Form15->currentPage(), p);
            QVERIFY(Form15->letterTabs[p]->isChecked());
            QCOMPARE(Form15->focusWidget(), Form15->letterTabs[p]);
            QCOMPARE(Form15->letterTabs[p]->focusPolicy(), Qt::StrongFocus);  // the Tab key's stop
            QCOMPARE(Form15->letterTabs[p == 0 ? 1 : 0]->focusPolicy(), Qt::ClickFocus);
        });
    }

    void aRowShowsItsContact_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("contact");
        const QStringList abc = group({u"Ali"_s, u"Ayşe"_s, u"Bora"_s, u"Bülent"_s, u"Can"_s, u"Cem"_s});
        QTest::newRow("C after A and B") << abc << "C" << 0 << QStringList{u"Can"_s, u"s4"_s, u"n4"_s};
        QTest::newRow("C's second row") << abc << "C" << 1 << QStringList{u"Cem"_s, u"s5"_s, u"n5"_s};
        QTest::newRow("B with no A") << group({u"Bora"_s, u"Can"_s}) << "B" << 0 << QStringList{u"Bora"_s, u"s0"_s, u"n0"_s};
        QTest::newRow("equal names, the second") << group({u"Ali"_s, u"Ali"_s, u"Ali"_s}) << "A" << 1
                                                 << QStringList{u"Ali"_s, u"s1"_s, u"n1"_s};
        QTest::newRow("small i after capital I") << group({u"Hakan"_s, u"Irmak"_s, u"ismail"_s}) << "I" << 0
                                                 << QStringList{u"ismail"_s, u"s2"_s, u"n2"_s};
        QTest::newRow("W after Y's run") << group({u"Veli"_s, u"Walter"_s, u"Yusuf"_s}) << "W" << 0
                                         << QStringList{u"Walter"_s, u"s1"_s, u"n1"_s};
        // a group file from elsewhere may end in an incomplete contact
        QTest::newRow("a name alone at the end") << QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Veli"_s} << "V" << 0
                                                 << QStringList{u"Veli"_s, u""_s, u""_s};
        QTest::newRow("no number at the end") << QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Veli"_s, u"Er"_s} << "V" << 0
                                              << QStringList{u"Veli"_s, u"Er"_s, u""_s};
    }
    void aRowShowsItsContact() {
        QFETCH(QStringList, lines);
        QFETCH(QString, page);
        QFETCH(int, row);
        QFETCH(QStringList, contact);
        STOP_IF_FAILED(startWithContacts(lines, Window::Exposed));
        inIndex([&] {
            clickRowAt(::page(page), row);
            QCOMPARE(shownIn(Form15->contactFields), contact);
            QCOMPARE(Form15->transferButton->isEnabled(), !contact[2].isEmpty());
        });
        QVERIFY2(testhooks::messages().isEmpty(), qPrintable(testhooks::messages().join(u" | "_s)));
    }

    void theKeyboardSelectsARowToo() {
        STOP_IF_FAILED(startWithContacts(group({u"Ali"_s, u"Ayşe"_s, u"Bora"_s}), Window::Exposed));
        inIndex([&] {
            QListWidget* list = Form15->letterPages[0];
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Down);
            QCOMPARE(shownIn(Form15->contactFields), (QStringList{u"Ayşe"_s, u"s1"_s, u"n1"_s}));
        });
    }

    void goingToALetterEmptiesTheFields() {
        STOP_IF_FAILED(startWithContacts(group({u"Ali"_s, u"Can"_s, u"Çağlar"_s, u"Çiğdem"_s}), Window::Exposed));
        inIndex([&] {
            clickRowAt(Form15->letterPages[0], 0);
            QVERIFY(Form15->transferButton->isEnabled());
            // "Ç" picked in "Harfe Git:>>"
            QTest::mouseClick(Form15->letterChooser, Qt::LeftButton);
            QAbstractItemView* letters = Form15->letterChooser->view();
            QTRY_VERIFY(letters->isVisible());
            for (int i = 0; i < 3; ++i) QTest::keyClick(letters, Qt::Key_Down);
            QTest::keyClick(letters, Qt::Key_Return);
            QTRY_VERIFY(!letters->isVisible());
            QCOMPARE(Form15->currentPage(), 3);
            QVERIFY(Form15->letterTabs[3]->isChecked());
            QCOMPARE(shownIn(Form15->contactFields), (QStringList{u""_s, u""_s, u""_s}));
            QVERIFY(!Form15->transferButton->isEnabled());
            clickRowAt(Form15->letterPages[3], 1);
            QCOMPARE(shownIn(Form15->contactFields), (QStringList{u"Çiğdem"_s, u"s3"_s, u"n3"_s}));
            Form15->ComboBox1Change(pageOf(u"Ç"_s));  // the page shown: nothing changes
            QCOMPARE(shownIn(Form15->contactFields), (QStringList{u"Çiğdem"_s, u"s3"_s, u"n3"_s}));
            QTest::mouseClick(Form15->letterTabs[2], Qt::LeftButton);  // C by its tab
            QCOMPARE(Form15->letterChooser->currentText(), u"C"_s);
            QCOMPARE(shownIn(Form15->contactFields), (QStringList{u""_s, u""_s, u""_s}));
            QVERIFY(!Form15->transferButton->isEnabled());
            // back on Ç, a click on the row still selected shows it again
            QTest::mouseClick(Form15->letterTabs[3], Qt::LeftButton);
            clickRowAt(Form15->letterPages[3], 1);
            QCOMPARE(shownIn(Form15->contactFields), (QStringList{u"Çiğdem"_s, u"s3"_s, u"n3"_s}));
        });
    }

    void aDoubleClickHandsTheContactOver() {
        STOP_IF_FAILED(startWithContacts(group({u"Ali"_s, u"Bora"_s, u"Can"_s}), Window::Exposed));
        inIndex([&] { clickRowAt(page(u"B"_s), 0, true); });
        QVERIFY(!Form15->isVisible());
        QCOMPARE(mainFields(), (QStringList{u"Bora"_s, u"s1"_s, u"n1"_s, u"n1"_s}));
    }

    void aDoubleClickOnAnEmptyPageHandsEmptyFieldsOver() {
        STOP_IF_FAILED(startWithContacts(group({u"Ali"_s, u"Bora"_s}), Window::Exposed));
        Book->handOver(u"Eski"_s, u"Kişi"_s, u"0532"_s);
        inIndex([&] {
            QListWidget* empty = page(u"M"_s);
            QCOMPARE(empty->count(), 0);
            QTest::mouseDClick(empty->viewport(), Qt::LeftButton, {}, QPoint(20, 40));
        });
        QVERIFY(!Form15->isVisible());
        QCOMPARE(mainFields(), (QStringList{u""_s, u""_s, u""_s, u""_s}));
    }

    // NextMatchLines is prepared from the name the main window showed before
    // the hand-over; "Sonraki" then goes on from there.
    void theHandOverPreparesSonraki_data() {
        QTest::addColumn<QString>("shownBefore");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("next");
        QTest::addColumn<QStringList>("sonraki");  // the contacts "Sonraki" shows, then its message
        const QStringList lines = group({u"Ali"_s, u"Ali"_s, u"Ali"_s, u"Bora"_s});
        QTest::newRow("Ali shown before") << "Ali" << 0 << lines.mid(3) << QStringList{u"s1"_s, u"s2"_s, End};
        QTest::newRow("nothing shown before") << "" << 1 << lines.mid(2) << QStringList{u"s1"_s, u"s2"_s, End};
        QTest::newRow("Bora shown before") << "bora" << 0 << QStringList{} << QStringList{End};
        QTest::newRow("a name not in the group") << "Zeki" << 2 << lines.mid(2) << QStringList{u"s1"_s, u"s2"_s, End};
    }
    void theHandOverPreparesSonraki() {
        QFETCH(QString, shownBefore);
        QFETCH(int, row);
        QFETCH(QStringList, next);
        QFETCH(QStringList, sonraki);
        STOP_IF_FAILED(startWithContacts(group({u"Ali"_s, u"Ali"_s, u"Ali"_s, u"Bora"_s}), Window::Exposed));
        mainWindow().nameField->setText(shownBefore);
        inIndex([&] {
            clickRowAt(Form15->letterPages[0], row);
            QTest::mouseClick(Form15->transferButton, Qt::LeftButton);
        });
        QVERIFY(!Form15->isVisible());
        QCOMPARE(nextMatchLines(), next);
        QCOMPARE(mainFields(), (QStringList{u"Ali"_s, QStringLiteral("s%1").arg(row), QStringLiteral("n%1").arg(row),
                                            QStringLiteral("n%1").arg(row)}));
        QStringList seen;
        for (int i = 0; i < sonraki.size(); ++i) {
            testhooks::messages().clear();
            QTest::mouseClick(mainWindow().nextButton, Qt::LeftButton);
            seen << (testhooks::messages().isEmpty() ? mainWindow().surnameField->text() : testhooks::messages().join(u""_s));
        }
        QCOMPARE(seen, sonraki);
    }

    // Every closing leaves page A active and the fields empty for the next opening.
    void everyClosingLeavesPageAAndEmptyFields_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Çıkış") << "Çıkış";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("a request to close") << "close";
        QTest::newRow("the hand-over") << "Ana Ekrana Aktar";
    }
    void everyClosingLeavesPageAAndEmptyFields() {
        QFETCH(QString, how);
        STOP_IF_FAILED(startWithContacts(group({u"Ali"_s, u"Mert"_s, u"Murat"_s}), Window::Exposed));
        QVERIFY(!(Form15->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(Form15->windowFlags() & Qt::WindowMinimizeButtonHint);
        inIndex([&] {
            clickRowAt(page(u"M"_s), 0);
            QCOMPARE(shownIn(Form15->contactFields), (QStringList{u"Mert"_s, u"s1"_s, u"n1"_s}));
            if (how == u"Esc"_s) QTest::keyClick(Form15, Qt::Key_Escape);
            else if (how == u"close"_s) Form15->close();
            else QTest::mouseClick(how == u"Çıkış"_s ? Form15->exitButton : Form15->transferButton, Qt::LeftButton);
            QVERIFY(!Form15->isVisible());
        });
        inIndex([&] {
            QCOMPARE(Form15->currentPage(), 0);
            QVERIFY(Form15->letterTabs[0]->isChecked());
            QCOMPARE(Form15->pageStack->currentIndex(), 0);
            QCOMPARE(shownIn(Form15->contactFields), (QStringList{u""_s, u""_s, u""_s}));
            QVERIFY(!Form15->transferButton->isEnabled());
            QCOMPARE(Form15->letterPages[pageOf(u"M"_s)]->count(), 2);
        });
    }

    void aSecondBuildShowsTheGroupNowActive() {
        STOP_IF_FAILED(startWith({Default, Default, u"Ev"_s},
                                 {{Default, fileBytes(group({u"Ali"_s, u"Bora"_s, u"Can"_s, u"Mert"_s}))}, {u"Ev"_s, fileBytes(group({u"Zeki"_s}))}}, Window::Exposed));
        inIndex([&] { QCOMPARE(filledPages(), (QStringList{u"A:Ali"_s, u"B:Bora"_s, u"C:Can"_s, u"M:Mert"_s})); });
        mainWindow().groupSelector->setEditText(u"Ev"_s);
        Form1->combobox1Change();
        inIndex([&] {
            QCOMPARE(filledPages(), QStringList{u"Z:Zeki"_s});
            QCOMPARE(Form15->groupLabel->text(), u"İncelenen Grup: Ev"_s);
            QCOMPARE(Form15->totalLabel->text(), u"Toplam Kayıtlı :1"_s);
            clickRowAt(page(u"Z"_s), 0);
            QCOMPARE(shownIn(Form15->contactFields), (QStringList{u"Zeki"_s, u"s0"_s, u"n0"_s}));
        });
        // back on a group emptied meanwhile: no window, the pages stay as they were
        home->write(Default + u".vexo"_s, QByteArray());
        mainWindow().groupSelector->setEditText(Default);
        Form1->combobox1Change();
        testhooks::messages().clear();
        mainWindow().alphabeticAction->trigger();
        QCOMPARE(testhooks::messages(), QStringList{NothingToSplit});
        QCOMPARE(filledPages(), QStringList{u"Z:Zeki"_s});
    }
};

TELEFIKA_TEST_MAIN(TestAlphabeticIndex)
#include "tst_ALFABE.moc"

