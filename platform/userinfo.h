#pragma once
// The name and organisation under which this computer's owner registered:
// on Windows the setup values of the current user's registry, elsewhere the
// account's full name and the ORGANIZATION environment variable.

#include <QString>

#include <functional>

#ifndef Q_OS_WIN
#include <pwd.h>
#include <sys/types.h>
#endif

namespace userinfo {

struct Registered {
    QString user;
    QString organisation;
};

// Shown when the system has no name (or only blanks) to give. Values are
// shown on one line: line breaks and runs of blanks become one blank.
extern const QString PlaceholderUser;          // "Kayıtlı Kullanıcı Yok"
extern const QString PlaceholderOrganisation;  // "Kayıtlı Kuruluş Yok"

// Reads the values afresh on every call, each falling back to its
// placeholder on its own. On Windows the key
// HKEY_CURRENT_USER\SOFTWARE\MICROSOFT\MS SETUP (ACME)\ is created when it
// is missing; "DefName" and "DefCompany" are read from its subkey "USER INFO".
Registered read();

// The full name in a passwd entry's comment field: the part before the first
// comma, without surrounding blanks.
QString fullNameFromGecos(const QString& gecos);

// Tests put their own source in place of the system's, raw values that
// read() still completes with the placeholders; an empty function restores
// the system's.
void setSourceForTests(std::function<Registered()> source);

#ifndef Q_OS_WIN
// How the system's source reads the account's passwd entry: getpwuid_r's
// shape. The entry is read whatever its length: the buffer starts at the
// size the system suggests and doubles while the lookup says ERANGE (up to
// 64 MB). Tests put in their own lookup; an empty function restores
// getpwuid_r.
using PasswdLookup = std::function<int(uid_t, passwd*, char* buffer, size_t size, passwd** result)>;
void setPasswdLookupForTests(PasswdLookup lookup);
#endif

}  // namespace userinfo
