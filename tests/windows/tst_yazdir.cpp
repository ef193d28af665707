// The print window: the print-out composed one contact per tick, the
// progress it reports, "İptal", printing to a PDF file, the font, and the
// save as a Word document.

#include "app/forms.h"
#include "app/Unit1.h"
#include "store/datafolder.h"
#include "store/printout.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"
#include "windows/bilgi.h"
#include "windows/yazdir.h"

#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
const QString& Default = datafolder::DefaultGroup;
const QString Hyphens(36, QLatin1Char('-'));
const QString Empty = QStringLiteral("Veri tabanında yazdırılabilecek bir kayıt bulunmamaktadır!");

struct Contact {
    QString name, surname, number;
};

// n contacts in name order, Turkish letters in every field.
QList<Contact> contactsOf(int n) {
    const QStringList names = {u"Ahmet"_s, u"Çağlar"_s, u"Gülşen"_s, u"ismail"_s, u"Ömer"_s, u"Şükrü"_s, u"Ümit"_s, u"Zeynep"_s};
    QList<Contact> out;
    for (int k = 0; k < n; ++k)
        out.append({names[k * names.size() / n] + (n > names.size() ? QString::number(k) : QString()),
                    QStringLiteral("Işıkoğlu%1").arg(k), QStringLiteral("053%1").arg(k, 8, 10, QLatin1Char('0'))});
    return out;
}

QByteArray groupBytes(const QList<Contact>& contacts) {
    QStringList lines;
    for (const Contact& c : contacts) lines << c.name << c.surname << c.number;
    return fileBytes(lines);
}

QStringList block(const Contact& c) {
    return {u"İsim :"_s + c.name, u"Soyad :"_s + c.surname, u"Cep No :"_s + c.number, Hyphens};
}

QStringList page() { return Form4->printPage->toPlainText().split(QLatin1Char('\n')); }

// The date line and a time line written between the two moments.
void checkHeader(const QStringList& lines, int contacts, const QString& groupLine, const QTime& from,
                 const QTime& to) {
    QVERIFY(lines.size() >= 5);
    const QLocale system = QLocale::system();
    QCOMPARE(lines[0], u"Yazdırım Tarihi :"_s + printout::dateText(system, QDate::currentDate()));
    QStringList times;
    for (QTime t = from.addMSecs(-from.msec()); t <= to; t = t.addSecs(1))
        times << u"Yazdırım Saati :"_s + printout::timeText(system, t);
    QVERIFY2(times.contains(lines[1]), qPrintable(lines[1]));
    QCOMPARE(lines.mid(2, 3), (QStringList{u"Toplam Kayıtlı Kişi:"_s + QString::number(contacts), groupLine, Hyphens}));
}

// Ctrl+P in the main window; the actions run while the print window is open.
void inPrintWindow(const std::function<void()>& actions) {
    testhooks::onNextModal([=](QDialog*) { actions(); });
    mainWindow().printAction->trigger();
}

void tick(int times = 1) {
    for (int i = 0; i < times; ++i) Form4->Timer1Timer();
}

// Ticks until the page is complete.
void compose() {
    while (!Form4->exitButton->isEnabled() || Form4->printPosition() + 3 < Book->recordLines().count()) tick();
}

QString pdfTool(const QString& tool, const QStringList& arguments) {
    QProcess p;
    p.start(tool, arguments);
    if (!p.waitForFinished(60000)) return u"<"_s + tool + u" failed>"_s;
    return QString::fromUtf8(p.readAllStandardOutput());
}
}  // namespace

class TestPrintWindow : public ProgramTest {
    Q_OBJECT

