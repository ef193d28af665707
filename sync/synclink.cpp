#include "sync/synclink.h"

#include "sync/syncstate.h"

namespace synclink {

std::optional<Link> of(const QString& group) {
    const std::optional<syncstate::State> state = syncstate::read(group);
    if (!state) return std::nullopt;
    return Link{state->book, state->user, state->lastSync};
}

void keep(const QString& group, const QUrl& book, const QString& user) {
    std::optional<syncstate::State> state = syncstate::read(group);
    if (state && state->book == book && state->user == user) return;
    syncstate::State fresh;
    fresh.book = book;
    fresh.user = user;
    syncstate::write(group, fresh);
}

void forget(const QString& group) { syncstate::remove(group); }

}  // namespace synclink
