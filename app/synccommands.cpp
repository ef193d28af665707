#include "app/synccommands.h"

#include "app/clicommon.h"
#include "book/phonebook.h"
#include "platform/keyring.h"
#include "store/collation.h"
#include "sync/discovery.h"
#include "sync/synclink.h"
#include "sync/syncreport.h"
#include "sync/syncrunner.h"

#include <QEventLoop>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#include <functional>
#include <optional>

#ifndef Q_OS_WIN
#include <termios.h>
#include <unistd.h>
#endif

namespace synccommands {

namespace {

using namespace cli;

// The longest password line read: anything past it is not a password.
constexpr int LongestPassword = 4096;

// Runs the event loop from start() until the object sends the signal.
template <typename Object, typename Signal>
void runUntil(Object* object, Signal signal, const std::function<void()>& start) {
    QEventLoop loop;
    bool ended = false;
    QObject::connect(object, signal, &loop, [&] {
        ended = true;
        loop.quit();
    });
    start();
    if (!ended) loop.exec();
}

struct KeyringAnswer {
    Keyring::Outcome outcome = Keyring::Outcome::Failed;
    QString secret;
};

// One call of the keyring, waited for in the event loop.
KeyringAnswer askKeyring(const std::function<void(const Keyring::Callback&)>& call) {
    QEventLoop loop;
    std::optional<KeyringAnswer> answer;
    call([&](Keyring::Outcome outcome, const QString& secret) {
        answer = KeyringAnswer{outcome, secret};
        loop.quit();
    });
    if (!answer) loop.exec();
    return *answer;
}

// One line of standard input without its line break; none at its end or
// when the line is empty.
std::optional<QString> readLine() {
    QByteArray line;
    int c;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n')
        if (line.size() < LongestPassword) line += char(c);
    if (line.endsWith('\r')) line.chop(1);
    if (line.isEmpty()) return std::nullopt;
    return QString::fromLocal8Bit(line);
}

// The password asked on the terminal with the echo off; none when standard
// input is no terminal.
std::optional<QString> askOnTerminal() {
#ifdef Q_OS_WIN
    return std::nullopt;
#else
    if (!isatty(STDIN_FILENO)) return std::nullopt;
    std::fputs(QStringLiteral("Parola: ").toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    termios old {};
    const bool quiet = tcgetattr(STDIN_FILENO, &old) == 0;
    termios silent = old;
    silent.c_lflag &= ~tcflag_t(ECHO);
    if (quiet) tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    std::optional<QString> password = readLine();
    if (quiet) tcsetattr(STDIN_FILENO, TCSAFLUSH, &old);
    std::fputs("\n", stderr);
    return password;
#endif
}

const QString NoStdinLine = QStringLiteral("Standart girdiden parola okunamadı: --password-stdin bir satır bekler.");

// The password of the group's sync: standard input's line, else the
// keyring's, else the terminal's. None with the message when there is none.
std::optional<QString> syncPassword(const QString& group, bool fromStdin, QString& error) {
    if (fromStdin) {
        const std::optional<QString> line = readLine();
        if (!line) error = NoStdinLine;
        return line;
    }
    const KeyringAnswer kept = askKeyring([&](const Keyring::Callback& done) {
        keyring().read(Keyring::keyFor(group), done);
    });
    if (kept.outcome == Keyring::Outcome::Done && !kept.secret.isEmpty()) return kept.secret;
    if (std::optional<QString> typed = askOnTerminal()) return typed;
    switch (kept.outcome) {
    case Keyring::Outcome::NoKeyring:
        error = QStringLiteral("Bu masaüstünde anahtarlık yok: parolayı --password-stdin ile verin.");
        break;
    case Keyring::Outcome::Failed:
        error = QStringLiteral("Anahtarlık parolayı vermedi (kilitli ya da izin verilmedi): parolayı "
                               "--password-stdin ile verin.");
        break;
    default:
        error = QStringLiteral("\"%1\" grubunun parolası anahtarlıkta yok: parolayı --password-stdin ile verin.")
                    .arg(shown(group));
    }
    return std::nullopt;
}

bool sameAddress(const QUrl& a, const QUrl& b) {
    const auto plain = [](const QUrl& url) {
        return url.adjusted(QUrl::StripTrailingSlash | QUrl::NormalizePathSegments | QUrl::RemoveUserInfo);
    };
    return plain(a) == plain(b);
}

// The address book the group goes with: the one whose own address was
// given, else the one named after the group; none when a new one is made.
std::optional<AddressBook> chosenBook(const QList<AddressBook>& books, const QUrl& given, const QString& group) {
    for (const AddressBook& book : books)
        if (sameAddress(book.url, given)) return book;
    for (const AddressBook& book : books)
        if (collation::equalText(book.name.trimmed(), group)) return book;
    return std::nullopt;
}

}  // namespace

QString addressProblem(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != u"http" && scheme != u"https") || url.host().isEmpty())
        return QStringLiteral("Geçersiz sunucu adresi: %1 (http:// ya da https:// ile başlamalı).").arg(shown(address));
    if (!url.userInfo().isEmpty())
        return QStringLiteral("Sunucu adresinde kullanıcı adı ya da parola olmamalı: kullanıcı adını --user ile, "
                              "parolayı --password-stdin ile verin.");
    return QString();
}

