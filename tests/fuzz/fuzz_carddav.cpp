// A fuzz target (libFuzzer) over what a CardDAV server answers: multistatus
// XML (listings, sync-collection changes, multiget answers with the cards
// inside) and error bodies, then each card read into a contact by the
// import's rules and patched in place as a change from here would do it.
//
// An input is one byte of choices, then the answer's bytes. Choice bit 0
// takes the bytes as one card rather than as XML. Built and run by
// tools/fuzz.sh; the seed inputs are tests/fuzz/corpus-carddav/.

#include "store/codepage.h"
#include "sync/cardmap.h"
#include "sync/davxml.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

bool isNumber(const QByteArray& line) {
    if (line.isEmpty() || line.size() > 11) return false;
    for (char c : line)
        if (c < '0' || c > '9') return false;
    return true;
}

// A card read, then written back with its own contact and with another one:
// each patched card reads as the contact written into it.
void card(const QByteArray& bytes) {
    const cardmap::Read read = cardmap::read(bytes);
    (void)cardmap::uidOf(bytes);
    if (!read.contact) {
        check(!read.reason.isEmpty(), "a card left out without a reason");
        return;
    }
    const cardmap::Contact& c = *read.contact;
    check(isNumber(c.number), "a stored number that is not 1 to 11 digits");
    if (c.number.startsWith("0090") || isNumber(c.name) || isNumber(c.surname)) return;
    check(cardmap::read(cardmap::patched(bytes, c, c.number)).contact == c, "a card patched with itself reads otherwise");
    const cardmap::Contact other{QByteArrayLiteral("i\xfe"), QByteArrayLiteral("\xc7\xf0\xfd"), QByteArrayLiteral("05321234567")};
    check(cardmap::read(cardmap::patched(bytes, other, c.number)).contact == other, "a patched card reads otherwise");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    if (data[0] & 1) {
        card(bytes);
        return 0;
    }
    (void)davxml::parseError(bytes);
    const std::optional<davxml::Multistatus> m = davxml::parse(bytes);
    if (!m) return 0;
    for (const davxml::Response& r : m->responses) {
        check(!r.href.isEmpty(), "a response without an href");
        if (!r.card.isEmpty()) card(r.card);
    }
    return 0;
}
