#pragma once

// The seed of a randomised test: VELMOKA_RANDOM_SEED when it is set, to replay a run, else a new
// one, printed so that a failure can be replayed.

#include <QString>
#include <QtGlobal>

#include <cstdint>
#include <random>

inline std::uint64_t random_seed() {
    bool given = false;
    std::uint64_t seed = qEnvironmentVariable("VELMOKA_RANDOM_SEED").toULongLong(&given);
    if (!given) {
        seed = std::random_device{}();
    }
    qInfo("seed %llu (replay with VELMOKA_RANDOM_SEED=%llu)", static_cast<unsigned long long>(seed),
          static_cast<unsigned long long>(seed));
    return seed;
}