namespace {

// The address books behind the address; the chosen one, made when the
// server has none for the group. None with the message when it fails.
std::optional<AddressBook> findBook(const QUrl& address, const QString& user, const QString& password,
                                    const QString& group, bool& made, QString& error) {
    Discovery discovery(address, user, password);
    runUntil(&discovery, &Discovery::finished, [&] { discovery.start(); });
    made = false;
    if (std::optional<AddressBook> found = chosenBook(discovery.books(), address, group)) return found;
    // A server without any address book yet fails too: one is made there. Any
    // other failure comes again from the making, which starts over.
    runUntil(&discovery, &Discovery::finished, [&] { discovery.create(group); });
    if (!discovery.failure().isEmpty() || discovery.books().isEmpty()) {
        error = discovery.failure().isEmpty() ? QStringLiteral("Sunucuda adres defteri yapılamadı.") : discovery.failure();
        return std::nullopt;
    }
    made = true;
    return discovery.books().first();
}

// The password put into the keyring; what became of it, as a line.
int keepPassword(const QString& group, const QString& password) {
    const KeyringAnswer kept = askKeyring([&](const Keyring::Callback& done) {
        keyring().store(Keyring::keyFor(group), password, done);
    });
    switch (kept.outcome) {
    case Keyring::Outcome::Done:
        print(stdout, QStringLiteral("Parola masaüstünün anahtarlığında saklandı.\n"));
        return Done;
    case Keyring::Outcome::NoKeyring:
        print(stdout, QStringLiteral("Bu masaüstünde anahtarlık yok: parola hiçbir yere yazılmadı; her eşitlemede "
                                     "--password-stdin ile ya da sorulunca verin.\n"));
        return Done;
    default:
        return fail(QStringLiteral("Bağlantı saklandı ama parola anahtarlığa yazılamadı (kilitli ya da izin "
                                   "verilmedi): her eşitlemede --password-stdin ile verin."));
    }
}

}  // namespace

