#include "tests/common/testenv.h"

#include "store/codepage.h"
#include "store/datafolder.h"
#include "store/stringlist.h"
#include "ui/dialogs.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QtTest>

using namespace Qt::StringLiterals;

FreshHome::FreshHome() {
    failOnUnusedAnswers();  // a home made inside a test must not swallow its answers
    testhooks::enable();
}

FreshHome::~FreshHome() {
    failOnUnusedAnswers();
    testhooks::enable();
}

void failOnUnusedAnswers() {
    if (!testhooks::enabled()) return;
    const QStringList left = testhooks::unused();
    if (left.isEmpty()) return;
    // After a failed check, answers left over are its consequence, not news.
    if (QTest::currentTestFunction() && !QTest::currentTestFailed()) {
        const QString text = QStringLiteral("Queued test answers were never used: ") + left.join(QStringLiteral("; "));
        QTest::qFail(qPrintable(text), __FILE__, __LINE__);
    }
    testhooks::enable();
}

bool testPassing() { return !QTest::currentTestFailed(); }

void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        const ushort u = c.unicode();
        Qt::Key key = Qt::Key_unknown;
        if (u >= 'a' && u <= 'z') key = Qt::Key(u - 32);
        else if (u >= 0x20 && u < 0x7F) key = Qt::Key(u);
        else key = Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
    }
}

QStringList rows(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

bool clickRow(QListWidget* list, const QString& text, bool twice) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    if (found.isEmpty()) {
        const QString why = QStringLiteral("No row \"%1\" in %2: %3").arg(text, list->objectName(), rows(list).join(u", "_s));
        QTest::qFail(qPrintable(why), __FILE__, __LINE__);
        return false;
    }
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    return testPassing();
}
