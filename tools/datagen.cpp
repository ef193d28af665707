#include "tools/datagen.h"

#include "store/codepage.h"
#include "store/collation.h"

#include <algorithm>
#include <random>
#include <set>
#include <vector>

namespace datagen {
namespace {

const char* const kNames[] = {
    "Ahmet", "Mehmet", "Mustafa", "Ali", "Hüseyin", "Hasan", "İbrahim", "İsmail", "Osman", "Yusuf",
    "Murat", "Ömer", "Ramazan", "Halil", "Süleyman", "Abdullah", "Mahmut", "Recep", "Salih", "Fatih",
    "Kadir", "Emre", "Hakan", "Adem", "Kemal", "Yaşar", "Bekir", "Musa", "Metin", "Serkan",
    "Orhan", "Burak", "Uğur", "Yakup", "Gökhan", "Cem", "Can", "Barış", "Volkan", "Erkan",
    "Şükrü", "Çağlar", "Doğan", "Ercan", "Tolga", "Tuncay", "Özgür", "Onur", "Cengiz", "Levent",
    "Kâzım", "Necati", "Nurettin", "Rıza", "Selim", "Sinan", "Tarık", "Zafer", "Zeki", "Ziya",
    "Fatma", "Ayşe", "Emine", "Hatice", "Zeynep", "Elif", "Meryem", "Şerife", "Zehra", "Sultan",
    "Hanife", "Merve", "Havva", "Zeliha", "Esra", "Fadime", "Özlem", "Hacer", "Yasemin", "Hülya",
    "Cemile", "Sevim", "Gülsüm", "Leyla", "Dilek", "Büşra", "Aynur", "Kübra", "Ümmühan", "Rukiye",
    "Songül", "Derya", "Gül", "Sibel", "Filiz", "Çiğdem", "Ebru", "Gönül", "Şule", "Tuğba",
    "Ilgın", "Işıl", "Irmak", "Nur", "Pınar", "Seda", "Tülay", "Ülkü", "Vildan", "Yeliz",
};

const char* const kSurnames[] = {
    "Yılmaz", "Kaya", "Demir", "Şahin", "Çelik", "Yıldız", "Yıldırım", "Öztürk", "Aydın", "Özdemir",
    "Arslan", "Doğan", "Kılıç", "Aslan", "Çetin", "Kara", "Koç", "Kurt", "Özkan", "Şimşek",
    "Polat", "Özcan", "Korkmaz", "Çakır", "Erdoğan", "Yavuz", "Can", "Acar", "Şen", "Aktaş",
    "Güler", "Yalçın", "Güneş", "Bozkurt", "Bulut", "Keskin", "Ünal", "Turan", "Gül", "Özer",
    "Işık", "Kaplan", "Avcı", "Sarı", "Tekin", "Taş", "Köse", "Yüksel", "Ateş", "Aksoy",
    "Uçar", "Çınar", "Ekinci", "Tunç", "Akın", "Başaran", "Eren", "Durmaz", "Karaca", "Gündüz",
    "İnce", "Uysal", "Ağca", "Gökçe", "Uzun", "Sönmez", "Bilgin", "Duman", "Oral", "Ilıcak",
};

}  // namespace

StringList group(int contacts, unsigned seed) {
    std::mt19937 rng(seed);
    const int nNames = int(std::size(kNames));
    const int nSurnames = int(std::size(kSurnames));

    struct Contact {
        QByteArray name, surname, number;
    };
    std::vector<Contact> all;
    all.reserve(size_t(contacts));
    std::set<QByteArray> numbers;
    std::uniform_int_distribution<int> digit(0, 9);
    for (int i = 0; i < contacts; ++i) {
        Contact c;
        c.name = codepage::encode(QString::fromUtf8(kNames[rng() % nNames]));
        c.surname = codepage::encode(QString::fromUtf8(kSurnames[rng() % nSurnames]));
        do {
            c.number = "05";
            for (int d = 0; d < 9; ++d) c.number.append(char('0' + digit(rng)));
        } while (!numbers.insert(c.number).second);
        all.push_back(std::move(c));
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const Contact& a, const Contact& b) { return collation::less(a.name, b.name); });

    StringList lines;
    for (const Contact& c : all) {
        lines.add(c.name);
        lines.add(c.surname);
        lines.add(c.number);
    }
    return lines;
}

}  // namespace datagen
