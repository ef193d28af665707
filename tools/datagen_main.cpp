// Writes a valid group file for trying the program on a full group:
//   telefika-datagen <file.vexo> [contacts] [seed]
// With 10911 contacts (the default) the group is full.

#include "store/storeerror.h"
#include "tools/datagen.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <file.vexo> [contacts] [seed]\n", argv[0]);
        return 2;
    }
    const int contacts = argc > 2 ? std::atoi(argv[2]) : datafolder::MAX_CONTACTS;
    const unsigned seed = argc > 3 ? unsigned(std::strtoul(argv[3], nullptr, 10)) : 2003u;
    try {
        datagen::group(contacts, seed).save(QString::fromLocal8Bit(argv[1]));
    } catch (const StoreError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