    QString gauge() const { return Form5->gauge->text(); }

private slots:
    // Four contacts: 5 of 12 at the start, then one contact a tick with the
    // gauge and the label set anew, and a last tick that ends it.
    void fourContactsStepByStep() {
        const QList<Contact> four = contactsOf(4);
        STOP_IF_FAILED(startWith({Default, Default}, {{Default, groupBytes(four)}}));
        const QTime from = QTime::currentTime();
        inPrintWindow([&] {
            const QTime to = QTime::currentTime();
            QVERIFY(Form4->isVisible());
            QVERIFY(Form4->activeGroupPace->isActive());
            QVERIFY(!Form4->chosenGroupPace->isActive());
            QCOMPARE(gauge(), u"41%"_s);
            QCOMPARE(Form5->progressLabel->text(), u" kişide kişinin kaydı okunuyor..!"_s);
            QVERIFY(!Form5->isVisible());
            QCOMPARE(Form4->printPosition(), 0);
            QCOMPARE(page().size(), 9);
            checkHeader(page(), 4, u"Grup:@Kayıtlar@"_s, from, to);
            QCOMPARE(page().mid(5), block(four[0]));

            const QStringList gauges = {u"50%"_s, u"75%"_s, u"100%"_s};
            for (int k = 1; k < 4; ++k) {
                tick();
                QCOMPARE(gauge(), gauges[k - 1]);
                QCOMPARE(Form5->progressLabel->text(), QStringLiteral("4 kişide %1.kişinin kaydı okunuyor..!").arg(k + 1));
                QCOMPARE(Form4->printPosition(), 3 * k);
                QCOMPARE(Form4->printPositionLabel->text(), QString::number(3 * k));
                QVERIFY(Form5->isVisible());
                QVERIFY(!Form4->printButton->isEnabled());
                QVERIFY(!Form4->exitButton->isEnabled());
                QCOMPARE(page().mid(5 + 4 * k), block(four[k]));
            }
            tick();
            QVERIFY(!Form5->isVisible());
            QVERIFY(Form4->printButton->isEnabled());
            QVERIFY(Form4->exitButton->isEnabled());
            const QStringList complete = page();
            QCOMPARE(complete.size(), 5 + 4 * 4);
            QCOMPARE(complete.last(), Hyphens);
            // the timer goes on; later ticks change nothing
            tick(3);
            QVERIFY(Form4->activeGroupPace->isActive());
            QCOMPARE(page(), complete);
            QCOMPARE(Form4->printPosition(), 9);
            QVERIFY(!Form5->isVisible());
            QTest::mouseClick(Form4->exitButton, Qt::LeftButton);
            QVERIFY(!Form4->isVisible());
        });
        QCOMPARE(testhooks::modalWindows(), QStringList{u"Yazdırım"_s});
        QCOMPARE(Form4->printPosition(), 0);
        QVERIFY(Form4->printPage->document()->isEmpty());
        QVERIFY(!Form4->activeGroupPace->isActive());
        QVERIFY(testhooks::messages().isEmpty());
    }

    void oneContactCompletesAtTheFirstTick() {
        const QList<Contact> one = contactsOf(1);
        STOP_IF_FAILED(startWith({Default, Default}, {{Default, groupBytes(one)}}));
        inPrintWindow([&] {
            QCOMPARE(gauge(), u"100%"_s);  // 5 kept within the 3 lines
            tick();
            QVERIFY(!Form5->isVisible());
            QVERIFY(Form4->printButton->isEnabled());
            QCOMPARE(page().size(), 9);
            QCOMPARE(page().mid(4), QStringList{Hyphens} + block(one[0]));
        });
        QVERIFY(!Form5->isVisible());
    }

    void anEmptyGroupOpensNoWindow() {
        STOP_IF_FAILED(startWith({Default, Default}, {{Default, groupBytes({})}}));
        mainWindow().printAction->trigger();
        QCOMPARE(testhooks::messages(), QStringList{Empty});
        QVERIFY(testhooks::modalWindows().isEmpty());
        QVERIFY(!Form4->activeGroupPace->isActive());
        QVERIFY(Form4->printPage->document()->isEmpty());
    }