int setup(const QString& group, const QString& address, const QString& user, bool passwordFromStdin) {
    PhoneBook book;
    QString error;
    const std::optional<QString> name = openGroup(book, group, error);
    if (!name) return fail(error);
    const std::optional<QString> password = passwordFromStdin ? readLine() : askOnTerminal();
    if (!password)
        return passwordFromStdin ? fail(NoStdinLine)
                                 : usageError(QStringLiteral("Parola verilmedi: --password-stdin ile standart "
                                                             "girdiden verin."));
    const QUrl url(address);
    bool made = false;
    const std::optional<AddressBook> found = findBook(url, user, *password, *name, made, error);
    if (!found) return fail(shown(error));
    synclink::keep(*name, found->url, user);
    const QString how = made ? QStringLiteral("sunucuda yapılan \"%2\" adres defterine bağlandı")
                             : QStringLiteral("sunucudaki \"%2\" adres defterine bağlandı");
    print(stdout, (QStringLiteral("\"%1\" grubu ") + how + QStringLiteral(": %3\n"))
                      .arg(shown(*name), shown(found->name), shown(found->url.toDisplayString())));
    if (Discovery::isUnencrypted(found->url))
        print(stderr, QStringLiteral("telefika: Uyarı: adres şifresiz (http): parola ağda açık gider.\n"));
    return keepPassword(*name, *password);
}

int sync(const QString& group, bool passwordFromStdin, bool confirmDeletion) {
    PhoneBook book;
    QString error;
    const std::optional<QString> name = openGroup(book, group, error);
    if (!name) return fail(error);
    if (!synclink::of(*name))
        return fail(QStringLiteral("\"%1\" grubu bir adres defterine bağlı değil: önce --sync-setup ile bağlayın.")
                        .arg(shown(*name)));
    const std::optional<QString> password = syncPassword(*name, passwordFromStdin, error);
    if (!password) return fail(error);
    SyncRunner runner(book, *name, *password);
    int keptCards = 0;  // the cards a deletion not confirmed left on the server
    QObject::connect(&runner, &SyncRunner::deletionNeedsConfirmation, &runner, [&](int cards) {
        if (!confirmDeletion) keptCards = cards;
        QTimer::singleShot(0, &runner, [&runner, confirmDeletion] { runner.confirmDeletion(confirmDeletion); });
    });
    runUntil(&runner, &SyncRunner::finished, [&] { runner.start(); });
    const SyncReport& report = runner.report();
    QString out;
    for (const QString& line : report.lines()) out += shown(line) + QLatin1Char('\n');
    out += shown(report.summary()) + QLatin1Char('\n');
    print(stdout, out);
    if (keptCards > 0)
        return fail(QStringLiteral("\"%1\" grubu boşaltılmış: eşitleme sunucudaki %2 kartı silecekti, hiçbiri "
                                   "silinmedi. Silmek için --confirm-deletion ile yeniden çalıştırın ya da pencerede "
                                   "\"Şimdi Eşitle\"yi kullanın.")
                        .arg(shown(*name), QString::number(keptCards)));
    if (!report.failure.isEmpty()) return fail(shown(report.failure));
    if (!report.conflicts.isEmpty())
        return fail(QStringLiteral("%1 çakışma kaldı: iki tarafta da değişen kişilerin hiçbiri üzerine yazılmadı. "
                                   "Hangisinin kalacağını pencerede \"Şimdi Eşitle\" sorar.")
                        .arg(report.conflicts.size()));
    return Done;
}

int remove(const QString& group) {
    PhoneBook book;
    QString error;
    // a group gone from the list may still have left its link
    const QString name = openGroup(book, group, error).value_or(group);
    if (!synclink::of(name)) return fail(QStringLiteral("\"%1\" grubunun eşitleme bağlantısı yok.").arg(shown(name)));
    synclink::forget(name);
    print(stdout, QStringLiteral("\"%1\" grubunun eşitleme bağlantısı kaldırıldı; sunucudaki adres defteri olduğu "
                                 "gibi duruyor.\n")
                      .arg(shown(name)));
    const KeyringAnswer forgotten = askKeyring([&](const Keyring::Callback& done) {
        keyring().forget(Keyring::keyFor(name), done);
    });
    if (forgotten.outcome == Keyring::Outcome::Failed)
        return fail(QStringLiteral("Parola anahtarlıktan silinemedi (kilitli ya da izin verilmedi): \"Telefika 2003\" "
                                   "altındaki %1 kaydını elle silin.")
                        .arg(shown(Keyring::keyFor(name))));
    return Done;
}

}  // namespace synccommands
