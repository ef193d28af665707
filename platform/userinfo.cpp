#include "platform/userinfo.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <cwchar>
#include <string>
#else
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>
#endif

namespace userinfo {

const QString PlaceholderUser = QStringLiteral("Kayıtlı Kullanıcı Yok");
const QString PlaceholderOrganisation = QStringLiteral("Kayıtlı Kuruluş Yok");

namespace {

std::function<Registered()>& testSource() {
    static std::function<Registered()> source;
    return source;
}

#ifdef Q_OS_WIN
QString registryString(HKEY key, const wchar_t* subkey, const wchar_t* value) {
    DWORD size = 0;
    if (RegGetValueW(key, subkey, value, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return QString();
    std::wstring text(size / sizeof(wchar_t), L'\0');
    if (RegGetValueW(key, subkey, value, RRF_RT_REG_SZ, nullptr, text.data(), &size) != ERROR_SUCCESS)
        return QString();
    text.resize(wcsnlen(text.c_str(), text.size()));
    return QString::fromStdWString(text);
}

Registered systemValues() {
    Registered found;
    HKEY key = nullptr;
    // Created when missing, as the setup programs of old did; only read here.
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"SOFTWARE\\MICROSOFT\\MS SETUP (ACME)\\", 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_READ, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return found;
    found.user = registryString(key, L"USER INFO", L"DefName");
    found.organisation = registryString(key, L"USER INFO", L"DefCompany");
    RegCloseKey(key);
    return found;
}
#else
PasswdLookup& passwdLookup() {
    static PasswdLookup lookup;
    return lookup;
}

// The entry's comment field, in a buffer grown until the entry fits.
QString accountGecos() {
    const PasswdLookup lookup = passwdLookup() ? passwdLookup() : PasswdLookup(getpwuid_r);
    constexpr size_t Largest = size_t(64) << 20;
    const long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? size_t(suggested) : 16384);
    for (;;) {
        passwd entry{};
        passwd* result = nullptr;
        const int error = lookup(getuid(), &entry, buffer.data(), buffer.size(), &result);
        if (error == ERANGE && buffer.size() < Largest) {
            buffer.resize(std::min(buffer.size() * 2, Largest));
            continue;
        }
        if (error != 0 || !result || !result->pw_gecos) return QString();
        return QString::fromLocal8Bit(result->pw_gecos);
    }
}

Registered systemValues() {
    return {fullNameFromGecos(accountGecos()), qEnvironmentVariable("ORGANIZATION")};
}
#endif

QString orPlaceholder(const QString& value, const QString& placeholder) {
    const QString trimmed = value.simplified();  // line breaks and tabs too
    return trimmed.isEmpty() ? placeholder : trimmed;
}

}  // namespace

QString fullNameFromGecos(const QString& gecos) { return gecos.section(QLatin1Char(','), 0, 0).trimmed(); }

Registered read() {
    const Registered raw = testSource() ? testSource()() : systemValues();
    return {orPlaceholder(raw.user, PlaceholderUser), orPlaceholder(raw.organisation, PlaceholderOrganisation)};
}

void setSourceForTests(std::function<Registered()> source) { testSource() = std::move(source); }

#ifndef Q_OS_WIN
void setPasswdLookupForTests(PasswdLookup lookup) { passwdLookup() = std::move(lookup); }
#endif

}  // namespace userinfo
