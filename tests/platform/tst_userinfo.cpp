// The registered user's details: each value falls back to its placeholder on
// its own, and a test's own values go through the same rules.

#include "platform/userinfo.h"

#include <QtTest>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
#endif

using namespace Qt::StringLiterals;

class TestUserInfo : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
#ifndef Q_OS_WIN
        userinfo::setPasswdLookupForTests({});
#endif
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
    // The account's entry is read whatever the length of its comment field:
    // a lookup that answers ERANGE is asked again with a larger buffer.
    void thePasswdEntryIsReadWhateverItsLength_data() {
        QTest::addColumn<QString>("fullName");
        QTest::addColumn<int>("answer");  // 0: the entry when it fits, else ERANGE
        QTest::addColumn<QString>("shown");
        const QString noUser = QStringLiteral("Kayıtlı Kullanıcı Yok");
        const QString ayse = QStringLiteral("Ayşe Çelik");
        QTest::newRow("a short name") << ayse << 0 << ayse;
        const QString kilobyte = QString(600, QChar(u'ş'));  // 1,200 bytes
        QTest::newRow("a name over 1 KB") << kilobyte << 0 << kilobyte;
        const QString megabyte = QString(1 << 20, QLatin1Char('a'));
        QTest::newRow("a name of 1 MB") << megabyte << 0 << megabyte;
        QTest::newRow("a lookup that always says ERANGE") << ayse << ERANGE << noUser;
        QTest::newRow("a lookup that fails") << ayse << EIO << noUser;
        QTest::newRow("no entry for the account") << QString() << 0 << noUser;
    }
    void thePasswdEntryIsReadWhateverItsLength() {
        QFETCH(QString, fullName);
        QFETCH(int, answer);
        QFETCH(QString, shown);
        // The entry as getpwuid_r gives it: its texts copied into the
        // caller's buffer, or ERANGE when they do not fit.
        const QByteArray gecos = fullName.toUtf8() + QByteArrayLiteral(",Oda 3,0212");
        int lookups = 0;
        userinfo::setPasswdLookupForTests([&](uid_t uid, passwd* entry, char* buffer, size_t size, passwd** result) {
            ++lookups;
            *result = nullptr;
            if (answer != 0) return answer;
            if (fullName.isEmpty()) return 0;
            const char name[] = "ayse";
            const size_t needed = sizeof name + size_t(gecos.size()) + 1;
            if (size < needed) return ERANGE;
            std::memcpy(buffer, name, sizeof name);
            std::memcpy(buffer + sizeof name, gecos.constData(), size_t(gecos.size()) + 1);
            *entry = passwd{};
            entry->pw_name = buffer;
            entry->pw_gecos = buffer + sizeof name;
            entry->pw_uid = uid;
            *result = entry;
            return 0;
        });
        QCOMPARE(userinfo::read().user, shown);
        QVERIFY(lookups >= 1);
        QVERIFY2(lookups <= 28, qPrintable(QString::number(lookups)));  // it gives up, at 64 MB
    }
#endif

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

