// Input: a snapshot file. The reader must refuse or accept it without harm, and what it
// accepts must hold only settings whose values write back to the same file.
#include "snapshot.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), int(size));
    cli::Snapshot s;
    QString error;
    if (!cli::readSnapshot(input, &s, &error)) {
        if (error.isEmpty())
            std::abort(); // a refusal always says why
        return 0;
    }
    for (auto it = s.settings.constBegin(); it != s.settings.constEnd(); ++it) {
        cli::Param p;
        if (!cli::settingByName(it.key(), &p) || p.name() != it.key())
            std::abort();
    }
    // What was accepted writes out and reads back the same.
    cli::Snapshot again;
    if (!cli::readSnapshot(cli::toJson(s), &again, &error) || again.settings != s.settings)
        std::abort();
    return 0;
}
