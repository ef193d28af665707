// The alphabetic index: the active group on thirty letter pages, the contact
// picked on a page, and its hand-over to the main window, where "Sonraki"
// goes on from it.

#include "app/forms.h"
#include "app/Unit1.h"
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

namespace {
const QString Default = QStringLiteral("@Kayıtlar@");
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
    Form1->bb1->trigger();
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

QStringList shown() {
    return {Form15->fields->nameEdit->text(), Form15->fields->surnameEdit->text(), Form15->fields->numberEdit->text()};
}
QStringList mainFields() {
    return {Form1->nameField->text(), Form1->surnameField->text(), Form1->numberField->text(), Form1->foundNumber->text()};
}
QStringList nextMatchLines() {
    QStringList out;
    for (int i = 0; i < Form1->nextMatchLines.count(); ++i) out << Form1->nextMatchLines.text(i);
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
        if (list->count() > 0) out << alphabet::pageCaption(p) + ":" + rows(list).join(",");
    }
    return out;
}
}  // namespace

class TestAlphabeticIndex : public ProgramTest {
    Q_OBJECT

    void start(const QStringList& lines, const QMap<QString, QStringList>& others = {}) {
        QStringList groupList{Default, Default};
        for (auto g = others.begin(); g != others.end(); ++g) {
            groupList << g.key();
            home->write(g.key() + ".vexo", fileBytes(g.value()));
        }
        home->write("Ayarlar.cnt", fileBytes(groupList));
        home->write(Default + ".vexo", fileBytes(lines));
        createForms();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
        testhooks::messages().clear();
    }

private slots:
    void anEmptyGroupOpensNoWindow() {
        start({});
        Form1->bb1->trigger();
        QCOMPARE(testhooks::messages(), QStringList{NothingToSplit});
        QVERIFY(testhooks::modalWindows().isEmpty());
    }

