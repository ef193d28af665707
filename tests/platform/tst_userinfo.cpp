// The registered user's details: each value falls back to its placeholder on
// its own, and a test's own values go through the same rules.

#include "platform/userinfo.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestUserInfo : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        userinfo::setSourceForTests({});
        qunsetenv("ORGANIZATION");
    }

    void values_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("organisation");
        QTest::addColumn<QString>("shownUser");
        QTest::addColumn<QString>("shownOrganisation");
        const QString noUser = u"Kayıtlı Kullanıcı Yok"_s;
        const QString noOrganisation = u"Kayıtlı Kuruluş Yok"_s;
        QTest::newRow("nothing registered") << "" << "" << noUser << noOrganisation;
        QTest::newRow("blanks only") << "   " << "\t" << noUser << noOrganisation;
        QTest::newRow("user only") << "Ayşe Çelik" << "" << "Ayşe Çelik" << noOrganisation;
        QTest::newRow("organisation only") << "" << "Işık Ltd. Şti." << noUser << "Işık Ltd. Şti.";
        QTest::newRow("both") << "Ümit Ağaoğlu" << "Öz İnşaat" << "Ümit Ağaoğlu" << "Öz İnşaat";
        QTest::newRow("on one line") << " Ali\nVeli " << "Kuzey\r\n  Ltd" << "Ali Veli" << "Kuzey Ltd";
    }
    void values() {
        QFETCH(QString, user);
        QFETCH(QString, organisation);
        QFETCH(QString, shownUser);
        QFETCH(QString, shownOrganisation);
        userinfo::setSourceForTests([&] { return userinfo::Registered{user, organisation}; });
        const userinfo::Registered r = userinfo::read();
        QCOMPARE(r.user, shownUser);
        QCOMPARE(r.organisation, shownOrganisation);
    }

    void fullName_data() {
        QTest::addColumn<QString>("gecos");
        QTest::addColumn<QString>("name");
        QTest::newRow("name only") << "Çağlar Işıkoğlu" << "Çağlar Işıkoğlu";
        QTest::newRow("with room and phones") << "Çağlar Işıkoğlu,Oda 3,0212,0532" << "Çağlar Işıkoğlu";
        QTest::newRow("commas only") << ",,," << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("blanks around") << "  Şule Er  ,x" << "Şule Er";
    }
    void fullName() {
        QFETCH(QString, gecos);
        QFETCH(QString, name);
        QCOMPARE(userinfo::fullNameFromGecos(gecos), name);
    }

#ifndef Q_OS_WIN
    // The system's own source reads ORGANIZATION afresh on every call.
    void organisationFromTheEnvironment() {
        qunsetenv("ORGANIZATION");
        QCOMPARE(userinfo::read().organisation, u"Kayıtlı Kuruluş Yok"_s);
        qputenv("ORGANIZATION", "Gök Yazılım");
        QCOMPARE(userinfo::read().organisation, QStringLiteral("Gök Yazılım"));
        qputenv("ORGANIZATION", "");
        QCOMPARE(userinfo::read().organisation, u"Kayıtlı Kuruluş Yok"_s);
        QVERIFY(!userinfo::read().user.isEmpty());
    }
#endif
};

QTEST_GUILESS_MAIN(TestUserInfo)
#include "tst_userinfo.moc"

