#include "notes/local/identifiers.h"

#include <fmt/format.h>
#include <mutex>
#include <random>

namespace varnemo::notes::local {
namespace {

std::mt19937_64 SeededGenerator()
{
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device()};
    return std::mt19937_64(seed);
}

std::uint64_t RandomWord()
{
    static std::mutex guard;
    static std::mt19937_64 generator = SeededGenerator();
    const std::lock_guard lock(guard);
    return generator();
}

}  // namespace

std::string NewUniversalId()
{
    return fmt::format("{:016X}{:016X}", RandomWord(), RandomWord());
}

std::string NewReplicaId()
{
    return fmt::format("{:016X}", RandomWord());
}

}  // namespace varnemo::notes::local