    // The real timer composes the page by itself, and Ctrl+P reaches the item.
    void thePaceRunsByItself() {
        const QList<Contact> five = contactsOf(5);
        STOP_IF_FAILED(startWith({Default, Default}, {{Default, groupBytes(five)}}));
        testhooks::onNextModal([&](QDialog*) {
            QTRY_VERIFY(Form4->printPosition() == 12 && Form4->exitButton->isEnabled());
            QVERIFY(!Form5->isVisible());
            QCOMPARE(page().size(), 5 + 4 * 5);
            QCOMPARE(page().mid(5 + 4 * 4), block(five[4]));
        });
        Form1->show();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        QTest::keyClick(Form1, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(testhooks::modalWindows(), QStringList{u"Yazdırım"_s});
    }

    // "İptal" in the middle closes both windows and throws the page away; the
    // next print-out starts from the first contact with a fresh header.
    void cancelInTheMiddleThenAFreshStart() {
        const QList<Contact> many = contactsOf(30);
        STOP_IF_FAILED(startWith({Default, Default}, {{Default, groupBytes(many)}}));
        inPrintWindow([&] {
            tick(10);
            QVERIFY(Form5->isVisible());
            QTest::mouseClick(Form5->cancelButton, Qt::LeftButton);
            QVERIFY(!Form5->isVisible());
            QVERIFY(!Form4->isVisible());
            QVERIFY(!Form4->activeGroupPace->isActive());
            QVERIFY(Form4->printButton->isEnabled());
            QVERIFY(Form4->exitButton->isEnabled());
            QCOMPARE(Form4->printPosition(), 0);
            QVERIFY(Form4->printPage->document()->isEmpty());
        });
        const QTime from = QTime::currentTime();
        inPrintWindow([&] {
            checkHeader(page(), 30, u"Grup:@Kayıtlar@"_s, from, QTime::currentTime());
            QCOMPARE(page().mid(5), block(many[0]));
            QCOMPARE(gauge(), u"5%"_s);  // 5 of 90
            tick();
            QCOMPARE(Form5->progressLabel->text(), u"30 kişide 2.kişinin kaydı okunuyor..!"_s);
            QCOMPARE(page().mid(9), block(many[1]));
        });
        QCOMPARE(testhooks::modalWindows(), (QStringList{u"Yazdırım"_s, u"Yazdırım"_s}));
    }

    // Neither Escape nor a click beside the buttons ends the composition.
    void escapeDoesNotClose() {
        STOP_IF_FAILED(startWith({Default, Default}, {{Default, groupBytes(contactsOf(6))}}));
        inPrintWindow([&] {
            tick(2);
            QTest::keyClick(Form4->printPage, Qt::Key_Escape);
            QTest::keyClick(Form5, Qt::Key_Escape);
            QTest::keyClick(Form5, Qt::Key_F4, Qt::AltModifier);
            QVERIFY(Form4->isVisible());
            QVERIFY(Form5->isVisible());
            QCOMPARE(Form4->printPosition(), 6);
        });
    }

    void saving_data() {
        QTest::addColumn<QString>("typed");    // in the save dialog, in the home folder; empty: cancelled
        QTest::addColumn<QString>("written");  // the file expected there
        QTest::addColumn<bool>("done");
        QTest::newRow("liste") << "liste" << "liste.doc" << true;
        QTest::newRow("liste.doc") << "liste.doc" << "liste.doc.doc" << true;
        QTest::newRow("cancelled") << "" << "" << false;
        QTest::newRow("a folder that is missing") << "yok/liste" << "" << false;
    }
    // The page as Rich Text Format under the name with ".doc" appended; the
    // message only once the file is whole, the file error otherwise.
    void saving() {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(bool, done);
        STOP_IF_FAILED(startWith({Default, Default}, {{Default, groupBytes(contactsOf(3))}}));
        const QString folder = home->path() + u"/belgeler"_s;
        QVERIFY(QDir().mkpath(folder));
        inPrintWindow([&] {
            compose();
            const QStringList before = page();
            testhooks::setNextSaveFileName(typed.isEmpty() ? QString() : folder + u"/"_s + typed);
            // as from the pop-up menu: through the event loop, where errors are caught
            QMetaObject::invokeMethod(Form4->saveAction, &QAction::trigger, Qt::QueuedConnection);
            QCoreApplication::processEvents();
            QCOMPARE(page(), before);
        });
        QStringList expectedMessages;
        if (done) expectedMessages << u"Kayıt İşlemi Tamamlandı!"_s;
        if (typed.startsWith(u"yok/"_s))
            expectedMessages << u"Cannot create file "_s + QDir::toNativeSeparators(folder + u"/"_s + typed + u".doc"_s) + u"."_s;
        QCOMPARE(testhooks::messages(), expectedMessages);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), written.isEmpty() ? QStringList() : QStringList{written});
        if (written.isEmpty()) return;
        QFile f(folder + u"/"_s + written);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray rtf = f.readAll();
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1254"));
        // "İsim :Ahmet", "Soyad :Işıkoğlu0" and the separator, in code page 1254
        QVERIFY(rtf.contains("\\'ddsim :Ahmet}\\par"));
        QVERIFY(rtf.contains("Soyad :I\\'fe\\'fdko\\'f0lu0}\\par"));
        QVERIFY(rtf.contains(Hyphens.toLatin1() + "}\\par"));
        QVERIFY(rtf.contains("Yazd\\'fdr\\'fdm Tarihi :"));
    }

    void font_data() {
        QTest::addColumn<bool>("chosen");
        QTest::newRow("chosen") << true;
        QTest::newRow("cancelled") << false;
    }
    // The chosen font is the whole page's, pasted text of its own font included.
    void font() {
        QFETCH(bool, chosen);
        STOP_IF_FAILED(startWith({Default, Default}, {{Default, groupBytes(contactsOf(2))}}));
        QFont mono(QStringLiteral("DejaVu Sans Mono"));
        mono.setPointSize(14);
        inPrintWindow([&] {
            compose();
            QTextCursor end(Form4->printPage->document());
            end.movePosition(QTextCursor::End);
            QTextCharFormat own;
            own.setFontFamilies({QStringLiteral("Liberation Serif")});
            end.insertText(u"\nYapıştırılan"_s, own);
            const QString before = Form4->printPage->document()->defaultFont().family();
            if (chosen) testhooks::setNextFont(mono);
            else testhooks::cancelNextFont();
            Form4->fontAction->trigger();
            QVERIFY(!testhooks::printOrFontAnswersQueued());
            QTextDocument* doc = Form4->printPage->document();
            const QString expected = chosen ? mono.family() : before;
            QCOMPARE(doc->defaultFont().family(), expected);
            for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
                for (auto it = b.begin(); !it.atEnd(); ++it) {
                    const QTextCharFormat f = it.fragment().charFormat();
                    const QString family = f.fontFamilies().toStringList().value(0, doc->defaultFont().family());
                    if (chosen) QCOMPARE(family, mono.family());
                    if (chosen) QCOMPARE(f.fontPointSize(), 14.0);
                }
        });
    }

    // A print to a PDF file through the print dialog: one job with the title,
    // over as many pages as needed, holding the contacts and text typed into
    // the page. Needs pdfinfo and pdftotext (poppler-utils).
    void printingToAPdfFile_data() {
        QTest::addColumn<int>("contacts");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("three") << 3 << true;
        QTest::newRow("two hundred, many pages") << 200 << true;
        QTest::newRow("cancelled") << 3 << false;
    }
    void printingToAPdfFile() {
        QFETCH(int, contacts);
        QFETCH(bool, confirmed);
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty() || QStandardPaths::findExecutable(u"pdfinfo"_s).isEmpty())
            QSKIP("pdftotext and pdfinfo (poppler-utils) are needed");
        const QList<Contact> group = contactsOf(contacts);
        STOP_IF_FAILED(startWith({Default, Default}, {{Default, groupBytes(group)}}));
        const QString pdf = home->path() + u"/sayfa.pdf"_s;
        inPrintWindow([&] {
            compose();
            QTextCursor end(Form4->printPage->document());
            end.movePosition(QTextCursor::End);
            Form4->printPage->setTextCursor(end);
            QTest::keyClick(Form4->printPage, Qt::Key_Return);
            typeText(Form4->printPage, u"Elle yazılan satır: Ğüşiöç"_s);
            testhooks::setNextPrinter(confirmed ? pdf : QString());
            QTest::mouseClick(Form4->printButton, Qt::LeftButton);
            QVERIFY(Form4->isVisible());
        });
        QVERIFY(!testhooks::printOrFontAnswersQueued());
        QCOMPARE(QFile::exists(pdf), confirmed);
        if (!confirmed) return;
        const QString info = pdfTool(u"pdfinfo"_s, {pdf});
        QVERIFY2(info.contains(QRegularExpression(u"^Title: +Telefika 2003 Kayıt Yazdırımı$"_s,
                                                  QRegularExpression::MultilineOption)),
                 qPrintable(info));
        const QRegularExpressionMatch pages =
            QRegularExpression(u"^Pages: +(\\d+)$"_s, QRegularExpression::MultilineOption).match(info);
        QVERIFY(pages.hasMatch());
        QCOMPARE(pages.captured(1).toInt() > 1, contacts > 100);
        const QString text = pdfTool(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
        for (const Contact& c : {group.first(), group.last()})
            for (const QString& line : block(c)) QVERIFY2(text.contains(line), qPrintable(line));
        QVERIFY(text.contains(u"Toplam Kayıtlı Kişi:"_s + QString::number(contacts)));
        QVERIFY(text.contains(QRegularExpression(u"^Elle yazılan satır: Ğüşiöç$"_s, QRegularExpression::MultilineOption)));
    }
};

TELEFIKA_TEST_MAIN(TestPrintWindow)
#include "tst_yazdir.moc"