    void theGroupOnItsPages_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("pages");
        QTest::addColumn<QString>("total");
        QTest::newRow("all on M") << group({"Mehmet", "Mert", "Murat"}) << QStringList{"M:Mehmet,Mert,Murat"}
                                  << "Toplam Kayıtlı :3";
        QTest::newRow("digits, I and i")
            << group({"1nci", "Ali", "Hakan", "Irmak", "ismail", "ipek"})
            << QStringList{"A:1nci,Ali", "H:Hakan", "I:ismail,ipek"} << "Toplam Kayıtlı :6";
        QTest::newRow("all digits") << group({"1", "2"}) << QStringList{} << "Toplam Kayıtlı :2";
        QTest::newRow("four lines") << QStringList{"Ali", "Kaya", "0532", "Veli"} << QStringList{"A:Ali", "V:Veli"}
                                    << "Toplam Kayıtlı :1";
        QTest::newRow("W and X after Z") << group({"Veli", "Walter", "Xavier", "Yusuf"})
                                         << QStringList{"V:Veli", "Y:Yusuf", "W:Walter", "X:Xavier"} << "Toplam Kayıtlı :4";
    }
    void theGroupOnItsPages() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, pages);
        QFETCH(QString, total);
        start(lines);
        inIndex([&] {
            QCOMPARE(Form15->groupLabel->text(), "İncelenen Grup: @Kayıtlar@");
            QCOMPARE(Form15->totalLabel->text(), total);
            QCOMPARE(filledPages(), pages);
            QCOMPARE(Form15->currentPage(), 0);
        });
        QCOMPARE(testhooks::modalWindows(), QStringList{"Alfabetik İçerik"});
        QVERIFY(testhooks::messages().isEmpty());
        QCOMPARE(home->read(Default + ".vexo"), fileBytes(lines));  // the build writes nothing
    }

    // Thirty tabs, nine a row, every row in sight inside the window, each a
    // page tab to screen readers, reachable by the arrow keys.
    void theTabsStandInRowsOfNine() {
        start(group({"Ali"}));
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
            QCOMPARE(captions.join(" "), "A B C Ç D E F G Ğ H I J K L M N O Ö P R S Ş T U Ü V Y Z W X");
            QCOMPARE(QAccessible::queryAccessibleInterface(Form15->tabRows)->role(), QAccessible::PageTabList);
            QCOMPARE(Form15->ComboBox1->count(), alphabet::PageCount);
            QCOMPARE(Form15->ComboBox1->itemText(3), "Ç");
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
        start(group({"Ali"}));
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
        const QStringList abc = group({"Ali", "Ayşe", "Bora", "Bülent", "Can", "Cem"});
        QTest::newRow("C after A and B") << abc << "C" << 0 << QStringList{"Can", "s4", "n4"};
        QTest::newRow("C's second row") << abc << "C" << 1 << QStringList{"Cem", "s5", "n5"};
        QTest::newRow("B with no A") << group({"Bora", "Can"}) << "B" << 0 << QStringList{"Bora", "s0", "n0"};
        QTest::newRow("equal names, the second") << group({"Ali", "Ali", "Ali"}) << "A" << 1
                                                 << QStringList{"Ali", "s1", "n1"};
        QTest::newRow("small i after capital I") << group({"Hakan", "Irmak", "ismail"}) << "I" << 0
                                                 << QStringList{"ismail", "s2", "n2"};
        QTest::newRow("W after Y's run") << group({"Veli", "Walter", "Yusuf"}) << "W" << 0
                                         << QStringList{"Walter", "s1", "n1"};
        // a group file from elsewhere may end in an incomplete contact
        QTest::newRow("a name alone at the end") << QStringList{"Ali", "Kaya", "0532", "Veli"} << "V" << 0
                                                 << QStringList{"Veli", "", ""};
        QTest::newRow("no number at the end") << QStringList{"Ali", "Kaya", "0532", "Veli", "Er"} << "V" << 0
                                              << QStringList{"Veli", "Er", ""};
    }
    void aRowShowsItsContact() {
        QFETCH(QStringList, lines);
        QFETCH(QString, page);
        QFETCH(int, row);
        QFETCH(QStringList, contact);
        start(lines);
        inIndex([&] {
            clickRowAt(::page(page), row);
            QCOMPARE(shown(), contact);
            QCOMPARE(Form15->BitBtn1->isEnabled(), !contact[2].isEmpty());
        });
        QVERIFY2(testhooks::messages().isEmpty(), qPrintable(testhooks::messages().join(" | ")));
    }

    void theKeyboardSelectsARowToo() {
        start(group({"Ali", "Ayşe", "Bora"}));
        inIndex([&] {
            QListWidget* list = Form15->letterPages[0];
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Down);
            QTest::keyClick(list, Qt::Key_Down);
            QCOMPARE(shown(), (QStringList{"Ayşe", "s1", "n1"}));
        });
    }

    void goingToALetterEmptiesTheFields() {
        start(group({"Ali", "Can", "Çağlar", "Çiğdem"}));
        inIndex([&] {
            clickRowAt(Form15->letterPages[0], 0);
            QVERIFY(Form15->BitBtn1->isEnabled());
            // "Ç" picked in "Harfe Git:>>"
            QTest::mouseClick(Form15->ComboBox1, Qt::LeftButton);
            QAbstractItemView* letters = Form15->ComboBox1->view();
            QTRY_VERIFY(letters->isVisible());
            for (int i = 0; i < 3; ++i) QTest::keyClick(letters, Qt::Key_Down);
            QTest::keyClick(letters, Qt::Key_Return);
            QTRY_VERIFY(!letters->isVisible());
            QCOMPARE(Form15->currentPage(), 3);
            QVERIFY(Form15->letterTabs[3]->isChecked());
            QCOMPARE(shown(), (QStringList{"", "", ""}));
            QVERIFY(!Form15->BitBtn1->isEnabled());
            clickRowAt(Form15->letterPages[3], 1);
            QCOMPARE(shown(), (QStringList{"Çiğdem", "s3", "n3"}));
            Form15->ComboBox1Change(pageOf("Ç"));  // the page shown: nothing changes
            QCOMPARE(shown(), (QStringList{"Çiğdem", "s3", "n3"}));
            QTest::mouseClick(Form15->letterTabs[2], Qt::LeftButton);  // C by its tab
            QCOMPARE(Form15->ComboBox1->currentText(), "C");
            QCOMPARE(shown(), (QStringList{"", "", ""}));
            QVERIFY(!Form15->BitBtn1->isEnabled());
            // back on Ç, a click on the row still selected shows it again
            QTest::mouseClick(Form15->letterTabs[3], Qt::LeftButton);
            clickRowAt(Form15->letterPages[3], 1);
            QCOMPARE(shown(), (QStringList{"Çiğdem", "s3", "n3"}));
        });
    }

    void aDoubleClickHandsTheContactOver() {
        start(group({"Ali", "Bora", "Can"}));
        inIndex([&] { clickRowAt(page("B"), 0, true); });
        QVERIFY(!Form15->isVisible());
        QCOMPARE(mainFields(), (QStringList{"Bora", "s1", "n1", "n1"}));
    }

    void aDoubleClickOnAnEmptyPageHandsEmptyFieldsOver() {
        start(group({"Ali", "Bora"}));
        Form1->takeContact("Eski", "Kişi", "0532");
        inIndex([&] {
            QListWidget* empty = page("M");
            QCOMPARE(empty->count(), 0);
            QTest::mouseDClick(empty->viewport(), Qt::LeftButton, {}, QPoint(20, 40));
        });
        QVERIFY(!Form15->isVisible());
        QCOMPARE(mainFields(), (QStringList{"", "", "", ""}));
    }

    // NextMatchLines is prepared from the name the main window showed before
    // the hand-over; "Sonraki" then goes on from there.
    void theHandOverPreparesSonraki_data() {
        QTest::addColumn<QString>("shownBefore");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("next");
        QTest::addColumn<QStringList>("sonraki");  // the contacts "Sonraki" shows, then its message
        const QStringList lines = group({"Ali", "Ali", "Ali", "Bora"});
        QTest::newRow("Ali shown before") << "Ali" << 0 << lines.mid(3) << QStringList{"s1", "s2", End};
        QTest::newRow("nothing shown before") << "" << 1 << lines.mid(2) << QStringList{"s1", "s2", End};
        QTest::newRow("Bora shown before") << "bora" << 0 << QStringList{} << QStringList{End};
        QTest::newRow("a name not in the group") << "Zeki" << 2 << lines.mid(2) << QStringList{"s1", "s2", End};
    }
    void theHandOverPreparesSonraki() {
        QFETCH(QString, shownBefore);
        QFETCH(int, row);
        QFETCH(QStringList, next);
        QFETCH(QStringList, sonraki);
        start(group({"Ali", "Ali", "Ali", "Bora"}));
        Form1->nameField->setText(shownBefore);
        inIndex([&] {
            clickRowAt(Form15->letterPages[0], row);
            QTest::mouseClick(Form15->BitBtn1, Qt::LeftButton);
        });
        QVERIFY(!Form15->isVisible());
        QCOMPARE(nextMatchLines(), next);
        QCOMPARE(mainFields(), (QStringList{"Ali", QStringLiteral("s%1").arg(row), QStringLiteral("n%1").arg(row),
                                            QStringLiteral("n%1").arg(row)}));
        QStringList seen;
        for (int i = 0; i < sonraki.size(); ++i) {
            testhooks::messages().clear();
            QTest::mouseClick(Form1->nextButton, Qt::LeftButton);
            seen << (testhooks::messages().isEmpty() ? Form1->surnameField->text() : testhooks::messages().join(""));
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
        start(group({"Ali", "Mert", "Murat"}));
        QVERIFY(!(Form15->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(Form15->windowFlags() & Qt::WindowMinimizeButtonHint);
        inIndex([&] {
            clickRowAt(page("M"), 0);
            QCOMPARE(shown(), (QStringList{"Mert", "s1", "n1"}));
            if (how == "Esc") QTest::keyClick(Form15, Qt::Key_Escape);
            else if (how == "close") Form15->close();
            else QTest::mouseClick(how == "Çıkış" ? Form15->BitBtn2 : Form15->BitBtn1, Qt::LeftButton);
            QVERIFY(!Form15->isVisible());
        });
        inIndex([&] {
            QCOMPARE(Form15->currentPage(), 0);
            QVERIFY(Form15->letterTabs[0]->isChecked());
            QCOMPARE(Form15->PageControl1->currentIndex(), 0);
            QCOMPARE(shown(), (QStringList{"", "", ""}));
            QVERIFY(!Form15->BitBtn1->isEnabled());
            QCOMPARE(Form15->letterPages[pageOf("M")]->count(), 2);
        });
    }

    void aSecondBuildShowsTheGroupNowActive() {
        start(group({"Ali", "Bora", "Can", "Mert"}), {{"Ev", group({"Zeki"})}});
        inIndex([&] { QCOMPARE(filledPages(), (QStringList{"A:Ali", "B:Bora", "C:Can", "M:Mert"})); });
        Form1->groupSelector->setEditText("Ev");
        Form1->combobox1Change();
        inIndex([&] {
            QCOMPARE(filledPages(), QStringList{"Z:Zeki"});
            QCOMPARE(Form15->groupLabel->text(), "İncelenen Grup: Ev");
            QCOMPARE(Form15->totalLabel->text(), "Toplam Kayıtlı :1");
            clickRowAt(page("Z"), 0);
            QCOMPARE(shown(), (QStringList{"Zeki", "s0", "n0"}));
        });
        // back on a group emptied meanwhile: no window, the pages stay as they were
        home->write(Default + ".vexo", QByteArray());
        Form1->groupSelector->setEditText(Default);
        Form1->combobox1Change();
        testhooks::messages().clear();
        Form1->bb1->trigger();
        QCOMPARE(testhooks::messages(), QStringList{NothingToSplit});
        QCOMPARE(filledPages(), QStringList{"Z:Zeki"});
    }
};

TELEFIKA_TEST_MAIN(TestAlphabeticIndex)
#include "tst_ALFABE.moc"
